#include "shell/resultats.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "battle/joueur_evenements.h"
#include "battle/sorts_actions.h"
#include "campaign/armee.h"
#include "campaign/campagne.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/objetsgfx.h"
#include "foundation/texte.h"
#include "frontend/localisation.h"
#include "platform/temps.h"
#include "scene/panneau.h"
#include "shell/chefs.h"
#include "shell/routeur.h"
#include "shell/victoire.h"
#include "world/experience.h"
#include "world/groupes.h"
#include "world/niveau.h"
#include "world/objets.h"

int32_t BilanOuvert = 0;

namespace {

constexpr int OBJET_BILAN = 1363, OBJET_MARQUE = 1364, OBJET_CURSEUR = 19;
constexpr uint32_t PAS_JAUGE = 20;

int32_t Pourcentage(int32_t restants, int32_t total) {
    if (total <= 0) return 0;
    const int64_t p = 100 - static_cast<int64_t>(restants) * 100 / total;
    return static_cast<int32_t>(std::clamp<int64_t>(p, 0, 100));
}

struct Jauge {
    int premiereImage, x, y;   // the gauge sprite
    int texteX, texteY;        // its value
    int ligne;                 // its format in the interface texts
    int boite[4];              // click box: left, top, right, bottom (right and bottom excluded)
    bool compteur;
};
constexpr std::array<Jauge, 5> Jauges{{
    {3, 85, 135, 160, 133, 137, {22, 68, 147, 191}, false},
    {24, 145, 257, 210, 255, 138, {94, 210, 195, 299}, false},
    {45, 213, 345, 260, 343, 139, {179, 309, 245, 376}, false},
    {66, 284, 399, 320, 397, 140, {259, 372, 311, 425}, true},
    {87, 358, 445, 392, 443, 141, {337, 423, 380, 464}, true},
}};

void Texte(int x, int y, const char* format, int32_t valeur) {
    char t[128];
    std::snprintf(t, sizeof t, *format ? format : "%d", valeur);
    if (EcranDC) Texte_Dessiner(EcranDC, x, y, t);
}

// The leaders lost in the battle, from the right edge leftwards.
void ChefsPerdus() {
    int x = LargeurEcran - 30;
    auto perdu = [&x](const Chef& chef) {
        if (chef.maitre <= 0 || chef.maitre >= NOMBRE_TYPES_MAITRES || chef.present != 1) return;
        if (PopulationParType[static_cast<size_t>(chef.maitre)] > 0) return;
        Icone__Affichage(chef.maitre, x, 98);
        Sprite__Affiche(OBJET_MARQUE, x + 10, 105, 0);
        x -= 35;
    };
    if (CampagneCourante != 0) {
        for (const Chef& chef : TableChefs) perdu(chef);
    } else {
        perdu(TableChefs[0]);
    }
}

}  // namespace

int32_t Bilan__Limite(int32_t valeur, bool compteur) {
    if (compteur && valeur > 100) return 20;
    return std::max(0, valeur / 5);
}

const char* Bilan__Issue(int32_t resultat) {
    if (resultat == 1) return TexteInterface(134);
    if (resultat == 0) return TexteInterface(135);
    return "";
}

Bilan Bilan__Calcul(uint32_t duree) {
    Bilan b{};
    b.pertesAmies = Pourcentage(NbUnitesAmies, TotalUnitesAmies);
    b.pertesEnnemies = Pourcentage(NbUnitesEnnemies, TotalUnitesEnnemies);
    b.bonus = (b.pertesEnnemies - b.pertesAmies) * 50 / 100;
    b.precision = AttaquesJoueur > 0 ? static_cast<int32_t>(static_cast<int64_t>(AttaquesAvantageJoueur) * 100 / AttaquesJoueur) : 0;
    b.score = static_cast<int32_t>(std::clamp<int64_t>(static_cast<int64_t>(b.precision) + b.bonus, 0, 100));
    b.heures = static_cast<int32_t>(duree / 1000 / 3600);
    const uint32_t reste = duree - static_cast<uint32_t>(b.heures) * 3600000u;
    b.minutes = static_cast<int32_t>(reste / 1000 / 60);
    b.secondes = static_cast<int32_t>((reste - static_cast<uint32_t>(b.minutes) * 60000u) / 1000);
    return b;
}

void BilanBataille() {
    FonduNiveau = 0;
    TremblementAmplitude = 0;
    GroupeEnSelection = -1;
    Ecran_ModeVideo(640, 480);
    const EcranSprite clip = EcranDestination;
    EcranDestination.clipGauche = EcranDestination.clipHaut = 0;
    EcranDestination.clipDroite = 640;
    EcranDestination.clipBas = 480;
    BilanOuvert = 1;

    const Bilan b = Bilan__Calcul(Temps_Ticks() - DebutBataille);
    const std::array<int32_t, 5> valeurs{b.pertesAmies, b.pertesEnnemies, b.score, CreaturesInvoqueesJoueur, SortsLancesJoueur};
    std::array<int32_t, 5> croissance{};
    uint32_t dernierPas = Temps_Ticks();
    BoutonGauche = ClicGauche = 0;
    ToucheEchap = 0;
    bool quitter = false;
    int codeQuitter = 0;
    for (;;) {
        Message m;
        if (Message_Attente(&m)) {
            if (Message_Lire(&m) == 0) {
                quitter = true;
                codeQuitter = static_cast<int>(m.wParam);
                break;
            }
            Message_Traduire(&m);
            Message_Distribuer(&m);
            continue;
        }
        if (ToucheEchap) break;
        const bool coinOk = SourisX >= 591 && SourisY >= 431;
        if (ClicGauche && coinOk) break;
        if (ClicGauche) {
            ClicGauche = 0;
            for (size_t i = 0; i < Jauges.size(); ++i) {
                const auto& j = Jauges[i].boite;
                if (SourisX >= j[0] && SourisX < j[2] && SourisY >= j[1] && SourisY < j[3]) croissance[i] = 0;
            }
        }
        if (EcranTampon) std::fill(EcranTampon, EcranTampon + static_cast<size_t>(LargeurEcran) * static_cast<size_t>(HauteurEcran), uint16_t{0});
        Sprite__Affiche(OBJET_BILAN, LargeurEcran / 2, HauteurEcran / 2, 0);
        Sprite__Affiche(OBJET_BILAN, 615, 455, coinOk ? 2 : 1);
        Texte__ChoixFonte(2);
        Texte__Couleur(0xFFFFFF);
        for (size_t i = 0; i < Jauges.size(); ++i) {
            const Jauge& j = Jauges[i];
            Sprite__Affiche(OBJET_BILAN, j.x, j.y, j.premiereImage + croissance[i]);
            Texte(j.texteX, j.texteY, TexteInterface(j.ligne), valeurs[i]);
        }
        char temps[64];
        const char* format = TexteInterface(142);
        std::snprintf(temps, sizeof temps, *format ? format : "%d:%02d:%02d", b.heures, b.minutes, b.secondes);
        // The battle's length, the gold won and the experience gained, their text clear of the
        // panel's bottom edge (the panel labels the last two).
        if (EcranDC) Texte_Dessiner(EcranDC, 93, 391, temps);
        Texte(93, 416, "%d", OrJoueur - OrDebutBataille);
        Texte(93, 441, "%d", ExperienceBatailleJoueur);
        const char* titre = TitreBataille;
        if (EscarmoucheEnCours == 3) {
            titre = TexteInterface(143);
        } else {
            ChefsPerdus();
            if (MissionSpecialeEnCours) titre = TexteInterface(18);
        }
        // A decided battle is titled by its outcome; the battle's own title, if any, goes below.
        const char* issue = Bilan__Issue(ResultatBatailleCourant);
        if (*issue != '\0') {
            if (EscarmoucheEnCours != 3 && titre != nullptr && *titre != '\0')
                Texte__AfficheAligne20(620, 90, 255, 255, 255, 0, 0, titre);
            titre = issue;
        }
        Texte__AfficheAjuste(620, 50, 255, 255, 255, 0, titre);
        Sprite__Affiche(OBJET_CURSEUR, SourisX, SourisY, 0);
        Ecran_Affichage();

        if (Temps_Ticks() - dernierPas >= PAS_JAUGE) {
            dernierPas = Temps_Ticks();
            for (size_t i = 0; i < Jauges.size(); ++i)
                if (croissance[i] < Bilan__Limite(valeurs[i], Jauges[i].compteur)) ++croissance[i];
        }
        Temps_Dormir(10);
    }
    BoutonGauche = ClicGauche = 0;
    ToucheEchap = 0;
    BilanOuvert = 0;
    EcranDestination = clip;
    if (quitter) {
        QuitterJeu = 1;
        Message_PosterQuitter(codeQuitter);
    }
}
