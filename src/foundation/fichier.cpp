#include "foundation/fichier.h"

#include <sys/stat.h>

#include <cctype>
#include <cstring>

#include "foundation/erreurs.h"
#include "platform/fichiers.h"

uint32_t LectureOctets = 0;

HandleFichier Fichier_Ouverture(const char* nom) {
    FILE* f = Fichier_Ouvrir(nom, "rb");
    if (f == nullptr) Erreur_Fatale("Fichier_Ouverture()", "fichier non trouvé : %s", nom ? nom : "");
    return f;
}

uint32_t Fichier_Taille(HandleFichier fichier) {
    if (fichier == nullptr) return 0;
    struct stat st{};
    if (::fstat(::fileno(fichier), &st) != 0) return 0;
    return static_cast<uint32_t>(st.st_size);
}

void Fichier_Lecture(HandleFichier fichier, void* tampon, uint32_t n) {
    LectureOctets = (fichier && tampon) ? static_cast<uint32_t>(std::fread(tampon, 1, n, fichier)) : 0;
}

void Fichier_Fermeture(HandleFichier fichier) {
    if (fichier) std::fclose(fichier);
}

uint32_t Fichier_TailleNom(const char* nom) {
    HandleFichier f = Fichier_Ouverture(nom);
    uint32_t taille = Fichier_Taille(f);
    Fichier_Fermeture(f);
    return taille;
}

namespace {

// Reads one whitespace-separated token into at most 1023 characters. A longer token is
// reported and the rest of it skipped. False at the end of the stream.
bool LireMot(FILE* f, char (&mot)[1024]) {
    // The stream is this reader's alone: read without taking its lock for each byte.
    int c;
    do {
        c = getc_unlocked(f);
    } while (c != EOF && Fichier_Blanc(c));
    if (c == EOF) return false;
    size_t n = 0;
    bool long_ = false;
    while (c != EOF && !Fichier_Blanc(c)) {
        if (n < sizeof mot - 1) mot[n++] = static_cast<char>(c);
        else long_ = true;
        c = getc_unlocked(f);
    }
    mot[n] = 0;
    if (long_) Erreur_Question("Configuration_Position()", "Chaîne > à 0124 !");
    return true;
}

// The word equal to the marker (none: the empty word). The first letters compared first: the
// words before the marker are many and most differ there.
bool Egal(const char* mot, const char* marque) {
    if (marque == nullptr) marque = "";
    return mot[0] == marque[0] && std::strcmp(mot, marque) == 0;
}

}  // namespace

void Configuration_PositionFlux(FILE* flux, const char* nomFichier, const char* marque) {
    std::rewind(flux);
    char mot[1024];
    while (LireMot(flux, mot)) {
        if (Egal(mot, marque)) return;
    }
    Erreur_Fatale("SCRIPT_C: Configuration_Position()", "%s non trouvé dans %s", marque ? marque : "",
                  nomFichier ? nomFichier : "");
}

void Configuration_Position(const char* nomFichier, const char* marque, FILE** flux) {
    FILE* f = Fichier_Ouvrir(nomFichier, "rt");
    if (flux) *flux = f;
    if (f == nullptr)
        Erreur_Fatale("SCRIPT_C: Configuration_Position() fichier non trouvé :", "%s", nomFichier ? nomFichier : "");
    // A stream not handed over is closed here, also when a report ends the program meanwhile: the
    // caller is left with none (a fuzz run or a test goes on after such an end).
    auto fermer = [&] {
        std::fclose(f);
        if (flux) *flux = nullptr;
    };
    char mot[1024];
    try {
        while (LireMot(f, mot)) {
            if (Egal(mot, marque)) return;
        }
    } catch (...) {
        fermer();
        throw;
    }
    // The file ends without the marker.
    fermer();
    Erreur_Fatale("SCRIPT_C: Configuration_Position()", "%s non trouvé dans %s", marque ? marque : "",
                  nomFichier ? nomFichier : "");
}
