#include "platform/profil.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <string>
#include <vector>

#include "platform/fichiers.h"

namespace {

bool EgalSansCasse(const std::string& a, const char* b) {
    size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
        if (x != y) return false;
    }
    return true;
}

std::string SansBlancs(const std::string& s) {
    size_t d = 0, f = s.size();
    while (d < f && (s[d] == ' ' || s[d] == '\t')) ++d;
    while (f > d && (s[f - 1] == ' ' || s[f - 1] == '\t' || s[f - 1] == '\r')) --f;
    return s.substr(d, f - d);
}

FILE* Ouvrir(const char* fichier, const char* mode) { return Fichier_Ouvrir(fichier, mode); }

std::vector<std::string> LireLignes(const char* fichier) {
    std::vector<std::string> lignes;
    FILE* f = Ouvrir(fichier, "rb");
    if (f == nullptr) return lignes;
    std::string ligne;
    int c;
    while ((c = std::fgetc(f)) != EOF) {
        if (c == '\n') {
            if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
            lignes.push_back(ligne);
            ligne.clear();
        } else {
            ligne += static_cast<char>(c);
        }
    }
    if (!ligne.empty()) lignes.push_back(ligne);
    std::fclose(f);
    return lignes;
}

// The last file read stays in memory while it is unchanged on disk: a list read key by key
// does not read the file once per key.
struct Cache {
    std::string chemin;
    struct timespec modification {};
    off_t taille = -1;
    std::vector<std::string> lignes;
} cache;

const std::vector<std::string>& Lignes(const char* fichier) {
    std::string chemin = Chemin_Resoudre(fichier);
    struct stat st {};
    if (::stat(chemin.c_str(), &st) != 0) {
        cache = Cache{};
        return cache.lignes;
    }
    if (chemin != cache.chemin || st.st_size != cache.taille || st.st_mtim.tv_sec != cache.modification.tv_sec ||
        st.st_mtim.tv_nsec != cache.modification.tv_nsec) {
        cache.lignes = LireLignes(fichier);
        cache.chemin = chemin;
        cache.taille = st.st_size;
        cache.modification = st.st_mtim;
    }
    return cache.lignes;
}

// The name of a "[section]" line, or false.
bool Section(const std::string& ligne, std::string* nom) {
    std::string l = SansBlancs(ligne);
    if (l.size() < 2 || l[0] != '[') return false;
    size_t f = l.find(']');
    if (f == std::string::npos) return false;
    *nom = SansBlancs(l.substr(1, f - 1));
    return true;
}

// The key and value of a "key=value" line, or false.
bool Entree(const std::string& ligne, std::string* cle, std::string* valeur) {
    std::string l = SansBlancs(ligne);
    if (l.empty() || l[0] == ';') return false;
    size_t e = l.find('=');
    if (e == std::string::npos) return false;
    *cle = SansBlancs(l.substr(0, e));
    if (valeur) *valeur = SansBlancs(l.substr(e + 1));
    return true;
}

// A value without its one pair of surrounding quotes.
void SansGuillemets(std::string* v) {
    if (v->size() >= 2 && ((*v)[0] == '"' || (*v)[0] == '\'') && v->back() == (*v)[0]) *v = v->substr(1, v->size() - 2);
}

bool Chercher(const char* section, const char* cle, const char* fichier, std::string* valeur) {
    if (section == nullptr || cle == nullptr || fichier == nullptr) return false;
    bool dedans = false;
    std::string nom, k, v;
    for (const std::string& ligne : Lignes(fichier)) {
        if (Section(ligne, &nom)) {
            dedans = EgalSansCasse(nom, section);
        } else if (dedans && Entree(ligne, &k, &v) && EgalSansCasse(k, cle)) {
            SansGuillemets(&v);
            *valeur = v;
            return true;
        }
    }
    return false;
}

}  // namespace

int32_t Profil_LireEntier(const char* section, const char* cle, int32_t defaut, const char* fichier) {
    std::string v;
    if (!Chercher(section, cle, fichier, &v)) return defaut;
    const char* p = v.c_str();
    bool negatif = false;
    if (*p == '-' || *p == '+') negatif = *p++ == '-';
    int64_t n = 0;
    while (*p >= '0' && *p <= '9') {
        n = n * 10 + (*p++ - '0');
        if (n > 0xFFFFFFFFLL) n = 0xFFFFFFFFLL;
    }
    return static_cast<int32_t>(static_cast<uint32_t>(negatif ? -n : n));
}

uint32_t Profil_LireTexte(const char* section, const char* cle, const char* defaut, char* tampon, uint32_t taille,
                          const char* fichier) {
    if (tampon == nullptr || taille == 0) return 0;
    std::string v;
    if (!Chercher(section, cle, fichier, &v)) v = defaut ? SansBlancs(defaut) : std::string();
    size_t n = v.size() < taille - 1 ? v.size() : taille - 1;
    std::memcpy(tampon, v.data(), n);
    tampon[n] = 0;
    return static_cast<uint32_t>(n);
}

bool Profil_EcrireTexte(const char* section, const char* cle, const char* valeur, const char* fichier) {
    if (section == nullptr || fichier == nullptr) return false;
    std::vector<std::string> lignes = Lignes(fichier);
    cache = Cache{};
    std::vector<std::string> sortie;
    bool dedans = false, trouveeSection = false, ecrite = false;
    std::string nom, k;
    auto ajouterAvantFin = [&]() {
        // Before the blank lines that close the section.
        size_t i = sortie.size();
        while (i > 0 && SansBlancs(sortie[i - 1]).empty()) --i;
        sortie.insert(sortie.begin() + static_cast<long>(i), std::string(cle) + "=" + valeur);
    };
    for (const std::string& ligne : lignes) {
        if (Section(ligne, &nom)) {
            if (dedans && !ecrite && cle != nullptr && valeur != nullptr) {
                ajouterAvantFin();
                ecrite = true;
            }
            dedans = EgalSansCasse(nom, section);
            if (dedans) {
                trouveeSection = true;
                if (cle == nullptr) continue;
            }
            sortie.push_back(ligne);
            continue;
        }
        if (dedans) {
            if (cle == nullptr) continue;
            if (Entree(ligne, &k, nullptr) && EgalSansCasse(k, cle)) {
                if (valeur != nullptr && !ecrite) sortie.push_back(k + "=" + valeur);
                ecrite = true;
                continue;
            }
        }
        sortie.push_back(ligne);
    }
    if (cle != nullptr && valeur != nullptr && !ecrite) {
        if (dedans) {
            ajouterAvantFin();
        } else if (!trouveeSection) {
            sortie.push_back(std::string("[") + section + "]");
            sortie.push_back(std::string(cle) + "=" + valeur);
        }
    }
    FILE* f = Ouvrir(fichier, "wb");
    if (f == nullptr) return false;
    bool ok = true;
    for (const std::string& l : sortie) {
        ok = ok && std::fwrite(l.data(), 1, l.size(), f) == l.size() && std::fwrite("\r\n", 1, 2, f) == 2;
    }
    return std::fclose(f) == 0 && ok;
}

std::vector<std::string> Profil_LireCles(const char* section, const char* fichier) {
    std::vector<std::string> cles;
    if (section == nullptr || fichier == nullptr) return cles;
    bool dedans = false;
    std::string nom, k;
    for (const std::string& ligne : Lignes(fichier)) {
        if (Section(ligne, &nom)) dedans = EgalSansCasse(nom, section);
        else if (dedans && Entree(ligne, &k, nullptr)) cles.push_back(k);
    }
    return cles;
}

std::vector<std::pair<std::string, std::string>> Profil_LireSection(const char* section, const char* fichier) {
    std::vector<std::pair<std::string, std::string>> entrees;
    if (section == nullptr || fichier == nullptr) return entrees;
    bool dedans = false;
    std::string nom, k, v;
    for (const std::string& ligne : Lignes(fichier)) {
        if (Section(ligne, &nom)) {
            dedans = EgalSansCasse(nom, section);
        } else if (dedans && Entree(ligne, &k, &v)) {
            SansGuillemets(&v);
            entrees.emplace_back(k, v);
        }
    }
    return entrees;
}
