#include "media/tmanneau.h"

#include <climits>
#include <cstring>
#include <new>

#include "media/rvf6.h"

int32_t TMBlockBuffer::Create(int32_t taille) {
    Free();
    if (taille < 0) return -5;
    if (taille != 0) {
        const int32_t arrondi = taille > INT32_MAX - 3 ? -1 : (taille + 3) & ~3;
        if (arrondi < 0) return -5;
        data = new (std::nothrow) uint8_t[static_cast<size_t>(arrondi)];
        if (data == nullptr) return -5;
        flags |= 1;
        taille = arrondi;
    }
    capacity = taille;
    length = 0;
    return 0;
}

int32_t TMBlockBuffer::Grow(int32_t taille) {
    if (taille < 0 || taille > INT32_MAX - 3) return -5;
    const int32_t voulu = (taille + 3) & ~3;
    if (voulu <= capacity) return 0;
    auto* neuf = new (std::nothrow) uint8_t[static_cast<size_t>(voulu)];
    if (neuf == nullptr) return -5;
    if (data != nullptr && capacity > 0) std::memcpy(neuf, data, static_cast<size_t>(capacity));
    if (take != nullptr) take = neuf + (take - data);
    if (flags & 1) delete[] data;
    data = neuf;
    flags |= 1;
    capacity = voulu;
    return 0;
}

int32_t TMBlockBuffer::ReadBlock(RVFReader* r) {
    const int32_t octets = RVFReader_PayloadReadBytes(r);
    // The buffer grows to any payload that fits in the file (the reader checked that).
    if (octets > capacity && Grow(octets) != 0) return -5;
    const int32_t resultat = RVFReader_ReadPayload(r, data, octets);
    RVFReader_AddConsumed(r, static_cast<uint32_t>(octets));
    RVFReader_SubtractSet(r, octets);
    Commit(RVFReader_PayloadDataBytes(r));
    if (resultat != 0 && resultat != -11) return resultat;
    return (resultat == -11 || RVFReader_EndReached(r)) ? -11 : 0;
}

void TMBlockBuffer::Commit(int32_t longueur) {
    libre.Effacer();
    take = data;
    if (longueur != 0) length = longueur;
    left = length;
    rempli.Signaler();
}

void TMBlockBuffer::Release() {
    rempli.Effacer();
    take = nullptr;
    length = left = 0;
    libre.Signaler();
}

int32_t TMBlockBuffer::WaitFree(const TMEvenement* arret) const { return TM_Attendre(arret, &libre) == 0 ? 1 : 0; }
int32_t TMBlockBuffer::WaitFull(const TMEvenement* arret) const { return TM_Attendre(arret, &rempli) == 0 ? 1 : 0; }

int32_t TMBlockBuffer::Take(int32_t n, void* dest) {
    if (n > left) n = left;
    if (n <= 0 || take == nullptr) return 0;
    std::memcpy(dest, take, static_cast<size_t>(n));
    take += n;
    left -= n;
    length -= n;
    return n;
}

void TMBlockBuffer::Free() {
    if (flags & 1) delete[] data;
    data = take = nullptr;
    flags &= ~1u;
    capacity = length = left = 0;
}

int32_t TMBlockRing::Create(int32_t nombre) {
    Free();
    if (nombre < 1) return -5;
    entries.reset(new (std::nothrow) TMBlockBuffer[static_cast<size_t>(nombre)]);
    if (entries == nullptr) return -5;
    count = nombre;
    for (int32_t i = 0; i < count; ++i) {
        entries[i].Create(0);
        entries[i].Release();
    }
    read = write = 0;
    return 0;
}

int32_t TMBlockRing::SizeAll(int32_t taille) {
    if (count == 0) return -15;
    for (int32_t i = 0; i < count; ++i)
        if (int32_t e = entries[i].Create(taille)) return e;
    return 0;
}

int32_t TMBlockRing::GrowAll(int32_t taille) {
    if (count == 0) return -15;
    for (int32_t i = 0; i < count; ++i)
        if (int32_t e = entries[i].Grow(taille)) return e;
    return 0;
}

int32_t TMBlockRing::GrowWrite(int32_t taille) { return count == 0 ? -15 : Write().Grow(taille); }
int32_t TMBlockRing::WaitWriteFree(const TMEvenement* arret) const { return Write().WaitFree(arret); }
int32_t TMBlockRing::ReadBlockIntoWrite(RVFReader* lecteur) { return Write().ReadBlock(lecteur); }
void TMBlockRing::AdvanceWrite() { write = (write + 1) % count; }
void TMBlockRing::CommitWrite(int32_t longueur) {
    Write().Commit(longueur);
    AdvanceWrite();
}
int32_t TMBlockRing::WaitReadFull(const TMEvenement* arret) const { return Read().WaitFull(arret); }
uint8_t* TMBlockRing::ReadData() const { return Read().data; }
int32_t TMBlockRing::ReadLength() const { return Read().length; }
int32_t TMBlockRing::ReadLeft() const { return Read().left; }
int32_t TMBlockRing::TakeFromRead(int32_t n, void* dest) { return Read().Take(n, dest); }

void TMBlockRing::ReleaseRead() {
    // The buffer just read goes back free and the index moves on to the next one.
    TMBlockBuffer& b = Read();
    read = (read + 1) % count;
    b.Release();
}

bool TMBlockRing::AnyFull() const {
    // By the events: a block of no data bytes is full too, and the other thread may read them.
    for (int32_t i = 0; i < count; ++i)
        if (entries[i].rempli.Signale()) return true;
    return false;
}

void TMBlockRing::Free() {
    entries.reset();
    count = read = write = 0;
}
