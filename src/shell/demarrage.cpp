#include "shell/demarrage.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>

#include "battle/ia.h"
#include "battle/projectiles.h"
#include "campaign/region.h"
#include "campaign/variables.h"
#include "editors/editeurs.h"
#include "foundation/cinematique.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "foundation/fenetre.h"
#include "foundation/journal.h"
#include "foundation/objetsgfx.h"
#include "foundation/polices.h"
#include "foundation/son.h"
#include "foundation/sprites.h"
#include "frontend/bestiaire.h"
#include "frontend/escarmouche.h"
#include "frontend/localisation.h"
#include "frontend/menu_principal.h"
#include "frontend/texte_defilant.h"
#include "platform/blitter.h"
#include "platform/fichiers.h"
#include "platform/hasard.h"
#include "platform/profil.h"
#include "platform/son.h"
#include "platform/temps.h"
#include "scene/particules_effets.h"
#include "shell/conditions.h"
#include "shell/images.h"
#include "shell/missions.h"
#include "shell/trame.h"
#include "world/experience.h"
#include "world/maitres.h"
#include "world/univers.h"

int32_t CampagneCommencee = 0;
int32_t ResolutionLargeur = 640;
int32_t ResolutionHauteur = 480;
char CodeParental[TAILLE_CODE_PARENTAL] = "";
int32_t ControleParental = 0;
uint32_t HorlogeJeuCopie = 0;
int32_t EtatPassageBataille = 0;

namespace {

const char* const FICHIER_CONFIGURATION = "..\\INI\\Configuration.ini";
const char* const FICHIER_PARENTAL = "..\\INI\\DOZOZADO.DAT";
const char* const SECTION_PARENTAL = "TRUC";
const char* const CLE_CODE = "DOZOZADO LE GRAND";
const char* const CLE_CONTROLE = "DOZOZADO LE PETIT";

// The whole file written beside the old one, then renamed over it: a write cut short leaves the
// old file as it was.
bool EcrireEnEntier(const char* chemin, const std::string& contenu) {
    Repertoire_Creer("..\\INI");
    const std::string provisoire = std::string(chemin) + ".tmp";
    FILE* f = Fichier_Ouvrir(provisoire.c_str(), "wb");
    if (f == nullptr) return false;
    bool ok = std::fwrite(contenu.data(), 1, contenu.size(), f) == contenu.size();
    ok = std::fflush(f) == 0 && ok;
    ok = ::fsync(::fileno(f)) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    const std::string source = Chemin_Resoudre(provisoire.c_str());
    if (!ok || std::rename(source.c_str(), Chemin_Ecriture(chemin).c_str()) != 0) {
        std::remove(source.c_str());
        return false;
    }
    return true;
}

void TraceDebogueur(const char* texte) { Trace_Debogueur(texte); }

// The sprite library for this processor, then the graphic object table.
void InitialisationSprites() {
    CpuClasse = Cpu_Famille();
    if (CpuClasse < 0) CpuClasse = 5;
    int code = SprDll_Chargement(CpuClasse >= 4 ? "spr_p6.dll" : "spr_p5.dll");
    if (code == 0) code = SprDll_Init(12, BLITTER_FORMAT_555, nullptr);
    if (code != 0) {
        char texte[512] = "";
        Spr_MessageErreur(code, texte, sizeof texte);
        Erreur_Fatale("Init librairie sprite", "%s", texte);
    }
}

void InitialisationDirectX(void* instance) {
    Fichier_Copier("..\\ini\\variables.sav", "..\\ini\\variables.txt", true);
    Moteur__Initialisation();
    if (!Polices_Creation(instance)) Erreur_Fatale("Init Direct X", "problème d'initialisation Direct X");
    InitialisationSprites();
    CreationDeLalIsteDesObjetsGfx();
    // Headless runs replay: their seed is the manual clock's, not the date.
    Hasard_Graine(Plateforme_SansTete() ? Temps_Ticks() : static_cast<uint32_t>(std::time(nullptr)));
    Variables__charger();
    LocalisationInitialisation();
}

void Attendre(uint32_t ms) {
    if (!QuitterJeu) Temps_Dormir(ms);
}

// The intro picture, then the maker's sign in the corner lit up and dimmed again.
void ImageIntro() {
    Image__Affichage("..\\images\\Intro.tga");
    Ecran_Affichage();
    Attendre(1500);
    if (!Processeur_Mmx()) {
        Attendre(1000);
        return;
    }
    constexpr int SIGNE = 803, X = 10, Y = 435;
    for (int n = 0; n <= 18 && !QuitterJeu; n += 2) {
        Sprite__Affiche(SIGNE, X, Y, 0);
        Sprite__AfficheOmbreRGB(SIGNE, X, Y, 0, 20, 20, 20);
        Sprite__AfficheEclaire(SIGNE, X, Y, 0, n, n, n);
        Ecran_Affichage();
        Attendre(66);
    }
    for (int n = 10; n >= 2 && !QuitterJeu; n -= 2) {
        Sprite__Affiche(SIGNE, X, Y, 0);
        Sprite__AfficheEclaire(SIGNE, X, Y, 0, n, n, n);
        Ecran_Affichage();
        Attendre(66);
    }
    Sprite__Affiche(SIGNE, X, Y, 0);
    Ecran_Affichage();
    Attendre(200);
}

// Waiting messages are handed to the window; a quit message ends the program's loops.
void TraiterMessage() {
    Message m;
    if (!Message_Lire(&m)) {
        QuitterJeu = 1;
        return;
    }
    Message_Traduire(&m);
    Message_Distribuer(&m);
}

}  // namespace

int CheminInstallation() {
    // The install path is the program's own folder.
    std::error_code e;
    const std::filesystem::path programme = std::filesystem::read_symlink("/proc/self/exe", e);
    if (e || !programme.has_parent_path()) return -1;
    std::filesystem::current_path(programme.parent_path(), e);
    return e ? -1 : 1;
}

int InstanceUnique() {
    // A lock on a file of the program's folder, held until the process ends.
    static int descripteur = -1;
    if (descripteur >= 0) return 1;
    const std::string chemin = Chemin_Ecriture("Morvane.verrou");
    const int d = ::open(chemin.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (d < 0) return 0;
    if (::flock(d, LOCK_EX | LOCK_NB) != 0) {
        ::close(d);
        return 0;
    }
    descripteur = d;
    return 1;
}

void Configuration__Lecture() {
    int32_t v[7] = {};
    bool lu = false;
    if (FILE* f = Fichier_Ouvrir(FICHIER_CONFIGURATION, "rt")) {
        int n = 0;
        while (n < 7 && std::fscanf(f, "%d", &v[n]) == 1) ++n;
        std::fclose(f);
        lu = n == 7;
    }
    if (!lu) {
        // Missing or cut short: the current values (the defaults) are written back.
        Configuration__Ecriture();
        return;
    }
    CampagneCommencee = v[0] == 0 || v[0] == 1 ? v[0] : 0;
    ResolutionLargeur = v[1];
    ResolutionHauteur = v[2];
    // The volumes go straight to the devices: kept in their range.
    VolumeSons = std::clamp(v[3], 0, 100);
    VolumeMusique = std::clamp(v[4], 0, 100);
    NuagesActifs = v[5];
    LumiereActive = v[6];
    switch (ResolutionHauteur) {
        case 480: ResolutionLargeur = 640; break;
        case 600: ResolutionLargeur = 800; break;
        case 768: ResolutionLargeur = 1024; break;
        case 864: ResolutionLargeur = 1152; break;
        default:
            ResolutionLargeur = 640;
            ResolutionHauteur = 480;
            break;
    }
}

void Configuration__Ecriture() {
    std::string texte;
    for (int32_t v : {CampagneCommencee, ResolutionLargeur, ResolutionHauteur, VolumeSons, VolumeMusique, NuagesActifs,
                      LumiereActive})
        texte += std::to_string(v) + "\n";
    if (!EcrireEnEntier(FICHIER_CONFIGURATION, texte))
        Avertissement("Configuration__Ecriture()", "Ecriture impossible : %s", FICHIER_CONFIGURATION);
}

void Parental__Lecture() {
    Profil_LireTexte(SECTION_PARENTAL, CLE_CODE, "", CodeParental, sizeof CodeParental, FICHIER_PARENTAL);
    ControleParental = Profil_LireEntier(SECTION_PARENTAL, CLE_CONTROLE, 0, FICHIER_PARENTAL);
}

void Parental__Ecriture() {
    // Both keys go into a copy of the file, which then replaces it.
    std::string contenu;
    if (!Fichier_LireTout(FICHIER_PARENTAL, &contenu)) contenu.clear();
    const std::string provisoire = std::string(FICHIER_PARENTAL) + ".tmp";
    Repertoire_Creer("..\\INI");
    bool ok = false;
    if (FILE* f = Fichier_Ouvrir(provisoire.c_str(), "wb")) {
        ok = std::fwrite(contenu.data(), 1, contenu.size(), f) == contenu.size();
        ok = std::fclose(f) == 0 && ok;
    }
    const std::string controle = std::to_string(ControleParental);
    ok = ok && Profil_EcrireTexte(SECTION_PARENTAL, CLE_CODE, CodeParental, provisoire.c_str());
    ok = ok && Profil_EcrireTexte(SECTION_PARENTAL, CLE_CONTROLE, controle.c_str(), provisoire.c_str());
    const std::string source = Chemin_Resoudre(provisoire.c_str());
    if (!ok || std::rename(source.c_str(), Chemin_Ecriture(FICHIER_PARENTAL).c_str()) != 0) {
        std::remove(source.c_str());
        Avertissement("Winmain()", "Ecriture impossible : %s", FICHIER_PARENTAL);
    }
}

void Particules__Fin() {
    Effets_Liberation();
    ListeSprite_Liberation();
}

void ModeTriche__Activation() {
    Messages_Ajout("CHEAT MODE VORLKIP ACTIF", 4);
    TricheIAJoueur = 1;
    for (int armee = 1; armee <= 4; ++armee) {
        TableAttaque[0][static_cast<size_t>(armee)] = 1;
        TableCiblage[0][static_cast<size_t>(armee)] = 1;
    }
}

int Demarrage(void* instance) {
    Curseur__Masquer();
    MissionSpecialeEnCours = 0;
    MargeDroiteEfface = 0;
    // The install folder first: every settings path is relative to it, and a parental code read
    // from anywhere else would be lost when it is written back there at exit. Start-up goes on
    // whatever the folder and the single instance answer.
    CheminInstallation();
    Parental__Lecture();
    InstanceUnique();
    // 6, 7.
    Polices_Ajout();
    if (!Fenetre_Creation(instance)) return 0;
    // 8. Sound.
    TraceDebogueur("Winmain() - Initialisation de la librairie sonore\n");
    Ressource__Initialisation();
    Son__Initialisation(FenetrePrincipale);
    Son__LectureListe("..\\Son\\SoundList.ini");
    TraceDebogueur("Winmain() - Initialisation de la librairie sonore ok\n");
    CD__Arrete();
    // 9.
    Configuration__Lecture();
    CD__Volume(VolumeMusique);
    Son__VolumeAux(VolumeSons);
    // 10, 11.
    InitialisationDirectX(instance);
    Messages_Initialisation();
    Experience__Initialisation();
    if (EcranTampon) std::memset(EcranTampon, 0, static_cast<size_t>(LargeurEcran) * HauteurEcran * 2);
    // 12, 13, 14.
    Cinematique_Jouer("Rvf\\Tesk.rvs", 1, Ecran_AffichageRappel);
    Triche_Enregistrement("vorlkip", ModeTriche__Activation);
    if (!QuitterJeu) ImageIntro();
    // 15, 16, 17.
    Effets_Chargement();
    Effets_AdressesDemarrage();
    ProjectileRazQueue();
    Maitres__Liste__Creation();
    // 18, 19.
    CD__Joue(2);
    if (!QuitterJeu) TexteDefilant("..\\localisation\\TexteIntro.txt", 25);
    CD__Arrete();
    if (!QuitterJeu) Cinematique_Jouer("Rvf\\Intro.rvs", 1, Ecran_AffichageRappel);
    CD__Joue(2);
    MorvaneCode = 1;
    ObjetsGfx_LiberationSprites();
    return 1;
}

int BoucleJeu__Tour(uint32_t (*aiguillage)()) {
    Message m;
    if (Message_Attente(&m)) {
        TraiterMessage();
        return 0;
    }
    if (!ApplicationActive) {
        TraiterMessage();
        return 0;
    }
    if (!JeuEnPause) HorlogeJeu = HorlogeJeuCopie = Temps_Ticks();
    // Headless: the clock may jump to the next frame's gate, not beyond it.
    Plateforme_Echeance(Temps_Ticks() + 66);
    if (aiguillage() == 1) {
        RoutageOn = 1;
        return 1;
    }
    if (EtatBoucleJeu == 1) EtatBoucleJeu = 0;
    // Nothing to draw anew before the next pass: sleep until it is due or input comes.
    const int32_t reste = static_cast<int32_t>(DerniereTrame + PERIODE_TRAME - Temps_Ticks());
    if (reste > 0 && reste <= static_cast<int32_t>(PERIODE_TRAME)) Message_AttendreJusqua(static_cast<uint32_t>(reste));
    return 0;
}

int BoucleJeu(uint32_t (*aiguillage)()) {
    while (!QuitterJeu)
        if (BoucleJeu__Tour(aiguillage)) return 1;
    return 0;
}

namespace {

void EntrerBoucleJeu() {
    SaisieValidee = 0;
    // Keys pressed on the screens before are not commands of the scene.
    Entrees_RAZ();
    EtatPassageBataille = 0;
    if (ModeJeuCourant == 3) {
        MorvaneCode = 10;
    } else {
        MorvaneCode = 2;
        ModeSceneCourant = 1;
    }
    BoucleJeu(TrameAiguillage);
    Particules__Fin();
    Ecran_ModeVideo(640, 480);
}

}  // namespace

void BoucleMenuPrincipal() {
    while (!QuitterJeu) {
        ModeSceneCourant = 0;
        switch (MenuPrincipal(30000)) {
            case -1:
                CD__Arrete();
                Cinematique_Jouer("Rvf\\Intro.rvs", 1, Ecran_AffichageRappel);
                CD__Joue(2);
                break;
            case 0:
            case 3: EntrerBoucleJeu(); break;
            case 1:
                Campagne__CopieFichiers(5);
                Escarmouche();
                break;
            case 2:
                Campagne__CopieFichiers(5);
                MissionsSpeciales();
                break;
            case 4: BestiaireEcran(); break;
            case 5: return;
            case 6: TexteDefilant("..\\localisation\\credits.txt", 50); break;
            default: break;
        }
    }
}

void Arret() {
    Configuration__Ecriture();
    Polices_Retrait();
    Ecran_FinCinematique();
    Ressource__Fin();
    Son__Fin();
    SprDll_Free();
    ObjetsGfx_Liberation();
    Parental__Ecriture();
}

int Winmain(void* instance, void* precedente, const char*, int) {
    if (precedente != nullptr) return 0;
    if (!Demarrage(instance)) return 0;
    if (!Editeurs__OptionDeveloppeur()) BoucleMenuPrincipal();
    Arret();
    return 0;
}
