// The platform layer: what the game asks of the operating system, written for Linux on SDL2.
// Start-up, the mode (window or headless), windows and their message queue, program end.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

using ParamMot = uintptr_t;   // the first message parameter
using ParamLong = intptr_t;   // the second message parameter (may carry a pointer)

struct FenetreSysteme;
using HandleFenetre = FenetreSysteme*;
using ProcedureFenetre = intptr_t (*)(HandleFenetre, uint32_t, ParamMot, ParamLong);

// Message numbers as the game's window procedure has always received them.
enum : uint32_t {
    MSG_DETRUIRE = 0x0002,
    MSG_PEINTURE = 0x000F,
    MSG_FERMER = 0x0010,
    MSG_QUITTER = 0x0012,
    MSG_ACTIVATION_APP = 0x001C,
    MSG_CURSEUR = 0x0020,
    MSG_TOUCHE_ENFONCEE = 0x0100,
    MSG_TOUCHE_RELACHEE = 0x0101,
    MSG_CARACTERE = 0x0102,
    MSG_TOUCHE_SYSTEME = 0x0104,
    MSG_TOUCHE_SYSTEME_RELACHEE = 0x0105,
    MSG_SOURIS_DEPLACEMENT = 0x0200,
    MSG_GAUCHE_ENFONCE = 0x0201,
    MSG_GAUCHE_RELACHE = 0x0202,
    MSG_GAUCHE_DOUBLE = 0x0203,
    MSG_DROIT_ENFONCE = 0x0204,
    MSG_DROIT_RELACHE = 0x0205,
    MSG_DROIT_DOUBLE = 0x0206,
    MSG_CD_NOTIFICATION = 0x03B9,   // 953: end of a CD track, wParam 1 when it played to its end
    MSG_APPLICATION = 0x8000,       // first message number free for the application (movie frames)
};

// Virtual-key codes of the keys the game reads.
enum : uint32_t {
    TOUCHE_RETOUR_ARRIERE = 8, TOUCHE_TAB = 9, TOUCHE_ENTREE = 13, TOUCHE_MAJ = 16, TOUCHE_CTRL = 17,
    TOUCHE_ALT = 18, TOUCHE_PAUSE = 19, TOUCHE_ECHAP = 27, TOUCHE_ESPACE = 32, TOUCHE_PAGE_HAUT = 33,
    TOUCHE_PAGE_BAS = 34, TOUCHE_FIN = 35, TOUCHE_DEBUT = 36, TOUCHE_GAUCHE = 37, TOUCHE_HAUT = 38,
    TOUCHE_DROITE = 39, TOUCHE_BAS = 40, TOUCHE_INSER = 45, TOUCHE_SUPPR = 46, TOUCHE_PAVE_0 = 96,
    TOUCHE_PAVE_ETOILE = 106, TOUCHE_PAVE_PLUS = 107, TOUCHE_PAVE_MOINS = 109, TOUCHE_PAVE_POINT = 110,
    TOUCHE_PAVE_SLASH = 111, TOUCHE_F1 = 112, TOUCHE_F4 = 115,
};

// The modifier keys held when a key message was made, carried in its lParam: Alt in the context
// bit as always, Shift and Control in two bits the system leaves free. A key is read with the
// modifiers of its own moment, however late the game looks at it.
enum : uint32_t { MODIF_MAJ = 1u << 25, MODIF_CTRL = 1u << 26, MODIF_ALT = 1u << 29 };
inline uint32_t Plateforme_Modificateurs(ParamLong l) {
    return static_cast<uint32_t>(l) & (MODIF_MAJ | MODIF_CTRL | MODIF_ALT);
}

struct Message {
    HandleFenetre fenetre = nullptr;
    uint32_t message = 0;
    ParamMot wParam = 0;
    ParamLong lParam = 0;
    uint32_t temps = 0;
};

// Position packed as the mouse messages carry it: x in the low 16 bits, y in the high 16 bits.
inline ParamLong Plateforme_PackPosition(int x, int y) {
    return static_cast<ParamLong>((static_cast<uint32_t>(y & 0xFFFF) << 16) | static_cast<uint32_t>(x & 0xFFFF));
}
inline int Plateforme_PositionX(ParamLong l) { return static_cast<int16_t>(l & 0xFFFF); }
inline int Plateforme_PositionY(ParamLong l) { return static_cast<int16_t>((l >> 16) & 0xFFFF); }

struct OptionsPlateforme {
    bool sansTete = true;         // no window, no audio device, manual clock
    bool fenetre = false;         // a resizable window instead of the full screen
    std::string script;           // headless input script
    std::string dossierCapture;   // where "capture NAME" writes NAME.png
    // When the script is used up (or there is none), close the window so that the run ends.
    // Tests leave it off and drive the queue themselves.
    bool fermerEnFinDeScript = false;
};

// Reads MORVANE_HEADLESS, MORVANE_FENETRE, MORVANE_SCRIPT, MORVANE_CAPTURE.
OptionsPlateforme Plateforme_OptionsEnvironnement();

// Starts the layer. Returns false with a message in *erreur (a malformed script line, SDL failing).
bool Plateforme_Initialiser(const OptionsPlateforme& options, std::string* erreur = nullptr);
void Plateforme_Fermer();
bool Plateforme_SansTete();
// Why the main window could not be opened; "" when it was (or was never asked for).
const std::string& Plateforme_EchecFenetre();
bool Plateforme_ThreadPrincipal();

// Windows: one class table, one or more windows. The first window created is the main one.
bool Fenetre_EnregistrerClasse(const char* classe, ProcedureFenetre procedure);
HandleFenetre Fenetre_Creer(const char* classe, const char* titre, int x, int y, int largeur, int hauteur);
void Fenetre_Detruire(HandleFenetre fenetre);
bool Fenetre_Valide(HandleFenetre fenetre);
// Default handling: Alt+F4 closes, a close destroys the window.
intptr_t Fenetre_ProcedureDefaut(HandleFenetre fenetre, uint32_t message, ParamMot w, ParamLong l);

// The message queue of the main thread.
bool Message_Attente(Message* message);            // peek without removing
int Message_Lire(Message* message);                 // take; waits; 0 for the quit message
void Message_Traduire(const Message* message);
intptr_t Message_Distribuer(const Message* message);
void Message_PosterQuitter(int code);
void Message_Poster(HandleFenetre fenetre, uint32_t message, ParamMot w, ParamLong l);   // any thread
intptr_t Message_Envoyer(HandleFenetre fenetre, uint32_t message, ParamMot w, ParamLong l);

// Idle waiting. In a real window: returns when a message waits or the time is up, with the
// processor asleep meanwhile. Headless: returns at once (the manual clock moves as the loops
// ask for it).
void Message_AttendreJusqua(uint32_t millisecondes);

// Key state sampled from the messages taken so far (GetKeyState-style): true while held.
bool Clavier_Enfoncee(uint32_t toucheVirtuelle);

// Headless: the time (in manual-clock milliseconds) a waiting loop next has something to do;
// an empty queue lets the clock jump straight there instead of to the next script event.
void Plateforme_Echeance(uint32_t tick);

// A system message box (the platform's own, not the game's); standard error when headless.
void Plateforme_BoiteSysteme(const char* titre, const char* texte);

// Ends the program. Tests may install a hook (for example one that throws) to observe it.
[[noreturn]] void Plateforme_Terminer(int code);
void Plateforme_CrochetTerminer(std::function<void(int)> crochet);

// Windows-1252 text (the game's) to UTF-8 (the terminal's and SDL's).
std::string Texte_Cp1252VersUtf8(const char* texte);
// The character of one Windows-1252 byte ('?' for the bytes the code page leaves undefined).
uint32_t Texte_Cp1252Point(unsigned char c);

// Tests: inject events as the script would, and step the manual clock.
void Plateforme_InjecterSouris(int x, int y);
void Plateforme_InjecterBouton(bool gauche, bool enfonce);
// A key: Shift, Control and Alt pressed this way are held for the keys that follow.
void Plateforme_InjecterTouche(uint32_t toucheVirtuelle, bool enfonce);
void Plateforme_InjecterFermeture();
