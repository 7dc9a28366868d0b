// The buffers the movie threads hand each other (image blocks, decoded sound), each with a free
// and a filled event, and the ring they go round in.
#pragma once

#include <cstdint>
#include <memory>

#include "media/tmsync.h"

struct RVFReader;

struct TMBlockBuffer {
    uint8_t* data = nullptr;
    int32_t capacity = 0;   // a multiple of 4
    int32_t length = 0;     // full while not 0
    uint32_t flags = 0;     // bit 0: owns its memory
    TMEvenement libre{true};
    TMEvenement rempli{false};
    int32_t left = 0;       // bytes left to take
    uint8_t* take = nullptr;

    TMBlockBuffer() = default;
    ~TMBlockBuffer() { Free(); }
    TMBlockBuffer(const TMBlockBuffer&) = delete;
    TMBlockBuffer& operator=(const TMBlockBuffer&) = delete;

    // 0 or -5.
    int32_t Create(int32_t taille);
    // Grows to `taille` rounded up to 4, keeping the bytes: 0 or -5. A smaller size keeps it.
    int32_t Grow(int32_t taille);
    // Reads the reader's current payload and commits it: 0, -11 (end of the file or of the
    // movie), -5 (the payload does not fit and cannot be grown to), or the read's error.
    int32_t ReadBlock(RVFReader* lecteur);
    void Commit(int32_t longueur);
    void Release();
    // 1 stopped, 0 ready.
    int32_t WaitFree(const TMEvenement* arret) const;
    int32_t WaitFull(const TMEvenement* arret) const;
    // Takes up to n bytes (never more than are left): how many were copied.
    int32_t Take(int32_t n, void* dest);
    void Free();
};

struct TMBlockRing {
    int32_t count = 0;
    int32_t read = 0;
    int32_t write = 0;
    std::unique_ptr<TMBlockBuffer[]> entries;

    // 0 or -5.
    int32_t Create(int32_t nombre);
    // 0, -15 no entries, -5.
    int32_t SizeAll(int32_t taille);
    int32_t GrowAll(int32_t taille);
    int32_t GrowWrite(int32_t taille);
    int32_t WaitWriteFree(const TMEvenement* arret) const;
    int32_t ReadBlockIntoWrite(RVFReader* lecteur);
    void AdvanceWrite();
    void CommitWrite(int32_t longueur);
    int32_t WaitReadFull(const TMEvenement* arret) const;
    uint8_t* ReadData() const;
    int32_t ReadLength() const;
    int32_t ReadLeft() const;
    int32_t TakeFromRead(int32_t n, void* dest);
    void ReleaseRead();
    bool AnyFull() const;
    void Free();
    TMBlockBuffer& Write() const { return entries[write]; }
    TMBlockBuffer& Read() const { return entries[read]; }
};
