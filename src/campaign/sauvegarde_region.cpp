#include "campaign/sauvegarde_region.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include "campaign/armee.h"
#include "campaign/armee_fichiers.h"
#include "campaign/campagne.h"
#include "campaign/catalogue.h"
#include "campaign/chargement_armees.h"
#include "campaign/ennemis.h"
#include "campaign/lieux_uniques.h"
#include "campaign/region.h"
#include "campaign/variables.h"
#include "foundation/erreurs.h"
#include "foundation/listes.h"
#include "platform/fichiers.h"
#include "shell/chefs.h"
#include "shell/demarrage.h"
#include "shell/victoire.h"
#include "world/objets.h"

namespace fs = std::filesystem;

namespace {

const char* const TMP = "..\\tmp\\Joueur0\\";
const char* const OU_REGION = "ChargeRegion()";
const char* const OU_SAUVEGARDE = "SauvegardeRegion()";
const char* const OU_CHARGEMENT = "ChargementPartie()";
constexpr int32_t MAITRE_HEROS = 5;

std::string Minuscules(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Integers of a text, each followed by one of the separators (blanks and line ends always allowed
// before it); false on anything else.
bool LireEntier(const char*& p, int32_t* valeur) {
    while (*p == ' ' || *p == '\t' || *p == '\r') ++p;
    errno = 0;
    char* fin = nullptr;
    const long v = std::strtol(p, &fin, 10);
    if (fin == p || errno != 0 || v < INT32_MIN || v > INT32_MAX) return false;
    *valeur = static_cast<int32_t>(v);
    p = fin;
    while (*p == ' ' || *p == '\t' || *p == '\r') ++p;
    return true;
}

// ---- The three files of the working folder.

std::string ZekinfoTexte() {
    std::string t;
    auto ajouter = [&t](int32_t v) { t += std::to_string(v) + "\n"; };
    for (int32_t v : AlliancesEnAttente) ajouter(v);
    for (int32_t v : DefectionsEnAttente) ajouter(v);
    ajouter(OrJoueur);
    for (const Chef& c : TableChefs) {
        ajouter(c.maitre);
        ajouter(c.reserve);
        ajouter(c.present);
        ajouter(c.PointEntree);
    }
    ajouter(NbRenforts);
    for (const DemandeRenfort& r : TableRenforts) {
        ajouter(r.section);
        ajouter(r.copies);
        ajouter(r.niveau);
    }
    ajouter(ExperienceHeros);
    return t;
}

void ZekinfoAppliquer(const std::array<int32_t, VALEURS_ZEKINFO>& v) {
    size_t k = 0;
    for (int32_t& a : AlliancesEnAttente) a = v[k++];
    for (int32_t& d : DefectionsEnAttente) d = v[k++];
    OrJoueur = v[k++];
    for (Chef& c : TableChefs) {
        c.maitre = v[k++];
        c.reserve = v[k++];
        c.present = v[k++];
        c.PointEntree = v[k++];
    }
    NbRenforts = v[k++];
    for (DemandeRenfort& r : TableRenforts) {
        r.section = v[k++];
        r.copies = v[k++];
        r.niveau = v[k++];
    }
    ExperienceHeros = v[k++];
}

std::string NomCarteTexte() {
    return std::string(Chemin__Region()) + ".txt\n" + std::to_string(CampagneCourante) + " " +
           std::to_string(EtapeCampagne) + " " + std::to_string(NumeroRegion) + " " + std::to_string(CampDuJoueur) + "\n";
}

std::array<int32_t, CHAMPS_POSREG> PosregChamps(const RegimentRegion& r) {
    return {r.x, r.y, r.vue, r.reserve, r.engagement, r.toursNecessaires, r.pointsCourants, r.pointsAction,
            r.compteurTour, r.casesRestantes, r.embuscadePrete, r.campe, r.compteurEmbuscade, r.attente,
            r.etat, r.esquive, r.nbPoints, r.indicePas};
}

void PosregAppliquer(RegimentRegion& r, const std::array<int32_t, CHAMPS_POSREG>& c) {
    r.x = c[0];
    r.y = c[1];
    r.vue = c[2];
    r.reserve = c[3];
    r.engagement = c[4];
    r.toursNecessaires = c[5];
    r.pointsCourants = c[6];
    r.pointsAction = c[7];
    r.compteurTour = c[8];
    r.casesRestantes = c[9];
    r.embuscadePrete = c[10];
    r.campe = c[11];
    r.compteurEmbuscade = c[12];
    r.attente = c[13];
    r.etat = c[14];
    r.esquive = c[15];
    r.nbPoints = c[16];
    r.indicePas = c[17];
    r.surCarte = 1;
    // The path itself is not kept with the regiment: none is left to follow.
    r.nbPoints = -1;
    r.indicePas = 0;
    r.casesRestantes = 0;
    r.coutChemin = 0;
}

std::string PosregTexte() {
    std::string t;
    for (int i = 0; i < NbRegimentsRegion && i < REGIMENTS_REGION; ++i) {
        const auto c = PosregChamps(RegimentsRegion[static_cast<size_t>(i)]);
        for (int k = 0; k < CHAMPS_POSREG; ++k) t += std::to_string(c[static_cast<size_t>(k)]) + (k + 1 < CHAMPS_POSREG ? "," : "\n");
    }
    return t;
}

// "nbRegiments %d" of an army header; -1 when the text does not hold it or it is outside 0..12.
int LireEntete(const std::string& texte) {
    int n = -1;
    if (std::sscanf(texte.c_str(), " nbRegiments %d", &n) != 1 || n < 0 || n > REGIMENTS_REGION) return -1;
    return n;
}

bool EcrireTravail(const char* nom, const std::string& contenu) {
    EcritureSure e(std::string(TMP) + nom);
    if (e.Flux() == nullptr) return false;
    std::fwrite(contenu.data(), 1, contenu.size(), e.Flux());
    return e.Valider();
}

// The regiments' cells from their tokens on the map.
void CasesDesJetons() {
    for (NoeudEntier* n = ListeObjetsVivants; n && n->suivant; n = n->suivant) {
        if (n->valeur < 1 || n->valeur >= NOMBRE_OBJETS) continue;
        const Objet& o = TableObjets[static_cast<size_t>(n->valeur)];
        if (o.famille != 23 || o.sorts[0] < 0 || o.sorts[0] >= REGIMENTS_REGION) continue;
        RegimentRegion& r = RegimentsRegion[static_cast<size_t>(o.sorts[0])];
        r.x = o.x;
        r.y = o.y;
    }
}

// ---- Slot folders on disk.

// The files of a folder on this system, by lower-case name.
std::map<std::string, std::string> Fichiers(const std::string& dossier) {
    std::map<std::string, std::string> noms;
    if (DIR* d = ::opendir(dossier.c_str())) {
        while (dirent* e = ::readdir(d)) {
            if (e->d_name[0] == '.') continue;
            const std::string chemin = dossier + "/" + e->d_name;
            struct stat st{};
            if (::stat(chemin.c_str(), &st) == 0 && S_ISREG(st.st_mode)) noms.emplace(Minuscules(e->d_name), e->d_name);
        }
        ::closedir(d);
    }
    return noms;
}

bool LireSysteme(const std::string& chemin, std::string* contenu) {
    FILE* f = std::fopen(chemin.c_str(), "rb");
    if (f == nullptr) return false;
    contenu->clear();
    char bloc[65536];
    size_t n;
    while ((n = std::fread(bloc, 1, sizeof bloc, f)) > 0) contenu->append(bloc, n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

// Written and flushed to the disk before it is closed.
bool EcrireSysteme(const std::string& chemin, const std::string& contenu) {
    const int d = ::open(chemin.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (d < 0) return false;
    size_t fait = 0;
    bool ok = true;
    while (ok && fait < contenu.size()) {
        const ssize_t n = ::write(d, contenu.data() + fait, contenu.size() - fait);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) fait += static_cast<size_t>(n);
    }
    ok = ::fsync(d) == 0 && ok;
    return ::close(d) == 0 && ok;
}

bool SynchroniserDossier(const std::string& dossier) {
    const int d = ::open(dossier.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (d < 0) return false;
    const bool ok = ::fsync(d) == 0;
    ::close(d);
    return ok;
}

bool EstDossier(const std::string& chemin) {
    std::error_code e;
    return fs::is_directory(chemin, e);
}

// A save is built in "<slot>.tmp" and only then takes the slot's place: the old slot is moved to
// "<slot>.old", the new one renamed in, the old one removed. After a stop at any instant, the
// slot is put back whole: a ".old" left without the slot means the ".tmp" beside it is complete.
void Reparer(const std::string& dossier) {
    const std::string neuf = dossier + ".tmp", ancien = dossier + ".old";
    std::error_code e;
    if (!EstDossier(dossier) && EstDossier(ancien)) {
        if (EstDossier(neuf) && std::rename(neuf.c_str(), dossier.c_str()) == 0) {
            SynchroniserDossier(fs::path(dossier).parent_path().string());
        } else {
            std::rename(ancien.c_str(), dossier.c_str());
        }
    }
    if (EstDossier(dossier) && EstDossier(ancien)) fs::remove_all(ancien, e);
}

// The slot's folder on this system, to write (in the user folder).
std::string DossierEcriture(int32_t slot) { return Chemin_Ecriture(Emplacement__Dossier(slot).c_str()); }

// The slot's folder to read: the user folder's once a save was made there, else the game tree's.
std::string DossierLecture(int32_t slot) {
    const std::string ecrit = DossierEcriture(slot);
    Reparer(ecrit);
    if (EstDossier(ecrit)) return ecrit;
    return Chemin_Resoudre(Emplacement__Dossier(slot).c_str());
}

// What a restore takes from a slot, read and checked whole before anything is changed.
struct Contenu {
    std::map<std::string, std::string> fichiers;   // real name -> content
    NomCarte nomCarte;
    int nbRegiments = 0;
    std::array<std::array<int32_t, CHAMPS_POSREG>, 12> posreg{};
    std::array<int32_t, VALEURS_ZEKINFO> zekinfo{};
    // The enemy regiments of "ennemis.txt", taken up in place of those of the game left.
    std::unique_ptr<std::array<RegimentNmi, REGIMENTS_NMI>> ennemis = std::make_unique<std::array<RegimentNmi, REGIMENTS_NMI>>();
    int32_t nbEnnemis = 0;
};

bool Lire(int32_t slot, Contenu* c, std::string* erreur) {
    if (slot < 0 || slot >= NB_EMPLACEMENTS) {
        *erreur = "emplacement " + std::to_string(slot + 1) + " inconnu";
        return false;
    }
    const std::string dossier = DossierLecture(slot);
    const std::string nomDossier = fs::path(dossier).filename().string();
    if (!EstDossier(dossier)) {
        *erreur = nomDossier + " : sauvegarde absente";
        return false;
    }
    const auto noms = Fichiers(dossier);
    for (const auto& [bas, nom] : noms) {
        std::string contenu;
        if (!LireSysteme(dossier + "/" + nom, &contenu)) {
            *erreur = nomDossier + " : " + nom + " illisible";
            return false;
        }
        c->fichiers.emplace(nom, std::move(contenu));
    }
    auto texte = [&](const char* nom, std::string* t) {
        auto it = noms.find(nom);
        if (it == noms.end()) {
            *erreur = nomDossier + " : " + nom + " manquant";
            return false;
        }
        *t = c->fichiers[it->second];
        return true;
    };
    auto refuse = [&](const char* nom) {
        *erreur = nomDossier + " : " + nom + " incorrect";
        return false;
    };
    std::string t;
    if (!texte("nomcarte.txt", &t)) return false;
    if (!NomCarte__Lire(t, &c->nomCarte)) return refuse("nomcarte.txt");
    if (!texte("entete_armee.txt", &t)) return false;
    c->nbRegiments = LireEntete(t);
    if (c->nbRegiments < 0) return refuse("entete_armee.txt");
    for (int i = 0; i < c->nbRegiments; ++i) {
        const std::string regiment = "regiment" + std::to_string(i) + ".txt";
        if (!texte(regiment.c_str(), &t)) return false;
    }
    if (!texte("posreg.txt", &t)) return false;
    if (!Posreg__Lire(t, c->nbRegiments, &c->posreg)) return refuse("posreg.txt");
    if (!texte("zekinfo.txt", &t)) return false;
    if (!Zekinfo__Lire(t, &c->zekinfo)) return refuse("zekinfo.txt");
    if (!texte("ennemis.txt", &t)) return false;
    if (t.find('\0') != std::string::npos) return refuse("ennemis.txt");
    FILE* f = fmemopen(t.data(), t.size(), "r");
    if (f == nullptr) return refuse("ennemis.txt");
    std::string raison;
    const bool ennemisLus = RegimentsNmi__Lire(f, c->ennemis->data(), &c->nbEnnemis, &raison);
    std::fclose(f);
    if (!ennemisLus) return refuse("ennemis.txt");
    for (const char* nom : {"uniques.txt", "reserve.txt", "variables.txt"})
        if (!texte(nom, &t)) return false;
    return true;
}

// The factions of a campaign: the files of each camp, the player's faction (and the catalogue's),
// whether the hero leads.
struct FactionsCampagne {
    int32_t camps[4];
    int32_t camp;
    bool heros;
};
constexpr FactionsCampagne FACTIONS[NB_CAMPAGNES] = {
    {{1, 2, 3, 0}, 1, false}, {{3, 2, 1, 0}, 3, true}, {{1, 2, 3, 0}, 1, true},
    {{0, 2, 3, 1}, 0, true},  {{2, 1, 3, 0}, 2, true},
};

bool CopierVers(const std::string& contenu, const std::string& cheminJeu) {
    EcritureSure e(cheminJeu);
    if (e.Flux() == nullptr) return false;
    std::fwrite(contenu.data(), 1, contenu.size(), e.Flux());
    return e.Valider();
}

}  // namespace

std::string Emplacement__Dossier(int32_t slot) {
    char nom[64];
    std::snprintf(nom, sizeof nom, "..\\sauvegarde\\sauvegarde%02d", static_cast<int>(slot) + 1);
    return nom;
}

bool Zekinfo__Lire(const std::string& texte, std::array<int32_t, VALEURS_ZEKINFO>* valeurs) {
    const char* p = texte.c_str();
    for (int k = 0; k < VALEURS_ZEKINFO; ++k) {
        int32_t v = 0;
        if (!LireEntier(p, &v) || *p != '\n') return false;   // a value cut short has no line end
        ++p;
        (*valeurs)[static_cast<size_t>(k)] = v;
    }
    while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n') ++p;
    if (*p != 0 || p != texte.c_str() + texte.size()) return false;
    const int32_t renforts = (*valeurs)[5 + 5 + 1 + 4 * NOMBRE_CHEFS];
    return renforts >= 0 && renforts <= NOMBRE_RENFORTS;
}

bool Posreg__Lire(const std::string& texte, int nombre, std::array<std::array<int32_t, CHAMPS_POSREG>, 12>* lignes) {
    if (nombre < 0 || nombre > REGIMENTS_REGION || texte.find('\0') != std::string::npos) return false;
    const char* p = texte.c_str();
    for (int i = 0; i < nombre; ++i) {
        for (int k = 0; k < CHAMPS_POSREG; ++k) {
            int32_t v = 0;
            if (!LireEntier(p, &v)) return false;
            if (*p != (k + 1 < CHAMPS_POSREG ? ',' : '\n')) return false;
            ++p;
            (*lignes)[static_cast<size_t>(i)][static_cast<size_t>(k)] = v;
        }
    }
    while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n') ++p;
    return *p == 0;
}

bool NomCarte__Lire(const std::string& texte, NomCarte* n) {
    if (texte.find('\0') != std::string::npos) return false;
    FILE* f = fmemopen(const_cast<char*>(texte.data()), texte.size(), "r");
    if (f == nullptr) return false;
    n->camp = -1;
    bool ok = Region__LireNomCarte(f, &n->fichier, &n->campagne, &n->etape, &n->numero);
    if (ok) {
        int camp = -1;
        if (std::fscanf(f, "%d", &camp) == 1) {
            ok = camp >= 0 && camp <= 3;
            n->camp = camp;
        }
    }
    std::fclose(f);
    return ok;
}

void RegionViderTmp() {
    for (const std::string& nom : Repertoire_Lister("..\\tmp\\Joueur0\\*.*")) {
        if (nom.empty() || nom[0] == '.') continue;
        Fichier_Supprimer((std::string(TMP) + nom).c_str());
    }
}

void RegionMemoriserEtat() {
    CasesDesJetons();
    if (EtatPassageBataille != 1) {
        RegionSauverLieuxUniques("..\\tmp\\Joueur0\\uniques.txt");
    } else {
        // The first time in this region: the army's working copy.
        EtatPassageBataille = 2;
        std::fflush(nullptr);
        std::string entete;
        if (!Fichier_LireTout("..\\armees\\Joueur0\\entete_armee.txt", &entete)) Erreur_Fatale(OU_REGION, "fichier de positions non trouvé");
        const int n = LireEntete(entete);
        if (n < 0) Erreur_Fatale(OU_REGION, "Nombre de régiments incorrect");
        std::vector<std::pair<std::string, std::string>> copies;
        for (int i = 0; i < n; ++i) {
            const std::string nom = "regiment" + std::to_string(i) + ".txt";
            std::string contenu;
            if (!Fichier_LireTout(("..\\armees\\Joueur0\\" + nom).c_str(), &contenu)) {
                Avertissement(OU_REGION, "Copie impossible : %s", nom.c_str());
                continue;
            }
            copies.emplace_back(nom, std::move(contenu));
        }
        // The regiment files first, the header last: a header never lists a file not yet there.
        for (const auto& [nom, contenu] : copies)
            if (!CopierVers(contenu, std::string(TMP) + nom)) Avertissement(OU_REGION, "Copie impossible : %s", nom.c_str());
        if (!CopierVers(entete, std::string(TMP) + "entete_armee.txt")) Erreur_Fatale(OU_REGION, "fichier de positions non trouvé");
        NbRegimentsRegion = n;
    }
    Armee__viderRegimentsCharges();
}

bool SauvegardeRegion(int32_t slot) {
    if (slot < 0 || slot >= NB_EMPLACEMENTS) {
        Avertissement(OU_SAUVEGARDE, "Emplacement de sauvegarde inconnu : %d", slot + 1);
        return false;
    }
    Repertoire_Creer("..\\tmp");
    Repertoire_Creer("..\\tmp\\Joueur0");
    if (!EcrireTravail("zekinfo.txt", ZekinfoTexte()) || !EcrireTravail("nomcarte.txt", NomCarteTexte())) {
        Avertissement(OU_SAUVEGARDE, "fichier de positions non trouvé");
        return false;
    }
    RegimentNmi_Sauvegarde("..\\tmp\\joueur0\\ennemis.txt");
    RegionSauverLieuxUniques("..\\tmp\\joueur0\\uniques.txt");
    // A regiment without a token is kept at (0, 0).
    for (int i = 0; i < NbRegimentsRegion && i < REGIMENTS_REGION; ++i) {
        RegimentsRegion[static_cast<size_t>(i)].x = 0;
        RegimentsRegion[static_cast<size_t>(i)].y = 0;
    }
    CasesDesJetons();
    if (!EcrireTravail("posreg.txt", PosregTexte())) {
        Avertissement(OU_SAUVEGARDE, "fichier de positions non trouvé");
        return false;
    }

    // What goes into the slot, read before anything is written.
    std::vector<std::pair<std::string, std::string>> fichiers;
    bool ok = true;
    std::string manque;
    for (const std::string& nom : Repertoire_Lister("..\\tmp\\Joueur0\\*.*")) {
        if (nom.empty() || nom[0] == '.') continue;
        std::string contenu;
        if (!Fichier_LireTout((std::string(TMP) + nom).c_str(), &contenu)) {
            ok = false;
            manque = nom;
            break;
        }
        fichiers.emplace_back(nom, std::move(contenu));
    }
    for (const auto& [source, nom] : {std::pair<const char*, const char*>{"..\\Armees\\reserve.txt", "reserve.txt"},
                                      {"..\\ini\\variables.txt", "variables.txt"}}) {
        if (!ok) break;
        std::string contenu;
        if (!Fichier_LireTout(source, &contenu)) {
            ok = false;
            manque = source;
            break;
        }
        fichiers.emplace_back(nom, std::move(contenu));
    }
    const std::string dossier = DossierEcriture(slot);
    const std::string nomDossier = fs::path(dossier).filename().string();
    if (!ok) {
        Avertissement(OU_SAUVEGARDE, "%s : %s illisible, la sauvegarde n'est pas faite", nomDossier.c_str(), manque.c_str());
        return false;
    }

    // Built whole beside the slot, then put in its place.
    const std::string neuf = dossier + ".tmp", ancien = dossier + ".old";
    const std::string parent = fs::path(dossier).parent_path().string();
    std::error_code e;
    Reparer(dossier);
    fs::remove_all(neuf, e);
    fs::create_directories(neuf, e);
    ok = !e;
    for (const auto& [nom, contenu] : fichiers) {
        if (!ok) break;
        ok = EcrireSysteme(neuf + "/" + nom, contenu);
        if (!ok) manque = nom;
    }
    ok = ok && SynchroniserDossier(neuf) && SynchroniserDossier(parent);
    if (ok && EstDossier(dossier)) {
        fs::remove_all(ancien, e);
        ok = std::rename(dossier.c_str(), ancien.c_str()) == 0;
    }
    if (ok) {
        ok = std::rename(neuf.c_str(), dossier.c_str()) == 0;
        if (!ok) std::rename(ancien.c_str(), dossier.c_str());
    }
    if (!ok) {
        fs::remove_all(neuf, e);
        Avertissement(OU_SAUVEGARDE, "Ecriture impossible dans %s%s%s : la sauvegarde précédente est gardée", nomDossier.c_str(),
                      manque.empty() ? "" : ", ", manque.c_str());
        return false;
    }
    SynchroniserDossier(parent);
    fs::remove_all(ancien, e);
    return true;
}

bool Emplacement__Verifier(int32_t slot, std::string* erreur) {
    Contenu c;
    std::string raison;
    const bool ok = Lire(slot, &c, &raison);
    if (erreur) *erreur = raison;
    return ok;
}

bool ChargementPartie(int32_t slot) {
    Contenu c;
    std::string erreur;
    if (!Lire(slot, &c, &erreur)) {
        Avertissement(OU_CHARGEMENT, "Sauvegarde impossible à reprendre : %s", erreur.c_str());
        return false;
    }
    RegionViderTmp();
    for (const char* d : {"..\\tmp", "..\\tmp\\Joueur0", "..\\Armees", "..\\Armees\\Joueur0", "..\\ini"}) Repertoire_Creer(d);

    // The campaign, its factions and its templates.
    CampagneCourante = c.nomCarte.campagne;
    EtapeCampagne = c.nomCarte.etape;
    NumeroRegion = c.nomCarte.numero;
    const FactionsCampagne& f = FACTIONS[CampagneCourante];
    for (int i = 0; i < 4; ++i) CampParJoueur[i] = f.camps[i];
    CampDuJoueur = f.camp;
    CampCatalogue = f.camp;
    if (f.heros) TableChefs[0].maitre = MAITRE_HEROS;
    if (CampagneCourante >= 3) Campagne__CopieFichiers(CampagneCourante);
    else Campagne__CopieSections(CampagneCourante);

    // The working folder as it was saved; the army, the reserve and the variables in their places.
    // The army's regiment files go before its header.
    bool ok = true;
    std::string entete;
    for (const auto& [nom, contenu] : c.fichiers) {
        const std::string bas = Minuscules(nom);
        if (bas == "reserve.txt") {
            ok = CopierVers(contenu, "..\\Armees\\reserve.txt") && ok;
            continue;
        }
        if (bas == "variables.txt") {
            ok = CopierVers(contenu, "..\\ini\\variables.txt") && ok;
            continue;
        }
        ok = CopierVers(contenu, std::string(TMP) + nom) && ok;
        if (bas == "entete_armee.txt") entete = contenu;
        else if (bas.rfind("regiment", 0) == 0) ok = CopierVers(contenu, "..\\Armees\\Joueur0\\" + nom) && ok;
    }
    ok = CopierVers(entete, "..\\Armees\\Joueur0\\entete_armee.txt") && ok;
    if (!ok) Avertissement(OU_CHARGEMENT, "Copie impossible d'un fichier de %s", fs::path(Emplacement__Dossier(slot)).filename().c_str());

    NbRegimentsRegion = c.nbRegiments;
    for (int i = 0; i < c.nbRegiments; ++i)
        PosregAppliquer(RegimentsRegion[static_cast<size_t>(i)], c.posreg[static_cast<size_t>(i)]);
    ZekinfoAppliquer(c.zekinfo);
    RegimentsNmi = *c.ennemis;
    NbRegimentsNmi = c.nbEnnemis;
    Variables__charger();
    EtapeCampagne = 0;   // taken again from "nomcarte.txt" by the region's reader
    TexteRegionAffiche = 1;
    return true;
}
