#include "foundation/erreurs.h"
#include "foundation/rapports_muets.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/objetsgfx.h"
#include "foundation/polices.h"
#include "platform/fichiers.h"
#include "shell/requetes.h"

int32_t BoiteMessageFermee = 1;

namespace {

constexpr int OBJET_BOITE = 791;
constexpr int OBJET_BOUTON_OK = 792;
constexpr int OBJET_BOITE_QUESTION = 793;
constexpr int OBJET_BOUTONS_OUI_NON = 794;
constexpr int OBJET_CURSEUR = 19;

// Messages of at most 511 characters: longer ones are cut.
using TamponMessage = char[512];

void Formater(TamponMessage& tampon, const char* format, va_list args) {
    tampon[0] = 0;
    if (format) std::vsnprintf(tampon, sizeof tampon, format, args);
}

bool RapportsMuets = false;

void EcrireRapport(const char* ou, const char* message) {
    if (RapportsMuets) return;
    if (FILE* f = Fichier_Ouvrir("..\\Erreur.txt", "wt")) {
        std::fprintf(f, "%s: %s", ou ? ou : "", message);
        std::fclose(f);
    }
}

void LigneErreurStandard(const char* ou, const char* message) {
    if (RapportsMuets) return;
    std::string o = Texte_Cp1252VersUtf8(ou ? ou : ""), m = Texte_Cp1252VersUtf8(message ? message : "");
    std::fprintf(stderr, "%s: %s\n", o.c_str(), m.c_str());
    std::fflush(stderr);
}

// A box drawing its sprites or text: a report raised meanwhile (a box sprite that cannot be
// loaded) cannot show a box of its own without raising itself again. It ends the program with
// the exit code of the report whose box was being drawn.
int dessinEnCours = 0;
int codeSortieDessin = 1;
// The exit code of the report being shown: 1 for a fatal report or a box of its own, 0 for a question.
int codeSortieRapport = 1;

[[noreturn]] void RapportPendantDessin(const char* ou, const char* message) {
    LigneErreurStandard(ou, message);
    Plateforme_Terminer(codeSortieDessin);
}

class DessinBoite {
  public:
    explicit DessinBoite(int code) : ancienCode_(codeSortieDessin) {
        ++dessinEnCours;
        codeSortieDessin = code;
    }
    ~DessinBoite() {
        --dessinEnCours;
        codeSortieDessin = ancienCode_;
    }
    DessinBoite(const DessinBoite&) = delete;
    DessinBoite& operator=(const DessinBoite&) = delete;

  private:
    int ancienCode_;
};

// The box needs the window, the back buffer with its text context and the box's graphic objects.
bool BoitePossible() {
    return Fenetre_Valide(FenetrePrincipale) && EcranTampon != nullptr && EcranDC != nullptr &&
           NbObjetsGfx > OBJET_BOUTONS_OUI_NON;
}

bool DansZone(int x, int y) { return SourisX >= x && SourisX < x + 36 && SourisY >= y && SourisY < y + 36; }

// Both boxes: one-button (question = false) or yes and no. Returns the answer (1 yes, 0 no),
// or the quit message's wParam when the quit message arrives.
int Boite(const char* texte, bool question) {
    const int code = codeSortieRapport;
    PoliceSysteme* policeAvant = ContexteTexte_ChoisirPolice(EcranDC, PoliceBase);
    // Each box keeps its own copies, so that a box opened over another leaves the first intact.
    const size_t longueur = std::strlen(texte);
    std::vector<char> TexteBoite(longueur + 5, 0);
    std::memcpy(TexteBoite.data(), texte, longueur);
    std::memcpy(TexteBoite.data() + longueur, "//", 2);
    BoiteMessageFermee = 0;
    const int largeur = LargeurEcran, hauteur = HauteurEcran;
    const int x0 = (largeur - 448) / 2, y0 = (hauteur - 166) / 2;
    std::vector<uint16_t> EcranSauvegarde(EcranTampon, EcranTampon + static_cast<size_t>(largeur) * hauteur);
    auto restaurer = [&] {
        if (EcranTampon != nullptr && LargeurEcran == largeur && HauteurEcran == hauteur)
            std::memcpy(EcranTampon, EcranSauvegarde.data(), EcranSauvegarde.size() * 2);
    };
    SaisieValidee = 0;
    int reponse = 1;
    bool quitter = false;
    int codeQuitter = 0;

    while (!(question && SaisieValidee)) {
        if (ToucheEntree) {
            ToucheEntree = 0;
            SaisieValidee = 1;
            if (!question) break;
        }
        Message m;
        if (Message_Attente(&m)) {
            if (Message_Lire(&m) == 0) {
                quitter = true;
                codeQuitter = static_cast<int>(m.wParam);
                break;
            }
            Message_Traduire(&m);
            Message_Distribuer(&m);
        }
        if (EcranTampon == nullptr || LargeurEcran != largeur || HauteurEcran != hauteur) break;
        DessinBoite dessin(code);
        restaurer();
        Sprite__Affiche(question ? OBJET_BOITE_QUESTION : OBJET_BOITE, x0, y0, 0);
        if (question) {
            if (DansZone(x0 + 189, y0 + 108)) {
                Sprite__Affiche(OBJET_BOUTONS_OUI_NON, x0 + 189, y0 + 108, 1);
                if (BoutonGauche) {
                    BoutonGauche = 0;
                    SaisieValidee = 1;
                    reponse = 1;
                }
            }
            if (DansZone(x0 + 226, y0 + 108)) {
                Sprite__Affiche(OBJET_BOUTONS_OUI_NON, x0 + 226, y0 + 108, 0);
                if (BoutonGauche) {
                    BoutonGauche = 0;
                    SaisieValidee = 1;
                    reponse = 0;
                }
            }
        } else if (DansZone(x0 + 207, y0 + 108)) {
            Sprite__Affiche(OBJET_BOUTON_OK, x0 + 207, y0 + 108, 0);
            if (BoutonGauche) {
                BoutonGauche = 0;
                SaisieValidee = 1;
                break;
            }
        }
        Texte__Paragraphe(TexteBoite.data(), x0 + 110, y0 + 30, x0 + 390, y0 + 75, 1);
        Sprite__Affiche(OBJET_CURSEUR, SourisX, SourisY, 0);
        Ecran_Affichage();
    }

    // Closing, also when the quit message ended the box: the screen, the input and the font come
    // back, and the quit goes on to the loops outside.
    SaisieValidee = 0;
    restaurer();
    Ecran_Affichage();
    Entrees_RAZ();
    BoiteMessageFermee = 1;
    ContexteTexte_ChoisirPolice(EcranDC, policeAvant);
    if (quitter) {
        QuitterJeu = 1;
        Message_PosterQuitter(codeQuitter);
        return codeQuitter;
    }
    return reponse;
}

// The report being shown, for the exit code of a report raised while its box is drawn.
class Rapport {
  public:
    explicit Rapport(int code) : ancien_(codeSortieRapport) { codeSortieRapport = code; }
    ~Rapport() { codeSortieRapport = ancien_; }
    Rapport(const Rapport&) = delete;
    Rapport& operator=(const Rapport&) = delete;

  private:
    int ancien_;
};

}  // namespace

void Erreur_RapportsMuets(bool muets) { RapportsMuets = muets; }

void Message_Afficher(const char* ou, const char* texte) {
    if (texte == nullptr) texte = "";
    if (dessinEnCours) RapportPendantDessin(ou, texte);
    if (!BoitePossible()) {
        LigneErreurStandard(ou, texte);
        return;
    }
    Boite(texte, false);
}

int Message_Question(const char* ou, const char* texte) {
    if (texte == nullptr) texte = "";
    if (dessinEnCours) RapportPendantDessin(ou, texte);
    // Without a box nobody can answer: the answer stays the one a box starts with, yes.
    if (!BoitePossible()) {
        LigneErreurStandard(ou, texte);
        return 1;
    }
    return Boite(texte, true);
}

void Erreur_Fatale(const char* ou, const char* format, ...) {
    TamponMessage message;
    va_list args;
    va_start(args, format);
    Formater(message, format, args);
    va_end(args);
    // Raised while a box draws: the file keeps the report whose box it is.
    if (dessinEnCours) RapportPendantDessin(ou, message);
    EcrireRapport(ou, message);
    {
        Rapport rapport(1);
        Message_Afficher(ou, message);
    }
    if (FenetrePrincipale) Message_Envoyer(FenetrePrincipale, MSG_DETRUIRE, 0, 0);
    Plateforme_Terminer(1);
}

void Erreur_Question(const char* ou, const char* format, ...) {
    TamponMessage message;
    va_list args;
    va_start(args, format);
    Formater(message, format, args);
    va_end(args);
    if (dessinEnCours) RapportPendantDessin(ou, message);
    EcrireRapport(ou, message);
    int reponse;
    {
        Rapport rapport(0);
        reponse = Message_Question(ou, message);
    }
    if (reponse == 0) Plateforme_Terminer(0);
}

void Avertissement(const char* ou, const char* format, ...) {
    TamponMessage message;
    va_list args;
    va_start(args, format);
    Formater(message, format, args);
    va_end(args);
    Rapport rapport(1);
    Message_Afficher(ou, message);
}

int Question_Formatee(const char* ou, const char* format, ...) {
    TamponMessage message;
    va_list args;
    va_start(args, format);
    Formater(message, format, args);
    va_end(args);
    Rapport rapport(1);
    return Message_Question(ou, message);
}
