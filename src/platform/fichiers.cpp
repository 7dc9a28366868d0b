#include "platform/fichiers.h"

#include <dirent.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace {

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

namespace {

bool EstDossier(const std::string& chemin) {
    struct stat st{};
    return ::stat(chemin.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The first entry of a folder in name order whose name matches without regard to case, so that the
// choice does not depend on the directory's order. Each folder's listing is kept while the folder
// stays as it was (same inode, times unchanged); a folder changed less than two seconds before its
// listing is listed anew each time, since a change within the clock's tick would not show.
struct ListeDossier {
    dev_t dev = 0;
    ino_t ino = 0;
    timespec mtime{}, ctime{};
    std::unordered_map<std::string, std::string> parMinuscules;   // lower case -> first name
};

bool MemesTemps(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

std::string MinusculesAscii(const char* s) {
    std::string r = s;
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return r;
}

bool PremiereCorrespondance(const std::string& dossier, const std::string& partie, std::string* choisi) {
    static std::mutex verrou;
    static std::unordered_map<std::string, ListeDossier> listes;
    struct stat st{};
    if (::stat(dossier.c_str(), &st) != 0) return false;
    const std::string cle = MinusculesAscii(partie.c_str());
    std::lock_guard<std::mutex> garde(verrou);
    auto it = listes.find(dossier);
    if (it == listes.end() || it->second.dev != st.st_dev || it->second.ino != st.st_ino ||
        !MemesTemps(it->second.mtime, st.st_mtim) || !MemesTemps(it->second.ctime, st.st_ctim)) {
        if (it != listes.end()) listes.erase(it);
        timespec maintenant{};
        ::clock_gettime(CLOCK_REALTIME, &maintenant);
        ListeDossier liste;
        liste.dev = st.st_dev;
        liste.ino = st.st_ino;
        liste.mtime = st.st_mtim;
        liste.ctime = st.st_ctim;
        DIR* d = ::opendir(dossier.c_str());
        if (d == nullptr) return false;
        while (dirent* e = ::readdir(d)) {
            auto [place, nouveau] = liste.parMinuscules.emplace(MinusculesAscii(e->d_name), e->d_name);
            if (!nouveau && place->second > e->d_name) place->second = e->d_name;
        }
        ::closedir(d);
        if (maintenant.tv_sec - st.st_mtim.tv_sec < 2) {
            auto trouve = liste.parMinuscules.find(cle);
            if (trouve == liste.parMinuscules.end()) return false;
            *choisi = trouve->second;
            return true;
        }
        if (listes.size() >= 4096) listes.clear();
        it = listes.emplace(dossier, std::move(liste)).first;
    }
    auto trouve = it->second.parMinuscules.find(cle);
    if (trouve == it->second.parMinuscules.end()) return false;
    *choisi = trouve->second;
    return true;
}

// The components resolved from `base` ("" for the working directory, else a folder ending
// with '/'): the existing spelling of each where one matches.
std::string ResoudreDepuis(const std::string& base, const std::vector<std::string>& parties) {
    std::string resultat = base;
    bool existant = true;   // once a component is missing, the rest is kept as given
    for (size_t i = 0; i < parties.size(); ++i) {
        const std::string& partie = parties[i];
        std::string dossier = resultat.empty() ? "." : resultat;
        std::string choisi = partie;
        if (existant && partie != "." && partie != "..") {
            std::string exact = resultat + partie;
            if (!Existe(exact)) {
                if (!PremiereCorrespondance(dossier, partie, &choisi)) existant = false;
            }
        }
        resultat += choisi;
        if (i + 1 < parties.size()) resultat += '/';
    }
    return resultat;
}

std::string ResoudreJeu(const char* cheminJeu) {
    bool absolu = false;
    std::vector<std::string> parties = Composants(cheminJeu, &absolu);
    return ResoudreDepuis(absolu ? "/" : "", parties);
}

// The game path as components under the game's root (the folder above the working directory),
// false for an absolute path or one that leaves the root.
bool SousLaRacine(const char* cheminJeu, std::vector<std::string>* relatif) {
    bool absolu = false;
    std::vector<std::string> parties = Composants(cheminJeu, &absolu);
    if (absolu) return false;
    char courant[4096];
    if (::getcwd(courant, sizeof courant) == nullptr) return false;
    std::string ici = courant;
    size_t coupe = ici.find_last_of('/');
    std::string nom = coupe == std::string::npos ? ici : ici.substr(coupe + 1);
    if (nom.empty()) return false;
    relatif->assign(1, nom);
    for (const std::string& p : parties) {
        if (p == ".") continue;
        if (p == "..") {
            if (relatif->empty()) return false;
            relatif->pop_back();
        } else {
            relatif->push_back(p);
        }
    }
    return true;
}

// A game file deleted from the user's view while the game tree still holds it is hidden by a
// marker beside where the user's copy would be.
const char* const PREFIXE_EFFACE = ".morvane-efface-";

std::string Minuscules(const std::string& s) {
    std::string r = s;
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return r;
}

std::string MarqueEffacement(const std::string& cheminUtilisateur) {
    size_t coupe = cheminUtilisateur.find_last_of('/');
    return cheminUtilisateur.substr(0, coupe + 1) + PREFIXE_EFFACE + Minuscules(cheminUtilisateur.substr(coupe + 1));
}

// Where a game path lies in the user folder (resolved without regard to case), false when the
// user folder is the game tree or the path lies outside the game's root.
bool CheminUtilisateur(const char* cheminJeu, std::string* chemin) {
    const std::string dossier = Dossier_Utilisateur();
    if (dossier.empty()) return false;
    // Spelled as in the game tree where it has the folders, so that the user folder mirrors it.
    std::vector<std::string> relatif;
    if (!SousLaRacine(ResoudreJeu(cheminJeu).c_str(), &relatif)) return false;
    *chemin = ResoudreDepuis(dossier.back() == '/' ? dossier : dossier + "/", relatif);
    return true;
}

bool CreerDossiers(const std::string& chemin) {
    std::string courant;
    for (size_t i = 0; i <= chemin.size(); ++i) {
        if (i == chemin.size() || chemin[i] == '/') {
            if (!courant.empty() && !EstDossier(courant) && ::mkdir(courant.c_str(), 0755) != 0 && !EstDossier(courant))
                return false;
        }
        if (i < chemin.size()) courant += chemin[i];
    }
    return true;
}

}  // namespace

std::string Dossier_Utilisateur() {
    if (const char* choisi = std::getenv("MORVANE_UTILISATEUR")) return choisi;
    const char* donnees = std::getenv("XDG_DATA_HOME");
    if (donnees != nullptr && donnees[0] == '/') return std::string(donnees) + "/morvane";
    const char* maison = std::getenv("HOME");
    if (maison != nullptr && maison[0] == '/') return std::string(maison) + "/.local/share/morvane";
    return std::string();
}

std::string Chemin_Resoudre(const char* cheminJeu) {
    if (cheminJeu == nullptr) return std::string();
    std::string utilisateur;
    if (!CheminUtilisateur(cheminJeu, &utilisateur)) return ResoudreJeu(cheminJeu);
    if (Existe(utilisateur)) return utilisateur;
    if (Existe(MarqueEffacement(utilisateur))) return utilisateur;
    std::string jeu = ResoudreJeu(cheminJeu);
    return Existe(jeu) ? jeu : utilisateur;
}

std::string Chemin_Ecriture(const char* cheminJeu) {
    if (cheminJeu == nullptr) return std::string();
    std::string utilisateur;
    if (!CheminUtilisateur(cheminJeu, &utilisateur)) return ResoudreJeu(cheminJeu);
    size_t coupe = utilisateur.find_last_of('/');
    if (coupe != std::string::npos && coupe > 0) CreerDossiers(utilisateur.substr(0, coupe));
    return utilisateur;
}

FILE* Fichier_Ouvrir(const char* cheminJeu, const char* mode) {
    if (cheminJeu == nullptr || mode == nullptr) return nullptr;
    const bool ecriture = std::strpbrk(mode, "wa+") != nullptr;
    std::string chemin = Chemin_Resoudre(cheminJeu);
    if (ecriture) {
        // Written in the user folder; a file changed in place starts as the game tree's copy.
        std::string cible = Chemin_Ecriture(cheminJeu);
        if (cible != chemin && std::strchr(mode, 'w') == nullptr && Existe(chemin) && !Existe(cible)) {
            std::error_code e;
            std::filesystem::copy_file(chemin, cible, e);
        }
        chemin = cible;
    }
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
        // Copied in runs up to each CR that a LF follows, that CR left out.
        for (size_t debut = 0; debut < contenu.size();) {
            size_t cr = contenu.find('\r', debut);
            while (cr != std::string::npos && (cr + 1 >= contenu.size() || contenu[cr + 1] != '\n'))
                cr = contenu.find('\r', cr + 1);
            if (cr == std::string::npos) {
                flux->donnees.append(contenu, debut, std::string::npos);
                break;
            }
            flux->donnees.append(contenu, debut, cr - debut);
            debut = cr + 1;
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
    // The user folder's entries, then the game tree's that it neither holds nor hides.
    std::vector<std::string> dossiers;
    std::string utilisateur;
    const bool superpose = CheminUtilisateur(dossier.c_str(), &utilisateur);
    if (superpose) dossiers.push_back(utilisateur);
    dossiers.push_back(ResoudreJeu(dossier.c_str()));
    std::vector<std::string> vus;   // lower case
    for (size_t k = 0; k < dossiers.size(); ++k) {
        const bool jeu = superpose && k == 1;
        if (DIR* d = ::opendir(dossiers[k].c_str())) {
            while (dirent* e = ::readdir(d)) {
                if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
                if (superpose && std::strncmp(e->d_name, PREFIXE_EFFACE, std::strlen(PREFIXE_EFFACE)) == 0) continue;
                if (!Correspond(filtre.c_str(), e->d_name)) continue;
                const std::string bas = Minuscules(e->d_name);
                if (std::find(vus.begin(), vus.end(), bas) != vus.end()) continue;
                if (jeu && Existe(utilisateur + "/" + PREFIXE_EFFACE + bas)) continue;
                vus.push_back(bas);
                noms.emplace_back(e->d_name);
            }
            ::closedir(d);
        }
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

bool Fichier_Supprimer(const char* cheminJeu) {
    std::string utilisateur;
    if (cheminJeu == nullptr) return false;
    if (!CheminUtilisateur(cheminJeu, &utilisateur)) return ::unlink(ResoudreJeu(cheminJeu).c_str()) == 0;
    bool supprime = ::unlink(utilisateur.c_str()) == 0;
    // The game tree is never changed: its copy is hidden instead.
    const std::string marque = MarqueEffacement(utilisateur);
    struct stat st{};
    const std::string jeu = ResoudreJeu(cheminJeu);
    if (!Existe(marque) && ::stat(jeu.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        FILE* f = std::fopen(marque.c_str(), "wb");
        if (f == nullptr && CreerDossiers(marque.substr(0, marque.find_last_of('/'))))
            f = std::fopen(marque.c_str(), "wb");
        if (f == nullptr) return false;
        std::fclose(f);
        supprime = true;
    }
    return supprime;
}

bool Repertoire_Creer(const char* cheminJeu) {
    if (Repertoire_Existe(cheminJeu)) {
        std::string utilisateur;
        if (!CheminUtilisateur(cheminJeu, &utilisateur) || EstDossier(utilisateur)) return true;
    }
    std::string chemin = Chemin_Ecriture(cheminJeu);
    return CreerDossiers(chemin);
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
