#include "platform/plateforme.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <thread>

#include "platform/affichage.h"
#include "platform/interne.h"
#include "platform/temps.h"

struct FenetreSysteme {
    std::string classe;
    std::string titre;
    ProcedureFenetre procedure = nullptr;
    bool valide = true;
};

namespace plateforme {
Etat& etat() {
    static Etat e;
    return e;
}
}  // namespace plateforme

using plateforme::etat;

namespace {

// ---- windows and the queue ------------------------------------------------------------------

std::map<std::string, ProcedureFenetre> classes;
std::vector<std::unique_ptr<FenetreSysteme>> fenetres;
std::mutex verrouFile;
std::deque<Message> file;
std::thread::id threadPrincipal = std::this_thread::get_id();
bool touches[256] = {};   // held keys as of the messages taken
std::function<void(int)> crochetTerminer;
std::string fenetreEchouee;   // why the main window could not be made, "" when it was

// Double clicks as the game's window class asks for them: a second press of the same button
// within 500 ms and 2 pixels of a single press becomes a double-click message instead.
struct DetecteurDoubleClic {
    bool actif = false;
    bool gauche = false;
    uint32_t temps = 0;
    int x = 0, y = 0;
    bool estDouble(bool g, uint32_t t, int px, int py) {
        bool d = actif && gauche == g && t - temps <= 500 && std::abs(px - x) <= 2 && std::abs(py - y) <= 2;
        if (d) {
            actif = false;
        } else {
            actif = true;
            gauche = g;
            temps = t;
            x = px;
            y = py;
        }
        return d;
    }
} doubleClic;

int sourisX = 0, sourisY = 0;
uint32_t modifsTenus = 0;   // the modifiers the headless script and the tests hold

void Poster(uint32_t message, ParamMot w, ParamLong l) {
    std::lock_guard<std::mutex> g(verrouFile);
    // Only the last place of a run of motions matters: a motion still waiting behind another
    // motion replaces it, so a quick hand never leaves the pointer behind.
    if (message == MSG_SOURIS_DEPLACEMENT && !file.empty() && file.back().message == MSG_SOURIS_DEPLACEMENT &&
        file.back().fenetre == etat().principale) {
        file.back().lParam = l;
        file.back().temps = Temps_Ticks();
        return;
    }
    file.push_back(Message{etat().principale, message, w, l, Temps_Ticks()});
}

void PosterBouton(bool gauche, bool enfonce) {
    ParamLong pos = Plateforme_PackPosition(sourisX, sourisY);
    if (enfonce) {
        bool dbl = doubleClic.estDouble(gauche, Temps_Ticks(), sourisX, sourisY);
        if (gauche) Poster(dbl ? MSG_GAUCHE_DOUBLE : MSG_GAUCHE_ENFONCE, 1, pos);
        else Poster(dbl ? MSG_DROIT_DOUBLE : MSG_DROIT_ENFONCE, 2, pos);
    } else {
        Poster(gauche ? MSG_GAUCHE_RELACHE : MSG_DROIT_RELACHE, 0, pos);
    }
}

void PosterTouche(uint32_t vk, bool enfonce, uint32_t modifs) {
    if (vk == 0 || vk > 255) return;
    // Alt held (or Alt itself) gives the system key messages.
    bool systeme = (modifs & MODIF_ALT) != 0 || vk == TOUCHE_ALT;
    if (enfonce) Poster(systeme ? MSG_TOUCHE_SYSTEME : MSG_TOUCHE_ENFONCEE, vk, static_cast<ParamLong>(1u | modifs));
    else Poster(systeme ? MSG_TOUCHE_SYSTEME_RELACHEE : MSG_TOUCHE_RELACHEE, vk,
                static_cast<ParamLong>(0xC0000001u | modifs));
}

uint32_t ModifDe(uint32_t vk) {
    switch (vk) {
        case TOUCHE_MAJ: return MODIF_MAJ;
        case TOUCHE_CTRL: return MODIF_CTRL;
        case TOUCHE_ALT: return MODIF_ALT;
        default: return 0;
    }
}

// A key of the script or of a test: a modifier pressed or released changes what is held.
void PosterToucheTenue(uint32_t vk, bool enfonce) {
    if (enfonce) modifsTenus |= ModifDe(vk);
    else modifsTenus &= ~ModifDe(vk);
    PosterTouche(vk, enfonce, modifsTenus);
}

// ---- the headless script --------------------------------------------------------------------

enum class Action { Deplacer, Bouton, Touche, Capture, Quitter };
struct Evenement {
    uint32_t temps = 0;
    Action action = Action::Deplacer;
    int x = 0, y = 0;
    bool gauche = true;
    bool enfonce = true;
    bool relache = false;   // "key": press then release
    uint32_t touche = 0;
    std::vector<uint32_t> modificateurs;   // "ctrl+1": held around the key
    std::string nom;
    int ligne = 0;
};
std::deque<Evenement> script;
bool fermetureEnvoyee = false;
bool fermerEnFinDeScript = false;
int quittersEnvoyes = 0;
uint32_t echeance = 0;
bool echeanceActive = false;
int capturesDifferees = 0;
bool vuVide = false;        // the last look at the queue found it empty,
uint32_t vuVideA = 0;       // at this moment

uint32_t CodeTouche(const std::string& nom) {
    static const std::map<std::string, uint32_t> noms = {
        {"BACK", 8}, {"BACKSPACE", 8}, {"TAB", 9}, {"RETURN", 13}, {"ENTER", 13}, {"SHIFT", 16},
        {"CONTROL", 17}, {"CTRL", 17}, {"ALT", 18}, {"MENU", 18}, {"PAUSE", 19}, {"ESCAPE", 27},
        {"ESC", 27}, {"SPACE", 32}, {"PRIOR", 33}, {"PAGEUP", 33}, {"NEXT", 34}, {"PAGEDOWN", 34},
        {"END", 35}, {"HOME", 36}, {"LEFT", 37}, {"UP", 38}, {"RIGHT", 39}, {"DOWN", 40},
        {"INSERT", 45}, {"DELETE", 46}, {"MULTIPLY", 106}, {"ADD", 107}, {"SUBTRACT", 109},
        {"DECIMAL", 110}, {"DIVIDE", 111}};
    std::string n;
    for (char c : nom) n += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (auto it = noms.find(n); it != noms.end()) return it->second;
    if (n.size() == 1 && ((n[0] >= 'A' && n[0] <= 'Z') || (n[0] >= '0' && n[0] <= '9'))) return static_cast<uint8_t>(n[0]);
    if (n.size() >= 2 && n[0] == 'F' && std::all_of(n.begin() + 1, n.end(), ::isdigit)) {
        int f = std::atoi(n.c_str() + 1);
        if (f >= 1 && f <= 24) return static_cast<uint32_t>(111 + f);
    }
    if (n.rfind("NUMPAD", 0) == 0 && n.size() == 7 && std::isdigit(static_cast<unsigned char>(n[6])))
        return static_cast<uint32_t>(96 + (n[6] - '0'));
    if (!n.empty() && std::all_of(n.begin(), n.end(), ::isdigit)) {
        long v = std::strtol(n.c_str(), nullptr, 10);
        if (v >= 1 && v <= 255) return static_cast<uint32_t>(v);
    }
    return 0;
}

bool LireScript(const std::string& chemin, std::string* erreur) {
    std::ifstream in(chemin);
    if (!in) {
        if (erreur) *erreur = "MORVANE_SCRIPT: cannot open " + chemin;
        return false;
    }
    std::string ligne;
    int numero = 0;
    std::vector<Evenement> lus;
    while (std::getline(in, ligne)) {
        ++numero;
        if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
        size_t debut = ligne.find_first_not_of(" \t");
        if (debut == std::string::npos || ligne[debut] == '#') continue;
        std::istringstream mots(ligne);
        std::string temps, verbe, a, b, reste;
        mots >> temps >> verbe;
        Evenement e;
        e.ligne = numero;
        bool ok = !temps.empty() && std::all_of(temps.begin(), temps.end(), ::isdigit) && temps.size() <= 9;
        if (ok) e.temps = static_cast<uint32_t>(std::strtoul(temps.c_str(), nullptr, 10));
        if (ok && verbe == "move") {
            e.action = Action::Deplacer;
            ok = static_cast<bool>(mots >> e.x >> e.y);
        } else if (ok && (verbe == "down" || verbe == "up" || verbe == "click")) {
            e.action = Action::Bouton;
            ok = static_cast<bool>(mots >> a) && (a == "left" || a == "right");
            e.gauche = a == "left";
            e.enfonce = verbe != "up";
            e.relache = verbe == "click";
        } else if (ok && (verbe == "key" || verbe == "keydown" || verbe == "keyup")) {
            e.action = Action::Touche;
            ok = static_cast<bool>(mots >> a);
            // MOD+...+KEY: the modifiers are pressed before the key and released after it.
            for (size_t plus; ok && (plus = a.find('+')) != std::string::npos && plus + 1 < a.size();) {
                const uint32_t m = CodeTouche(a.substr(0, plus));
                ok = ModifDe(m) != 0;
                e.modificateurs.push_back(m);
                a = a.substr(plus + 1);
            }
            e.touche = ok ? CodeTouche(a) : 0;
            ok = ok && e.touche != 0;
            e.enfonce = verbe != "keyup";
            e.relache = verbe == "key";
        } else if (ok && verbe == "capture") {
            e.action = Action::Capture;
            ok = static_cast<bool>(mots >> e.nom) && e.nom.find('/') == std::string::npos;
        } else if (ok && verbe == "quit") {
            e.action = Action::Quitter;
        } else {
            ok = false;
        }
        if (ok && (mots >> reste)) ok = false;
        if (!ok) {
            if (erreur) *erreur = "MORVANE_SCRIPT line " + std::to_string(numero) + ": cannot read \"" + ligne + "\"";
            return false;
        }
        lus.push_back(e);
    }
    std::stable_sort(lus.begin(), lus.end(), [](const Evenement& x, const Evenement& y) { return x.temps < y.temps; });
    script.assign(lus.begin(), lus.end());
    return true;
}

bool FileVide() {
    std::lock_guard<std::mutex> g(verrouFile);
    return file.empty();
}

void Capturer(const std::string& nom) {
    std::string dossier = etat().dossierCapture.empty() ? "." : etat().dossierCapture;
    std::string chemin = dossier + "/" + nom + ".png";
    std::error_code e;
    std::filesystem::create_directories(dossier, e);   // a folder named for the run is made on first use
    if (!Affichage_CapturerPng(chemin)) std::fprintf(stderr, "morvane: capture %s failed\n", chemin.c_str());
}

// Moves the script's events that are due into the queue. A capture waits until the input before
// it has been handled and a frame presented after it.
void NourrirScript() {
    while (!script.empty() && script.front().temps <= Temps_Ticks()) {
        Evenement& e = script.front();
        if (e.action == Action::Capture) {
            bool pret = FileVide() && plateforme::PresentationsDepuisMessage() > 0;
            if (!pret && capturesDifferees < 3) {
                ++capturesDifferees;
                return;
            }
            capturesDifferees = 0;
            Capturer(e.nom);
            script.pop_front();
            continue;
        }
        switch (e.action) {
            case Action::Deplacer:
                sourisX = e.x;
                sourisY = e.y;
                Poster(MSG_SOURIS_DEPLACEMENT, 0, Plateforme_PackPosition(e.x, e.y));
                break;
            case Action::Bouton:
                PosterBouton(e.gauche, e.enfonce);
                if (e.relache) PosterBouton(e.gauche, false);
                break;
            case Action::Touche:
                if (e.enfonce)
                    for (uint32_t m : e.modificateurs) PosterToucheTenue(m, true);
                PosterToucheTenue(e.touche, e.enfonce);
                if (e.relache) PosterToucheTenue(e.touche, false);
                if (!e.enfonce || e.relache)
                    for (auto m = e.modificateurs.rbegin(); m != e.modificateurs.rend(); ++m) PosterToucheTenue(*m, false);
                break;
            case Action::Quitter:
                Poster(MSG_FERMER, 0, 0);
                break;
            case Action::Capture:
                break;
        }
        script.pop_front();
    }
}

// Headless: the queue is empty, so let time pass to the next moment something is due.
// blocage: the caller waits for a message (deadlines do not matter then).
void AvancerHorloge(bool blocage) {
    uint32_t maintenant = Temps_Ticks();
    bool echeanceFuture = echeanceActive && static_cast<int32_t>(echeance - maintenant) > 0;
    if (!echeanceFuture) echeanceActive = false;
    if (!script.empty()) {
        uint32_t cible = script.front().temps;
        if (!blocage && echeanceFuture && static_cast<int32_t>(echeance - cible) < 0) cible = echeance;
        if (static_cast<int32_t>(cible - maintenant) > 0) Temps_Fixer(cible);
        if (echeanceActive && Temps_Ticks() == echeance) echeanceActive = false;
        return;
    }
    // A run whose script is used up ends now: a loop that always has a next deadline (a movie,
    // the game's frames) would otherwise keep it going for ever.
    if (!blocage && echeanceFuture && !fermerEnFinDeScript) {
        Temps_Fixer(echeance);
        echeanceActive = false;
        return;
    }
    if (!fermerEnFinDeScript) {
        // Nothing will ever come: a waiting caller gets the quit message rather than waiting for ever.
        if (blocage) Message_PosterQuitter(0);
        return;
    }
    // The script is used up: the window is closed, then, if the program goes on, told to quit.
    if (!fermetureEnvoyee && etat().principale != nullptr) {
        fermetureEnvoyee = true;
        Poster(MSG_FERMER, 0, 0);
    } else if (quittersEnvoyes < 1000) {
        ++quittersEnvoyes;
        Message_PosterQuitter(0);
    } else {
        std::fprintf(stderr, "morvane: the program does not end after the script; stopping\n");
        std::_Exit(3);
    }
}

// ---- SDL events -----------------------------------------------------------------------------

uint32_t ToucheVirtuelle(const SDL_Keysym& k) {
    SDL_Keycode c = k.sym;
    if (c >= SDLK_a && c <= SDLK_z) return static_cast<uint32_t>('A' + (c - SDLK_a));
    if (c >= SDLK_0 && c <= SDLK_9) return static_cast<uint32_t>('0' + (c - SDLK_0));
    if (c >= SDLK_F1 && c <= SDLK_F12) return static_cast<uint32_t>(112 + (c - SDLK_F1));
    switch (k.scancode) {
        case SDL_SCANCODE_KP_0: return 96;
        case SDL_SCANCODE_KP_1: return 97;
        case SDL_SCANCODE_KP_2: return 98;
        case SDL_SCANCODE_KP_3: return 99;
        case SDL_SCANCODE_KP_4: return 100;
        case SDL_SCANCODE_KP_5: return 101;
        case SDL_SCANCODE_KP_6: return 102;
        case SDL_SCANCODE_KP_7: return 103;
        case SDL_SCANCODE_KP_8: return 104;
        case SDL_SCANCODE_KP_9: return 105;
        case SDL_SCANCODE_KP_MULTIPLY: return 106;
        case SDL_SCANCODE_KP_PLUS: return 107;
        case SDL_SCANCODE_KP_MINUS: return 109;
        case SDL_SCANCODE_KP_PERIOD: return 110;
        case SDL_SCANCODE_KP_DIVIDE: return 111;
        case SDL_SCANCODE_KP_ENTER: return 13;
        default: break;
    }
    switch (c) {
        case SDLK_BACKSPACE: return 8;
        case SDLK_TAB: return 9;
        case SDLK_RETURN: return 13;
        case SDLK_LSHIFT: case SDLK_RSHIFT: return 16;
        case SDLK_LCTRL: case SDLK_RCTRL: return 17;
        case SDLK_LALT: case SDLK_RALT: return 18;
        case SDLK_PAUSE: return 19;
        case SDLK_CAPSLOCK: return 20;
        case SDLK_ESCAPE: return 27;
        case SDLK_SPACE: return 32;
        case SDLK_PAGEUP: return 33;
        case SDLK_PAGEDOWN: return 34;
        case SDLK_END: return 35;
        case SDLK_HOME: return 36;
        case SDLK_LEFT: return 37;
        case SDLK_UP: return 38;
        case SDLK_RIGHT: return 39;
        case SDLK_DOWN: return 40;
        case SDLK_INSERT: return 45;
        case SDLK_DELETE: return 46;
        default: return 0;
    }
}

void BornerSouris(int* x, int* y) {
    int l = std::max(etat().largeur, 1), h = std::max(etat().hauteur, 1);
    *x = std::clamp(*x, 0, l - 1);
    *y = std::clamp(*y, 0, h - 1);
}

void PomperSdl() {
    if (etat().sansTete || !etat().initialise) return;
    plateforme::AfficherImageEnAttente();
    SDL_Event ev;
    while (SDL_PollEvent(&ev)) {
        switch (ev.type) {
            case SDL_QUIT:
                Poster(MSG_FERMER, 0, 0);
                break;
            case SDL_WINDOWEVENT:
                if (ev.window.event == SDL_WINDOWEVENT_CLOSE) Poster(MSG_FERMER, 0, 0);
                else if (ev.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) Poster(MSG_ACTIVATION_APP, 1, 0);
                else if (ev.window.event == SDL_WINDOWEVENT_FOCUS_LOST) Poster(MSG_ACTIVATION_APP, 0, 0);
                else if (ev.window.event == SDL_WINDOWEVENT_EXPOSED) Poster(MSG_PEINTURE, 0, 0);
                break;
            case SDL_MOUSEMOTION: {
                int x = ev.motion.x, y = ev.motion.y;
                BornerSouris(&x, &y);
                sourisX = x;
                sourisY = y;
                Poster(MSG_SOURIS_DEPLACEMENT, 0, Plateforme_PackPosition(x, y));
                break;
            }
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP: {
                if (ev.button.button != SDL_BUTTON_LEFT && ev.button.button != SDL_BUTTON_RIGHT) break;
                int x = ev.button.x, y = ev.button.y;
                BornerSouris(&x, &y);
                sourisX = x;
                sourisY = y;
                PosterBouton(ev.button.button == SDL_BUTTON_LEFT, ev.type == SDL_MOUSEBUTTONDOWN);
                break;
            }
            case SDL_KEYDOWN:
            case SDL_KEYUP: {
                uint32_t vk = ToucheVirtuelle(ev.key.keysym);
                const Uint16 mod = ev.key.keysym.mod;
                uint32_t modifs = 0;
                if (mod & KMOD_SHIFT) modifs |= MODIF_MAJ;
                if (mod & KMOD_CTRL) modifs |= MODIF_CTRL;
                if (mod & KMOD_ALT) modifs |= MODIF_ALT;
                PosterTouche(vk, ev.type == SDL_KEYDOWN, modifs);
                break;
            }
            default:
                break;
        }
    }
}

void Prendre(Message* m) {
    std::lock_guard<std::mutex> g(verrouFile);
    *m = file.front();
    file.pop_front();
    if (m->message == MSG_TOUCHE_ENFONCEE || m->message == MSG_TOUCHE_SYSTEME) touches[m->wParam & 0xFF] = true;
    if (m->message == MSG_TOUCHE_RELACHEE || m->message == MSG_TOUCHE_SYSTEME_RELACHEE) touches[m->wParam & 0xFF] = false;
    plateforme::MessagePris();
}

}  // namespace

// ---- start and end --------------------------------------------------------------------------

OptionsPlateforme Plateforme_OptionsEnvironnement() {
    OptionsPlateforme o;
    auto vrai = [](const char* v) { return v != nullptr && *v != 0 && std::strcmp(v, "0") != 0; };
    o.sansTete = vrai(std::getenv("MORVANE_HEADLESS"));
    o.fenetre = vrai(std::getenv("MORVANE_FENETRE"));
    if (const char* s = std::getenv("MORVANE_SCRIPT")) o.script = s;
    if (const char* c = std::getenv("MORVANE_CAPTURE")) o.dossierCapture = c;
    o.fermerEnFinDeScript = true;
    return o;
}

bool Plateforme_Initialiser(const OptionsPlateforme& options, std::string* erreur) {
    auto& e = etat();
    threadPrincipal = std::this_thread::get_id();
    e.sansTete = options.sansTete;
    e.fenetre = options.fenetre;
    e.dossierCapture = options.dossierCapture;
    Temps_ModeManuel(options.sansTete);
    Temps_Fixer(0);
    script.clear();
    fenetreEchouee.clear();
    modifsTenus = 0;
    fermetureEnvoyee = false;
    fermerEnFinDeScript = options.fermerEnFinDeScript;
    quittersEnvoyes = 0;
    echeanceActive = false;
    if (!options.script.empty()) {
        if (!options.sansTete) {
            if (erreur) *erreur = "MORVANE_SCRIPT needs MORVANE_HEADLESS=1";
            return false;
        }
        if (!LireScript(options.script, erreur)) return false;
    }
    if (!options.sansTete) {
        SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
            if (erreur) *erreur = std::string("no window can be opened: ") + SDL_GetError();
            return false;
        }
        // With no display SDL falls back on a driver that shows nothing: the game would run on
        // unseen. Only a driver asked for by name may show nothing.
        const char* pilote = SDL_GetCurrentVideoDriver();
        const char* demande = SDL_getenv("SDL_VIDEODRIVER");
        const bool invisible = pilote != nullptr && (std::strcmp(pilote, "offscreen") == 0 || std::strcmp(pilote, "dummy") == 0);
        if (invisible && (demande == nullptr || *demande == 0)) {
            SDL_Quit();
            if (erreur)
                *erreur = "no window can be opened: no display (DISPLAY is not set or not reachable); "
                          "MORVANE_HEADLESS=1 runs without one";
            return false;
        }
    }
    e.initialise = true;
    return true;
}

void Plateforme_Fermer() {
    auto& e = etat();
    if (!e.initialise) return;
    plateforme::LibererAffichage();
    if (!e.sansTete) SDL_Quit();
    e.initialise = false;
}

const std::string& Plateforme_EchecFenetre() { return fenetreEchouee; }

bool Plateforme_SansTete() { return etat().sansTete; }
bool Plateforme_ThreadPrincipal() { return std::this_thread::get_id() == threadPrincipal; }

// ---- windows --------------------------------------------------------------------------------

bool Fenetre_EnregistrerClasse(const char* classe, ProcedureFenetre procedure) {
    if (classe == nullptr || procedure == nullptr || classes.count(classe) != 0) return false;
    classes[classe] = procedure;
    return true;
}

HandleFenetre Fenetre_Creer(const char* classe, const char* titre, int, int, int largeur, int hauteur) {
    auto it = classes.find(classe ? classe : "");
    if (it == classes.end()) return nullptr;
    auto f = std::make_unique<FenetreSysteme>();
    f->classe = classe;
    f->titre = titre ? titre : "";
    f->procedure = it->second;
    HandleFenetre h = f.get();
    auto& e = etat();
    if (e.principale == nullptr) {
        if (!e.sansTete) {
            Uint32 drapeaux = e.fenetre ? SDL_WINDOW_RESIZABLE : SDL_WINDOW_FULLSCREEN_DESKTOP;
            std::string t = Texte_Cp1252VersUtf8(f->titre.c_str());
            e.fenetreSdl = SDL_CreateWindow(t.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                            largeur, hauteur, drapeaux);
            if (e.fenetreSdl == nullptr) {
                fenetreEchouee = std::string("no window can be opened: ") + SDL_GetError();
                return nullptr;
            }
            if (e.fenetre) {
                // A window the frame's size needs no scaling: the plain copy costs less than a
                // 3D driver, which may well be a software one (SDL_RENDER_DRIVER still chooses).
                SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_DEFAULT);
                SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
            }
            e.rendu = SDL_CreateRenderer(e.fenetreSdl, -1, 0);
            if (e.rendu == nullptr) {
                fenetreEchouee = std::string("no window can be opened: ") + SDL_GetError();
                SDL_DestroyWindow(e.fenetreSdl);
                e.fenetreSdl = nullptr;
                return nullptr;
            }
            SDL_ShowCursor(SDL_DISABLE);
        }
        e.principale = h;
        fenetres.push_back(std::move(f));
        // A new window is the active one.
        Poster(MSG_ACTIVATION_APP, 1, 0);
        return h;
    }
    fenetres.push_back(std::move(f));
    return h;
}

void Fenetre_Detruire(HandleFenetre fenetre) {
    if (!Fenetre_Valide(fenetre)) return;
    Message_Envoyer(fenetre, MSG_DETRUIRE, 0, 0);
    fenetre->valide = false;
}

bool Fenetre_Valide(HandleFenetre fenetre) {
    if (fenetre == nullptr) return false;
    for (auto& f : fenetres)
        if (f.get() == fenetre) return f->valide;
    return false;
}

intptr_t Fenetre_ProcedureDefaut(HandleFenetre fenetre, uint32_t message, ParamMot w, ParamLong) {
    if (message == MSG_TOUCHE_SYSTEME && w == TOUCHE_F4) {
        Message_Envoyer(fenetre, MSG_FERMER, 0, 0);
    } else if (message == MSG_FERMER) {
        Fenetre_Detruire(fenetre);
    }
    return 0;
}

// ---- messages -------------------------------------------------------------------------------

bool Message_Attente(Message* message) {
    if (!Plateforme_ThreadPrincipal()) return false;
    if (etat().sansTete) {
        plateforme::SonRattraper();
        NourrirScript();
        if (FileVide() && capturesDifferees == 0) {
            // The first empty look at a moment lets the loop do its idle work then; the next one
            // means there is nothing more to do at this moment, so time moves on. Once the script
            // is used up, two empty looks in a row end the run even if the loop slept between
            // them: a loop that waits with a sleep would otherwise run on for ever.
            const bool finScript = script.empty() && fermerEnFinDeScript;
            if (vuVide && (vuVideA == Temps_Ticks() || finScript)) {
                AvancerHorloge(false);
                NourrirScript();
                vuVide = false;
            } else {
                vuVide = true;
                vuVideA = Temps_Ticks();
            }
        }
    } else {
        PomperSdl();
    }
    std::lock_guard<std::mutex> g(verrouFile);
    if (file.empty()) return false;
    vuVide = false;
    if (message) *message = file.front();
    return true;
}

int Message_Lire(Message* message) {
    Message m;
    for (;;) {
        if (etat().sansTete) {
            plateforme::SonRattraper();
            NourrirScript();
            if (FileVide()) {
                if (capturesDifferees > 0) capturesDifferees = 3;   // nothing will be presented while we wait
                AvancerHorloge(true);
                NourrirScript();
            }
        } else {
            PomperSdl();
        }
        if (!FileVide()) break;
        if (!etat().sansTete) SDL_WaitEventTimeout(nullptr, 10);
    }
    Prendre(&m);
    if (message) *message = m;
    return m.message == MSG_QUITTER ? 0 : 1;
}

void Message_AttendreJusqua(uint32_t millisecondes) {
    if (etat().sansTete || !etat().initialise || !Plateforme_ThreadPrincipal()) return;
    const uint32_t debut = SDL_GetTicks();
    for (;;) {
        PomperSdl();
        if (!FileVide()) return;
        const uint32_t ecoule = SDL_GetTicks() - debut;
        if (ecoule >= millisecondes) return;
        // Input wakes the wait at once; the short slices see the messages other threads post.
        SDL_WaitEventTimeout(nullptr, static_cast<int>(std::min<uint32_t>(millisecondes - ecoule, 5)));
    }
}

void Message_Traduire(const Message*) {
    // The game reads key-down messages only; no character messages are made.
}

intptr_t Message_Distribuer(const Message* message) {
    if (message == nullptr || message->message == MSG_QUITTER) return 0;
    return Message_Envoyer(message->fenetre, message->message, message->wParam, message->lParam);
}

void Message_PosterQuitter(int code) {
    std::lock_guard<std::mutex> g(verrouFile);
    file.push_back(Message{nullptr, MSG_QUITTER, static_cast<ParamMot>(code), 0, Temps_Ticks()});
}

void Message_Poster(HandleFenetre fenetre, uint32_t message, ParamMot w, ParamLong l) {
    std::lock_guard<std::mutex> g(verrouFile);
    file.push_back(Message{fenetre, message, w, l, Temps_Ticks()});
}

intptr_t Message_Envoyer(HandleFenetre fenetre, uint32_t message, ParamMot w, ParamLong l) {
    if (fenetre == nullptr) return 0;
    ProcedureFenetre p = nullptr;
    for (auto& f : fenetres)
        if (f.get() == fenetre && f->valide) p = f->procedure;
    return p ? p(fenetre, message, w, l) : 0;
}

bool Clavier_Enfoncee(uint32_t toucheVirtuelle) { return toucheVirtuelle < 256 && touches[toucheVirtuelle]; }

void Plateforme_Echeance(uint32_t tick) {
    // A deadline already passed holds nothing back: the new one replaces it.
    const bool passee = echeanceActive && static_cast<int32_t>(echeance - Temps_Ticks()) <= 0;
    if (!echeanceActive || passee || static_cast<int32_t>(tick - echeance) < 0) {
        echeance = tick;
        echeanceActive = true;
    }
}

// ---- boxes, end, text -----------------------------------------------------------------------

void Plateforme_BoiteSysteme(const char* titre, const char* texte) {
    std::string t = Texte_Cp1252VersUtf8(titre ? titre : "");
    std::string x = Texte_Cp1252VersUtf8(texte ? texte : "");
    if (etat().sansTete || !etat().initialise ||
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, t.c_str(), x.c_str(), etat().fenetreSdl) != 0) {
        std::fprintf(stderr, "%s: %s\n", t.c_str(), x.c_str());
    }
}

void Plateforme_CrochetTerminer(std::function<void(int)> crochet) { crochetTerminer = std::move(crochet); }

void Plateforme_Terminer(int code) {
    if (crochetTerminer) crochetTerminer(code);
    std::fflush(nullptr);
    std::exit(code);
}

uint32_t Texte_Cp1252Point(unsigned char c) {
    // Code points of 0x80..0x9F in Windows-1252; 0 where the code page has no character.
    static const uint16_t haut[32] = {0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
                                      0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};
    if (c < 0x80 || c >= 0xA0) return c;
    return haut[c - 0x80] ? haut[c - 0x80] : '?';
}

std::string Texte_Cp1252VersUtf8(const char* texte) {
    std::string r;
    if (texte == nullptr) return r;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(texte); *p; ++p) {
        const uint32_t c = Texte_Cp1252Point(*p);
        if (c < 0x80) {
            r += static_cast<char>(c);
        } else if (c < 0x800) {
            r += static_cast<char>(0xC0 | (c >> 6));
            r += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            r += static_cast<char>(0xE0 | (c >> 12));
            r += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            r += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return r;
}

// ---- test injection -------------------------------------------------------------------------

void Plateforme_InjecterSouris(int x, int y) {
    sourisX = x;
    sourisY = y;
    Poster(MSG_SOURIS_DEPLACEMENT, 0, Plateforme_PackPosition(x, y));
}
void Plateforme_InjecterBouton(bool gauche, bool enfonce) { PosterBouton(gauche, enfonce); }
void Plateforme_InjecterTouche(uint32_t toucheVirtuelle, bool enfonce) { PosterToucheTenue(toucheVirtuelle, enfonce); }
void Plateforme_InjecterFermeture() { Poster(MSG_FERMER, 0, 0); }
