#include "foundation/journal.h"

#include <cstring>

#include "foundation/ecran.h"
#include "foundation/polices.h"
#include "foundation/texte.h"
#include "platform/temps.h"

std::array<char*, NOMBRE_SLOTS_MESSAGES> TextesMessages{};
std::array<uint32_t, NOMBRE_SLOTS_MESSAGES> DatesMessages{};
std::array<int32_t, NOMBRE_SLOTS_MESSAGES> CodesMessages{};
NoeudEntier* ListeMessagesLibres = nullptr;
NoeudEntier* ListeMessages = nullptr;
int32_t NombreMessages = 0;
uint32_t DateDernierMessage = 0;
int32_t JournalActif = 0;

void Messages_Liberation() {
    Liste__Liberer(&ListeMessagesLibres);
    Liste__Liberer(&ListeMessages);
    for (char*& t : TextesMessages) {
        delete[] t;
        t = nullptr;
    }
    NombreMessages = 0;
}

void Messages_Initialisation() {
    // A log reset at a scene start leaves nothing of the previous one behind.
    Messages_Liberation();
    Liste__Creation1(&ListeMessagesLibres, NOMBRE_SLOTS_MESSAGES);
    Liste__Creation1(&ListeMessages, 0);
    NombreMessages = 0;
    DateDernierMessage = Temps_Ticks();
}

void Messages_Ajout(const char* texte, int code) {
    if (texte == nullptr) texte = "";
    if (code != 4 && !(JournalActif && texte[0] != '*')) return;
    if (NombreMessages >= MESSAGES_MAXIMUM || ListeMessagesLibres == nullptr || Liste__Vide(ListeMessagesLibres)) return;
    const int32_t slot = Liste__Valeur(ListeMessagesLibres);
    if (slot <= 0 || slot >= NOMBRE_SLOTS_MESSAGES) return;
    Liste__Depiler(&ListeMessagesLibres);
    Liste__Empiler(&ListeMessages, slot);
    const size_t n = std::strlen(texte);
    delete[] TextesMessages[slot];
    TextesMessages[slot] = new char[n + 1];
    std::memcpy(TextesMessages[slot], texte, n + 1);
    DatesMessages[slot] = Temps_Ticks();
    CodesMessages[slot] = code;
    NombreMessages += 1;
    DateDernierMessage = Temps_Ticks();
}

void Messages_Affichage(int x, int y, int max) {
    if (EcranDC == nullptr || ListeMessages == nullptr) return;
    PoliceSysteme* ancienne = ContexteTexte_ChoisirPolice(EcranDC, Police14);
    uint32_t couleur = ContexteTexte_Couleur(EcranDC, 0xFFFFFF);
    int lignes = 0;
    for (NoeudEntier* n = ListeMessages; n != nullptr && n->suivant != nullptr && lignes <= max; n = n->suivant, ++lignes) {
        const char* t = TextesMessages[n->valeur];
        Texte__Affiche(x, y, "%s", t ? t : "");
        y -= 11;
    }
    ContexteTexte_Couleur(EcranDC, couleur);
    ContexteTexte_ChoisirPolice(EcranDC, ancienne);
}

void Messages_Vieillissement(int secondes) {
    const uint32_t delai = secondes > 0 ? static_cast<uint32_t>(secondes) * 1000u : 0u;
    if (Temps_Ticks() - DateDernierMessage <= delai) return;
    if (NombreMessages >= MESSAGES_MAXIMUM) Messages_Initialisation();
    else Messages_Ajout("", 4);
}
