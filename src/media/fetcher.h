// Reads a file ahead of its consumer on a thread of its own, through a ring of equal buffers.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "media/tmsync.h"

struct FileFetcherBuffer {
    uint8_t* data = nullptr;
    int32_t available = 0;
    int64_t lastOffset = 0;   // file offset of the last byte read into it
    int32_t readOffset = 0;
    bool dernier = false;     // the thread's last buffer
    TMEvenement libre{true};
    TMEvenement rempli{false};
};

class FileFetcher {
  public:
    FileFetcher() = default;
    ~FileFetcher() { Close(); }
    FileFetcher(const FileFetcher&) = delete;
    FileFetcher& operator=(const FileFetcher&) = delete;

    // 0, -7 no file, -34 start offset outside the file, -5 memory, -18 events, -17 thread.
    int32_t Open(const char* chemin, int32_t nombre, int32_t taille, int64_t depart);
    // Copies the next `longueur` bytes: 0 while bytes remain after them, -11 once the end of the
    // file is delivered (the bytes before it are copied). Bytes past the end are left as they were.
    int32_t Read(void* dest, int32_t longueur);
    // Stops the thread (resuming it first when suspended) and frees everything: 0.
    int32_t Close();
    // -2 to 2; -28 outside.
    int32_t SetPriority(int32_t indice);
    void Suspend();
    void Resume();

    int64_t Delivered() const { return livre_; }
    int64_t Size() const { return tailleFichier_; }
    bool ThreadDone() const { return fini_.load(); }
    uint32_t delai = 0;   // ms slept before each buffer
    // Set before Open: no thread, each buffer is filled by the Read that needs it (a tool reading
    // many short files, where a thread per file costs more than the reading).
    bool sansThread = false;

  private:
    void Boucle();
    // Fills the fetcher's next buffer; false once it is the file's last.
    bool Remplir();
    TMEvenement arret_{false};
    TMEvenement repris_{true};
    std::atomic<bool> fini_{true};
    int fd_ = -1;
    int32_t taille_ = 0;
    int32_t nombre_ = 0;
    std::vector<uint8_t> memoire_;
    int64_t tailleFichier_ = 0;
    std::unique_ptr<FileFetcherBuffer[]> tampons_;
    std::thread thread_;
    int64_t livre_ = 0;
    int64_t lecture_ = 0;
    int32_t indiceConsommateur_ = 0;
    int32_t indiceFetcher_ = 0;
    int32_t priorite_ = 0;
};

// Flat form.
int32_t FileFetcher_Open(FileFetcher* f, const char* chemin, int32_t nombre, int32_t taille, int64_t depart);
int32_t FileFetcher_Read(FileFetcher* f, void* dest, int32_t longueur);
int32_t FileFetcher_Close(FileFetcher* f);
int32_t FileFetcher_SetPriority(FileFetcher* f, int32_t indice);
void FileFetcher_Suspend(FileFetcher* f);
void FileFetcher_Resume(FileFetcher* f);
