// Whitespace-separated words of a text stream, as the level, section and scenario readers take
// them: each word bounded, numbers checked, the end of the stream seen by every loop.
#pragma once

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

class LecteurJetons {
  public:
    static constexpr size_t TAILLE_MOT = 1024;

    explicit LecteurJetons(FILE* f) : f_(f) {}

    // The next word (at most 1023 bytes; a longer word is cut and Long() tells so); false at
    // the end of the stream.
    bool Mot() {
        long_ = false;
        mot_[0] = 0;
        if (f_ == nullptr) return false;
        // The stream is this reader's alone: read without taking its lock for each byte.
        int c;
        do c = getc_unlocked(f_);
        while (c != EOF && std::isspace(c));
        if (c == EOF) return false;
        size_t n = 0;
        while (c != EOF && !std::isspace(c)) {
            if (n < TAILLE_MOT - 1) mot_[n++] = static_cast<char>(c);
            else long_ = true;
            c = getc_unlocked(f_);
        }
        mot_[n] = 0;
        return true;
    }
    const char* Texte() const { return mot_; }
    bool Long() const { return long_; }
    bool Egal(const char* autre) const { return std::strcmp(mot_, autre) == 0; }

    // The next word read as a whole decimal number; false at the end of the stream or for a
    // word that is not a number (the word is consumed either way; Fin() tells which).
    bool Entier(int* valeur) {
        fin_ = !Mot();
        return !fin_ && EntierDe(mot_, valeur);
    }
    bool Fin() const { return fin_; }

    // Skips words up to one equal to `en_tete`; false when the stream ends first.
    bool Jusqua(const char* en_tete) {
        while (Mot())
            if (Egal(en_tete)) return true;
        return false;
    }

    static bool EntierDe(const char* mot, int* valeur) {
        if (mot == nullptr || *mot == 0) return false;
        errno = 0;
        char* fin = nullptr;
        long v = std::strtol(mot, &fin, 10);
        if (*fin != 0 || errno != 0 || v < INT32_MIN || v > INT32_MAX) return false;
        *valeur = static_cast<int>(v);
        return true;
    }

  private:
    FILE* f_;
    char mot_[TAILLE_MOT] = {};
    bool long_ = false;
    bool fin_ = false;
};

// Closes a stream when its reader leaves, a report included.
struct FermetureFlux {
    FILE*& f;
    explicit FermetureFlux(FILE*& flux) : f(flux) {}
    FermetureFlux(const FermetureFlux&) = delete;
    FermetureFlux& operator=(const FermetureFlux&) = delete;
    ~FermetureFlux() {
        if (f) std::fclose(f);
        f = nullptr;
    }
};

// In the master list of mv.ini (the stream standing after "//liste_des_objets_maîtres."), reads
// on to the "#define" line numbered `numero`; true with its file word in l.Texte(), false at the
// list's end "//." or the stream's.
inline bool LecteurJetons_ChercheMaitre(LecteurJetons& l, int numero) {
    while (l.Mot()) {
        if (l.Egal("//.")) return false;
        if (!l.Egal("#define")) continue;
        int n = 0;
        if (!l.Mot()) return false;   // the name
        if (!l.Entier(&n)) {
            if (l.Fin()) return false;
            continue;
        }
        if (!l.Mot() || !l.Mot()) return false;   // "//" and the file
        if (n == numero) return true;
    }
    return false;
}
