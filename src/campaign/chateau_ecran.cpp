// The castle's building clicks: the army buildings open the army screen, the keep raises the
// castle, the other catalogue buildings open the upgrade screen.
#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "campaign/armee.h"
#include "campaign/armee_fichiers.h"
#include "campaign/chateau.h"
#include "campaign/gestion_armee.h"
#include "campaign/region.h"
#include "campaign/variables.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "foundation/objetsgfx.h"
#include "foundation/texte.h"
#include "platform/fichiers.h"
#include "shell/curseur.h"
#include "shell/routeur.h"
#include "world/objets.h"

namespace {

constexpr int OBJET_FENETRE = 953;
constexpr int OBJET_PIECE = 954;
constexpr int OBJET_CURSEUR = 19;
constexpr int LIGNES_VISIBLES = 6;
// The description box under the list: its text from its left edge to the close box, one line
// every 20 pixels, as many as the box holds.
constexpr int DESCRIPTION_X = -232, DESCRIPTION_LARGEUR = 392, DESCRIPTION_Y = 100, DESCRIPTION_PAS = 20,
              DESCRIPTION_LIGNES = 3;
const char* const OU_TASSER = "ChargeRegion()";

bool BatimentArmee(int m) {
    static const int ARMEE[] = {52, 53, 54, 68, 69, 83, 87, 88, 89, 104, 105, 118};
    return std::find(std::begin(ARMEE), std::end(ARMEE), m) != std::end(ARMEE);
}

void SauverOr() {
    const char* chemin = "..\\Armees\\reserve.txt";
    std::string contenu;
    if (!Fichier_LireTout(chemin, &contenu)) contenu = "or 0\nnbReserves 0\n";
    const size_t fin = contenu.find('\n');
    const std::string reste = fin == std::string::npos ? "" : contenu.substr(fin + 1);
    if (contenu.compare(0, 3, "or ") != 0) {
        Avertissement("Sauvegarde", "sauvegarde de la réserve impossible");
        return;
    }
    EcritureSure ecriture(chemin);
    bool ok = ecriture.Flux() != nullptr;
    if (ok) ok = std::fprintf(ecriture.Flux(), "or %d\n%s", OrJoueur, reste.c_str()) > 0;
    if (!ecriture.Valider() || !ok) Avertissement("Sauvegarde", "sauvegarde de la réserve impossible");
}

Batiment* BatimentDe(int maitre) {
    int32_t type = 0, niveau = 0;
    if (!Batiment__chercher(maitre, &type, &niveau)) return nullptr;
    return CatalogueBatiments[static_cast<size_t>(niveau)][static_cast<size_t>(type)].get();
}

void Dessiner(const Batiment& b, const std::vector<LigneUpgrade>& lignes, int survolee) {
    const int w = LargeurEcran, h = HauteurEcran;
    Sprite__Affiche(OBJET_FENETRE, w / 2 - 284, h / 2 - 202, 0);
    const bool surFermer = SourisX > w / 2 + 168 && SourisX < w / 2 + 209 && SourisY > h / 2 + 120 && SourisY < h / 2 + 161;
    Sprite__Affiche(OBJET_FENETRE, w / 2 + 168, h / 2 + 120, surFermer ? 3 : 6);
    char texte[1200];
    std::snprintf(texte, sizeof texte, "- %s -", b.nom.c_str());
    Texte__AfficheAligne(w / 2, h / 2 - 150, 255, 230, 160, 1, texte);
    const int n = std::min(static_cast<int>(lignes.size()), LIGNES_VISIBLES);
    for (int i = 0; i < n; ++i) {
        const LigneUpgrade& l = lignes[static_cast<size_t>(i)];
        const std::string& nom = l.developpement ? l.developpement->nom : l.construction->nom;
        const int prix = l.developpement ? l.developpement->prix : l.construction->prix;
        const int y = h / 2 - 131 + 32 * i;
        int r = 170, g = 165, bl = 145;
        if (i == survolee) r = 228, g = 221, bl = 190;
        if (i == b.ligneChoisie) r = 255, g = 255, bl = 255;
        if (i == b.ligneChoisie) {
            Ecran__RemplitLigne(w / 2 - 240, y + 1, 440, 200);
            Ecran__RemplitLigne(w / 2 - 240, y + 30, 440, 200);
        }
        Texte__AfficheAligne(w / 2 - 232, y + 26, r, g, bl, 2, nom.c_str());
        std::snprintf(texte, sizeof texte, "%d", prix);
        Texte__AfficheAligne(w / 2 + 164, y + 26, r, g, bl, 0, texte);
        Sprite__Affiche(OBJET_PIECE, w / 2 + 170, y + 6, 0);
    }
    if (b.ligneChoisie >= 0 && b.ligneChoisie < static_cast<int>(lignes.size())) {
        const LigneUpgrade& l = lignes[static_cast<size_t>(b.ligneChoisie)];
        const auto& d = l.developpement ? l.developpement->description : l.construction->description;
        std::snprintf(texte, sizeof texte, "%s %s %s %s %s //", d[0].c_str(), d[1].c_str(), d[2].c_str(),
                      d[3].c_str(), d[4].c_str());
        const std::vector<std::string> description = InterfaceUpgradeChateau__lignesDescription(texte, DESCRIPTION_LARGEUR);
        for (size_t i = 0; i < description.size() && i < DESCRIPTION_LIGNES; ++i)
            Texte__AfficheAligne(w / 2 + DESCRIPTION_X, h / 2 + DESCRIPTION_Y + DESCRIPTION_PAS * static_cast<int>(i), 228,
                                 221, 190, 2, description[i].c_str());
    }
    Curseur__Ombre(OBJET_CURSEUR, 0);
}

}  // namespace

void Chateau__tasserArmee() {
    int n = 0;
    if (!RegionArmee__lireEntete("..\\armees\\Joueur0\\entete_armee.txt", &n))
        Erreur_Fatale(OU_TASSER, "fichier de positions non trouvé");
    if (n < 0 || n > REGIMENTS_REGION) {
        Erreur_Question(OU_TASSER, "Nombre de régiments incorrect : %d", n);
        return;
    }
    std::vector<std::pair<int, std::string>> vivants;
    std::string illisible;
    if (!RegionArmee__lireVivants("..\\armees\\Joueur0\\", n, &vivants, &illisible)) {
        // The army stays as it was.
        Erreur_Question(OU_TASSER, "Fichier régiment illisible : %s", illisible.c_str());
        return;
    }
    RegionArmee__ecrireVivants(vivants);
}

std::vector<LigneUpgrade> InterfaceUpgradeChateau__lignes(const Batiment& b) {
    std::vector<LigneUpgrade> lignes;
    for (const Developpement& d : b.developpements)
        if (!Developpement__acquis(d)) lignes.push_back({&d, nullptr});
    for (const Construction& c : b.constructions)
        if (!Construction__acquise(c)) lignes.push_back({nullptr, &c});
    return lignes;
}

bool InterfaceUpgradeChateau__acheter(Batiment* b, int n) {
    if (b == nullptr) return false;
    const std::vector<LigneUpgrade> lignes = InterfaceUpgradeChateau__lignes(*b);
    if (n < 0 || n >= static_cast<int>(lignes.size())) return false;
    const LigneUpgrade& l = lignes[static_cast<size_t>(n)];
    bool achete = false;
    if (l.developpement) {
        achete = Developpement__acheter(*l.developpement);
        if (achete && Batiments__toutAcquis(NiveauChateau)) {
            Batiments__preparerNiveauSuivant();
            ++NiveauChateauSuivant;
            Variables__appliquer();
            Variables__sauvegarder();
        }
    } else {
        achete = Construction__acheter(*l.construction);
    }
    if (achete) SauverOr();
    const int reste = static_cast<int>(InterfaceUpgradeChateau__lignes(*b).size());
    b->ligneChoisie = reste == 0 ? 0 : std::min(b->ligneChoisie, reste - 1);
    return achete;
}

std::vector<std::string> InterfaceUpgradeChateau__lignesDescription(const std::string& texte, int largeur) {
    // Mode 3 draws nothing and gives the width.
    const auto tient = [largeur](const std::string& t) { return Texte__AfficheAligne(0, 0, 0, 0, 0, 3, t.c_str()) <= largeur; };
    std::vector<std::string> lignes;
    std::string ligne;
    size_t i = 0;
    while (i < texte.size()) {
        if (texte[i] == ' ') {
            ++i;
            continue;
        }
        const size_t fin = std::min(texte.find(' ', i), texte.size());
        std::string mot = texte.substr(i, fin - i);
        i = fin;
        const std::string essai = ligne.empty() ? mot : ligne + ' ' + mot;
        if (tient(essai)) {
            ligne = essai;
            continue;
        }
        if (!ligne.empty()) lignes.push_back(ligne);
        ligne.clear();
        // A word too wide for a whole line goes on in pieces.
        while (mot.size() > 1 && !tient(mot)) {
            size_t n = mot.size() - 1;
            while (n > 1 && !tient(mot.substr(0, n))) --n;
            lignes.push_back(mot.substr(0, n));
            mot.erase(0, n);
        }
        ligne = mot;
    }
    if (!ligne.empty()) lignes.push_back(ligne);
    return lignes;
}

int InterfaceUpgradeChateau__boucle(Batiment* b) {
    if (b == nullptr) return 1;
    const int w = LargeurEcran, h = HauteurEcran;
    Entrees_RAZ();
    {
        const int n = static_cast<int>(InterfaceUpgradeChateau__lignes(*b).size());
        b->ligneChoisie = n == 0 ? 0 : ((b->ligneChoisie % n) + n) % n;
    }
    static int compteurA = 0, compteurB = 0;
    int resultat = 1;
    for (;;) {
        compteurA = (compteurA + 1) % 25;
        compteurB = (compteurB + 1) % 43;
        const std::vector<LigneUpgrade> lignes = InterfaceUpgradeChateau__lignes(*b);
        const int n = static_cast<int>(lignes.size());
        int survolee = -1;
        for (int i = 0; i < std::min(n, LIGNES_VISIBLES); ++i)
            if (SourisY >= h / 2 - 131 + 32 * i && SourisY < h / 2 - 131 + 32 * (i + 1) && SourisX > w / 2 - 250 &&
                SourisX < w / 2 + 210)
                survolee = i;
        Dessiner(*b, lignes, survolee);
        const bool clic = ClicGauche != 0;
        ClicGauche = 0;
        const bool fermer = SourisX > w / 2 + 168 && SourisX < w / 2 + 209 && SourisY > h / 2 + 120 && SourisY < h / 2 + 161;
        if (ToucheEchap || (clic && fermer)) break;
        if (ToucheBas) {
            ToucheBas = 0;
            if (n > 0) b->ligneChoisie = (b->ligneChoisie + 1) % n;
        }
        if (ToucheHaut) {
            ToucheHaut = 0;
            if (n > 0) b->ligneChoisie = (b->ligneChoisie + n - 1) % n;
        }
        const bool surChoisie = SourisY >= h / 2 - 131 + 32 * b->ligneChoisie &&
                                SourisY < h / 2 - 131 + 32 * (b->ligneChoisie + 1) && SourisX > w / 2 - 250 &&
                                SourisX < w / 2 + 210;
        if (clic && survolee >= 0) b->ligneChoisie = survolee;
        if (ToucheEntree || (clic && (surChoisie || survolee >= 0))) {
            ToucheEntree = 0;
            InterfaceUpgradeChateau__acheter(b, b->ligneChoisie);
        }
        int code = 0;
        if (EcranModal__Message(&code) < 0) {
            resultat = code;
            break;
        }
        Ecran_Affichage();
    }
    Entrees_RAZ();
    return resultat;
}

int InterfaceUpgradeChateau__ouvrir(int maitre) {
    Batiment* b = BatimentDe(maitre);
    if (b == nullptr) return 0;
    InterfaceUpgradeChateau__boucle(b);
    return 1;
}

int InterfaceUpgradeChateau(int maitre) {
    if (NiveauChateau >= 4) {
        Avertissement("InterfaceUpgradeChateau()", "NiveauChateau incorrect%d", NiveauChateau);
        return 0;
    }
    int32_t type = 0, niveau = 0;
    // Only the keep of the castle's own level raises it.
    if (!Batiment__chercher(maitre, &type, &niveau)) return 0;
    if (type != 0 || niveau != NiveauChateau - 1) return 0;
    Entrees_RAZ();
    Batiments__preparerNiveauSuivant();
    ++NiveauChateauSuivant;
    AmeliorationChateauPossible = 0;
    return 1;
}

int InterfaceUpgradeChateau__init(int niveau) { return Batiments__toutAcquis(niveau); }

int ChateauBatimentSelection() {
    if (ObjetCourant == nullptr) return 0;
    const int m = ObjetCourant->typeMaitre;
    if (BatimentArmee(m)) {
        InterfaceArmee(0);
        Chateau__tasserArmee();
        return 1;
    }
    if (m == 147) return 0;
    if (m == 154) return 1;
    if (AmeliorationChateauPossible == 1 && InterfaceUpgradeChateau(m) == 1) {
        Variables__sauvegarder();
        return 1;
    }
    if (InterfaceUpgradeChateau__ouvrir(m)) {
        Variables__sauvegarder();
        return 1;
    }
    return 0;
}
