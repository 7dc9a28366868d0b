#include "platform/fichiers.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

bool EgalSansCasse(const std::string& a, const char* b) {
    size_t n = a.size();
    if (std::strlen(b) != n) return false;
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

bool Existe(const std::string& chemin) {
    struct stat st{};
    return ::stat(chemin.c_str(), &st) == 0;
}

// The folder part and the components of a game path, '\' and '/' both separators.
std::vector<std::string> Composants(const char* chemin, bool* absolu) {
    std::vector<std::string> parties;
    std::string courant;
    *absolu = chemin[0] == '/' || chemin[0] == '\\';
    for (const char* p = chemin; *p; ++p) {
        if (*p == '\\' || *p == '/') {
            if (!courant.empty()) parties.push_back(courant);
            courant.clear();
        } else {
            courant += *p;
        }
    }
    if (!courant.empty()) parties.push_back(courant);
    return parties;
}

// '*' and '?' wildcards, without regard to case.
bool Correspond(const char* motif, const char* nom) {
    auto bas = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; };
    if (*motif == 0) return *nom == 0;
    if (*motif == '*') {
        for (const char* n = nom;; ++n) {
            if (Correspond(motif + 1, n)) return true;
            if (*n == 0) return false;
        }
    }
    if (*nom == 0) return false;
    if (*motif == '?' || bas(static_cast<unsigned char>(*motif)) == bas(static_cast<unsigned char>(*nom)))
        return Correspond(motif + 1, nom + 1);
    return false;
}

// Text streams read in text mode: CR LF becomes LF, as the game's data files were written on
// a system whose text streams did that.
struct FluxTexte {
    std::string donnees;
    size_t position = 0;
};

ssize_t LireTexte(void* cookie, char* tampon, size_t taille) {
    auto* f = static_cast<FluxTexte*>(cookie);
    size_t n = std::min(taille, f->donnees.size() - f->position);
    std::memcpy(tampon, f->donnees.data() + f->position, n);
    f->position += n;
    return static_cast<ssize_t>(n);
}

int ChercherTexte(void* cookie, off64_t* decalage, int origine) {
    auto* f = static_cast<FluxTexte*>(cookie);
    off64_t base = origine == SEEK_SET ? 0 : origine == SEEK_CUR ? static_cast<off64_t>(f->position)
                                                                 : static_cast<off64_t>(f->donnees.size());
    off64_t cible = base + *decalage;
    if (cible < 0 || cible > static_cast<off64_t>(f->donnees.size())) return -1;
    f->position = static_cast<size_t>(cible);
    *decalage = cible;
    return 0;
}

int FermerTexte(void* cookie) {
    delete static_cast<FluxTexte*>(cookie);
    return 0;
}

}  // namespace

std::string Chemin_Resoudre(const char* cheminJeu) {
    if (cheminJeu == nullptr) return std::string();
    bool absolu = false;
    std::vector<std::string> parties = Composants(cheminJeu, &absolu);
    std::string resultat = absolu ? "/" : "";
    bool existant = true;   // once a component is missing, the rest is kept as given
    for (size_t i = 0; i < parties.size(); ++i) {
        const std::string& partie = parties[i];
        std::string base = resultat.empty() ? "." : resultat;
        std::string choisi = partie;
        if (existant && partie != "." && partie != "..") {
            std::string exact = resultat + partie;
            if (!Existe(exact)) {
                bool trouve = false;
                if (DIR* d = ::opendir(base.c_str())) {
                    // The first match in name order, so that the choice does not depend on the directory's order.
                    std::vector<std::string> candidats;
                    while (dirent* e = ::readdir(d)) {
                        if (EgalSansCasse(partie, e->d_name)) candidats.emplace_back(e->d_name);
                    }
                    ::closedir(d);
                    if (!candidats.empty()) {
                        std::sort(candidats.begin(), candidats.end());
                        choisi = candidats.front();
                        trouve = true;
                    }
                }
                if (!trouve) existant = false;
            }
        }
        resultat += choisi;
        if (i + 1 < parties.size()) resultat += '/';
    }
    return resultat;
}

FILE* Fichier_Ouvrir(const char* cheminJeu, const char* mode) {
    if (cheminJeu == nullptr || mode == nullptr) return nullptr;
    std::string chemin = Chemin_Resoudre(cheminJeu);
    std::string m;
    bool texte = false;
    for (const char* p = mode; *p; ++p) {
        if (*p == 't') texte = true;
        else m += *p;
    }
    if (texte && m == "r") {
        std::string contenu;
        FILE* brut = std::fopen(chemin.c_str(), "rb");
        if (brut == nullptr) return nullptr;
        char bloc[65536];
        size_t n;
        while ((n = std::fread(bloc, 1, sizeof bloc, brut)) > 0) contenu.append(bloc, n);
        std::fclose(brut);
        auto flux = std::make_unique<FluxTexte>();
        flux->donnees.reserve(contenu.size());
        for (size_t i = 0; i < contenu.size(); ++i) {
            if (contenu[i] == '\r' && i + 1 < contenu.size() && contenu[i + 1] == '\n') continue;
            flux->donnees += contenu[i];
        }
        cookie_io_functions_t fonctions{LireTexte, nullptr, ChercherTexte, FermerTexte};
        FILE* f = fopencookie(flux.get(), "r", fonctions);
        if (f != nullptr) (void)flux.release();   // the stream owns it now
        return f;
    }
    return std::fopen(chemin.c_str(), m.c_str());
}

bool Fichier_Existe(const char* cheminJeu) {
    struct stat st{};
    return ::stat(Chemin_Resoudre(cheminJeu).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool Repertoire_Existe(const char* cheminJeu) {
    struct stat st{};
    return ::stat(Chemin_Resoudre(cheminJeu).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int64_t Fichier_TailleChemin(const char* cheminJeu) {
    struct stat st{};
    if (::stat(Chemin_Resoudre(cheminJeu).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<int64_t>(st.st_size);
}

std::vector<std::string> Repertoire_Lister(const char* motif) {
    std::vector<std::string> noms;
    if (motif == nullptr) return noms;
    std::string m = motif;
    size_t coupe = m.find_last_of("\\/");
    std::string dossier = coupe == std::string::npos ? std::string(".")
                          : coupe == 0                ? std::string(1, '/')
                                                      : m.substr(0, coupe);
    std::string filtre = coupe == std::string::npos ? m : m.substr(coupe + 1);
    std::string chemin = Chemin_Resoudre(dossier.c_str());
    if (DIR* d = ::opendir(chemin.c_str())) {
        while (dirent* e = ::readdir(d)) {
            if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
            if (Correspond(filtre.c_str(), e->d_name)) noms.emplace_back(e->d_name);
        }
        ::closedir(d);
    }
    std::sort(noms.begin(), noms.end());
    return noms;
}

bool Fichier_Copier(const char* source, const char* destination, bool ecraser) {
    if (!ecraser && Fichier_Existe(destination)) return false;
    std::string contenu;
    if (!Fichier_LireTout(source, &contenu)) return false;
    FILE* f = Fichier_Ouvrir(destination, "wb");
    if (f == nullptr) return false;
    bool ok = std::fwrite(contenu.data(), 1, contenu.size(), f) == contenu.size();
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

bool Fichier_Supprimer(const char* cheminJeu) { return ::unlink(Chemin_Resoudre(cheminJeu).c_str()) == 0; }

bool Repertoire_Creer(const char* cheminJeu) {
    std::string chemin = Chemin_Resoudre(cheminJeu);
    if (Repertoire_Existe(cheminJeu)) return true;
    return ::mkdir(chemin.c_str(), 0755) == 0;
}

bool Fichier_LireTout(const char* cheminJeu, std::string* contenu) {
    FILE* f = Fichier_Ouvrir(cheminJeu, "rb");
    if (f == nullptr) return false;
    contenu->clear();
    char bloc[65536];
    size_t n;
    while ((n = std::fread(bloc, 1, sizeof bloc, f)) > 0) contenu->append(bloc, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}
