#include "media/fetcher.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "media/tmhorloge.h"
#include "platform/fichiers.h"
#include "platform/temps.h"

int32_t FileFetcher::Open(const char* chemin, int32_t nombre, int32_t taille, int64_t depart) {
    Close();
    if (chemin == nullptr) return -7;
    fd_ = ::open(chemin, O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        Close();
        return -7;
    }
#ifdef POSIX_FADV_SEQUENTIAL
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
    tailleFichier_ = st.st_size;
    if (depart < 0 || depart >= tailleFichier_ || ::lseek(fd_, depart, SEEK_SET) != depart) {
        Close();
        return -34;
    }
    livre_ = lecture_ = depart;
    // A ring needs at least one buffer of at least one byte.
    if (nombre < 1 || taille < 1) {
        Close();
        return -5;
    }
    try {
        memoire_.resize(static_cast<size_t>(nombre) * static_cast<size_t>(taille));
        tampons_.reset(new FileFetcherBuffer[static_cast<size_t>(nombre)]);
    } catch (const std::bad_alloc&) {
        Close();
        return -5;
    }
    nombre_ = nombre;
    taille_ = taille;
    for (int32_t i = 0; i < nombre; ++i) tampons_[i].data = memoire_.data() + static_cast<size_t>(i) * taille;
    arret_.Effacer();
    repris_.Signaler();
    fini_.store(false);
    indiceConsommateur_ = indiceFetcher_ = 0;
    if (sansThread) return 0;
    try {
        thread_ = std::thread([this] { Boucle(); });
    } catch (...) {
        fini_.store(true);
        Close();
        return -17;
    }
    return 0;
}

void FileFetcher::Boucle() {
    for (;;) {
        if (delai != 0) Temps_Dormir(delai);
        if (TM_Attendre(&arret_, &repris_) == 0) break;   // suspended: waits for the resume
        if (TM_Attendre(&arret_, &tampons_[indiceFetcher_].libre) == 0) break;
        if (!Remplir()) break;
    }
    fini_.store(true);
}

bool FileFetcher::Remplir() {
    FileFetcherBuffer& t = tampons_[indiceFetcher_];
    ssize_t lus = 0;
    for (;;) {   // whole buffers: a short read that is not the end goes on
        const ssize_t r = ::read(fd_, t.data + lus, static_cast<size_t>(taille_ - lus));
        if (r > 0) lus += r;
        if (r <= 0 || lus == taille_) break;
    }
    t.available = static_cast<int32_t>(lus);
    t.lastOffset = lecture_ + lus - 1;
    t.readOffset = 0;
    lecture_ += taille_;
    indiceFetcher_ = (indiceFetcher_ + 1) % nombre_;
    // A read that brings nothing (the file shrank) ends the thread too.
    t.dernier = lus < taille_ || t.lastOffset >= tailleFichier_ - 1;
    const bool fin = t.dernier;
    t.libre.Effacer();
    t.rempli.Signaler();
    return !fin;
}

int32_t FileFetcher::Read(void* dest, int32_t longueur) {
    auto* d = static_cast<uint8_t*>(dest);
    while (longueur >= 1 && livre_ < tailleFichier_ && tampons_ != nullptr) {
        FileFetcherBuffer& t = tampons_[indiceConsommateur_];
        if (sansThread && !t.rempli.Signale()) {
            // Without a thread every buffer before this one is drained: it is the next to fill.
            if (fini_.load()) break;
            if (!Remplir()) fini_.store(true);
        }
        if (TM_Attendre(&arret_, &t.rempli) == 0) break;
        if (t.available <= 0) {   // the file ended before its size
            livre_ = tailleFichier_;
            break;
        }
        const int32_t n = std::min(longueur, t.available);
        std::memcpy(d, t.data + t.readOffset, static_cast<size_t>(n));
        t.readOffset += n;
        t.available -= n;
        livre_ += n;
        d += n;
        longueur -= n;
        if (t.available == 0) {
            t.readOffset = 0;
            // The file shrank under us: what its size promised will never come.
            if (t.dernier) livre_ = tailleFichier_;
            t.rempli.Effacer();
            t.libre.Signaler();
            indiceConsommateur_ = (indiceConsommateur_ + 1) % nombre_;
        }
    }
    return livre_ < tailleFichier_ ? 0 : -11;
}

int32_t FileFetcher::Close() {
    if (thread_.joinable()) {
        if (!fini_.load()) {
            TM_Log("Waiting for FileFetcher thread suicide...");
            repris_.Signaler();   // a suspended thread could never see the stop
            while (!fini_.load()) {
                arret_.Signaler();
                std::this_thread::yield();
                TM_LogRaw(".");
            }
            TM_Log("%s", "");
        }
        thread_.join();
    }
    fini_.store(true);
    tampons_.reset();
    memoire_.clear();
    memoire_.shrink_to_fit();
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    tailleFichier_ = livre_ = lecture_ = 0;
    nombre_ = taille_ = 0;
    indiceConsommateur_ = indiceFetcher_ = 0;
    return 0;
}

int32_t FileFetcher::SetPriority(int32_t indice) {
    if (indice < -2 || indice > 2) return -28;
    priorite_ = indice;   // the platform's threads all run at one priority
    return 0;
}

void FileFetcher::Suspend() { repris_.Effacer(); }
void FileFetcher::Resume() { repris_.Signaler(); }

int32_t FileFetcher_Open(FileFetcher* f, const char* chemin, int32_t nombre, int32_t taille, int64_t depart) {
    return f == nullptr ? -5 : f->Open(chemin, nombre, taille, depart);
}
int32_t FileFetcher_Read(FileFetcher* f, void* dest, int32_t longueur) {
    return f == nullptr ? -11 : f->Read(dest, longueur);
}
int32_t FileFetcher_Close(FileFetcher* f) { return f == nullptr ? 0 : f->Close(); }
int32_t FileFetcher_SetPriority(FileFetcher* f, int32_t indice) {
    return f == nullptr ? -28 : f->SetPriority(indice);
}
void FileFetcher_Suspend(FileFetcher* f) {
    if (f != nullptr) f->Suspend();
}
void FileFetcher_Resume(FileFetcher* f) {
    if (f != nullptr) f->Resume();
}
