#include "media/tmhorloge.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

#include "media/rvfpi.h"
#include "platform/bibliotheques.h"
#include "platform/son.h"
#include "platform/temps.h"

// ---- clock ----------------------------------------------------------------------------------------

namespace {
// Kept in double: a 32-bit float stops counting single milliseconds after about four hours.
std::atomic<double> tempsEnPause{0.0};
std::atomic<uint32_t> debutPause{0};
}  // namespace

double TM_Now() { return static_cast<double>(Temps_Ticks()) - tempsEnPause.load(); }
void TM_ClockPause() { debutPause.store(Temps_Ticks()); }
void TM_ClockResume() {
    const uint32_t ecart = Temps_Ticks() - debutPause.load();   // unsigned: right across a wrap
    tempsEnPause.store(tempsEnPause.load() + ecart);
}
void TM_ClockRAZ() {
    tempsEnPause.store(0.0);
    debutPause.store(0);
}

// ---- debug log ------------------------------------------------------------------------------------

namespace {
std::atomic<int32_t> filmsActifs{0};
std::atomic<bool> journalActif{false};
std::mutex verrouJournal;
FILE* fichierJournal = nullptr;
std::string nomJournal;
bool rouvrirJournal = false;

bool TraceDemandee() {
    const char* t = std::getenv("MORVANE_TRACE");
    return t != nullptr && *t != '\0' && *t != '0';
}

void Ecrire(bool finDeLigne, const char* format, va_list args) {
    if (!journalActif.load()) return;
    char ligne[1024];
    std::vsnprintf(ligne, sizeof ligne, format, args);
    std::lock_guard<std::mutex> garde(verrouJournal);
    const char* fin = finDeLigne ? "\n" : "";
    if (finDeLigne) Trace_Debogueur(ligne);   // the system's debug output
    else if (TraceDemandee()) std::fprintf(stderr, "%s", ligne);
    if (fichierJournal != nullptr) {
        std::fprintf(fichierJournal, "%s%s", ligne, fin);
        std::fflush(fichierJournal);
        if (rouvrirJournal) {
            std::fclose(fichierJournal);
            fichierJournal = std::fopen(nomJournal.c_str(), "a");
        }
    }
}
}  // namespace

void TM_Log(const char* format, ...) {
    va_list args;
    va_start(args, format);
    Ecrire(true, format, args);
    va_end(args);
}

void TM_LogRaw(const char* format, ...) {
    va_list args;
    va_start(args, format);
    Ecrire(false, format, args);
    va_end(args);
}

void TM_MovieStarted() {
    if (filmsActifs.fetch_add(1) + 1 > 0) journalActif.store(true);
}

void TM_MovieEnded() {
    if (filmsActifs.fetch_sub(1) - 1 < 1) journalActif.store(false);
}

bool TM_LogEnabled() { return journalActif.load(); }

bool TM_LogFile(const char* nom, bool rouvrir) {
    std::lock_guard<std::mutex> garde(verrouJournal);
    if (fichierJournal != nullptr) std::fclose(fichierJournal);
    fichierJournal = nullptr;
    nomJournal.clear();
    rouvrirJournal = rouvrir;
    if (nom == nullptr) return true;
    fichierJournal = std::fopen(nom, "a");
    if (fichierJournal != nullptr) nomJournal = nom;
    return fichierJournal != nullptr;
}

void TM_LogRAZ() {
    TM_LogFile(nullptr);
    filmsActifs.store(0);
    journalActif.store(false);
}

// ---- codec library ---------------------------------------------------------------------------------

namespace {
struct Codec {
    HandleBibliotheque bibliotheque = nullptr;
    int32_t charge = 0;
    int32_t bitsRvb = 0;
    RVFPI_InitProc init = nullptr;
    RVFPI_DecodeFrameProc decode = nullptr;
    RVFPI_CleanupProc cleanup = nullptr;
};
Codec codec;
std::once_flag codecEnregistre;
}  // namespace

int32_t TM_LoadCodec(const uint8_t* entete, int32_t bitsRvb, bool initialiser) {
    std::call_once(codecEnregistre, RVFPI_Enregistrer);
    const int32_t largeur = entete != nullptr ? static_cast<int16_t>(entete[8] | entete[9] << 8) : 0;
    const int32_t hauteur = entete != nullptr ? static_cast<int16_t>(entete[10] | entete[11] << 8) : 0;
    if (codec.bibliotheque != nullptr) {
        if (codec.bitsRvb == bitsRvb) {
            // Kept, but set up for this movie: the last one's size would overrun this one's frames.
            if (initialiser && entete != nullptr && codec.init(bitsRvb, hauteur, largeur, entete) <= 0) {
                TM_FreeCodec();
                return -46;
            }
            return -20;
        }
        TM_FreeCodec();
    }
    if (entete == nullptr) return -14;
    if (largeur != 512 && largeur != 640 && largeur != 800 && largeur != 1024) return -14;
    char nom[32];
    std::snprintf(nom, sizeof nom, "TM6_%dx16.DLL", largeur);
    HandleBibliotheque b = Bibliotheque_Charger(nom);
    if (b == nullptr) {
        std::snprintf(nom, sizeof nom, "TM6_%d.DLL", largeur);
        b = Bibliotheque_Charger(nom);
    }
    if (b == nullptr) return -19;
    auto init = reinterpret_cast<RVFPI_InitProc>(Bibliotheque_Routine(b, "RVFPI_Init"));
    auto decode = reinterpret_cast<RVFPI_DecodeFrameProc>(Bibliotheque_Routine(b, "RVFPI_DecodeFrame"));
    auto cleanup = reinterpret_cast<RVFPI_CleanupProc>(Bibliotheque_Routine(b, "RVFPI_Cleanup"));
    if (init == nullptr || decode == nullptr || cleanup == nullptr) {
        Bibliotheque_Liberer(b);
        return -21;
    }
    codec = Codec{b, 0, bitsRvb, init, decode, cleanup};
    if (!initialiser) return 0;
    codec.charge = init(bitsRvb, hauteur, largeur, entete);
    if (codec.charge > 0) return 0;
    // A codec that refused the movie is not kept: the next load starts afresh.
    TM_FreeCodec();
    return -46;
}

int32_t TM_FreeCodec() {
    if (codec.bibliotheque == nullptr) return -22;
    Codec c = codec;
    codec = Codec{};
    c.cleanup();
    Bibliotheque_Liberer(c.bibliotheque);
    return 0;
}

bool TM_CodecLoaded() { return codec.bibliotheque != nullptr; }

bool TM_DecodeFrame(const uint8_t* donnees, const void* precedent, void* courant) {
    if (codec.decode == nullptr) return false;
    codec.decode(donnees, precedent, courant);
    return true;
}
