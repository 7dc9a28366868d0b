// libFuzzer's entry for one target.
#include <sanitizer/allocator_interface.h>
#include <sanitizer/asan_interface.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "cible.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    static const bool prepare = (cible::Environnement(Cible_Preparer), true);
    (void)prepare;
    cible::Executer(Cible_Lire, donnees, taille);
    return 0;
}

// Large blocks kept for the next input. The sanitizer's allocator maps every large block afresh
// and unmaps it when freed, and a fresh page costs a fault: a reader that makes a world or a
// catalogue of a few hundred kilobytes for each input then spends most of its time in faults.
// A freed large block is kept, poisoned (a use after its release is still reported), and handed
// back to the next request of exactly its size, so the sanitizer's guard after it stays in place.
// Small blocks go to the allocator as before.
namespace {

constexpr size_t GRAND_BLOC = 32 * 1024;
constexpr size_t PLACES = 512;
constexpr size_t RESERVE_MAX = 512u * 1024 * 1024;

struct Place {
    void* bloc;
    size_t taille;
};
Place Reserve[PLACES];
size_t NombreGardes = 0;
size_t OctetsGardes = 0;
std::atomic_flag Verrou = ATOMIC_FLAG_INIT;

struct Garde {
    Garde() {
        while (Verrou.test_and_set(std::memory_order_acquire)) {
        }
    }
    ~Garde() { Verrou.clear(std::memory_order_release); }
};

void* Prendre(size_t taille) {
    if (taille >= GRAND_BLOC) {
        Garde g;
        for (size_t i = NombreGardes; i-- > 0;) {
            if (Reserve[i].taille != taille) continue;
            void* bloc = Reserve[i].bloc;
            Reserve[i] = Reserve[--NombreGardes];
            OctetsGardes -= taille;
            __asan_unpoison_memory_region(bloc, taille);
            return bloc;
        }
    }
    return std::malloc(taille == 0 ? 1 : taille);
}

void Rendre(void* bloc) {
    if (bloc == nullptr) return;
    const size_t taille = __sanitizer_get_allocated_size(bloc);
    if (taille >= GRAND_BLOC) {
        Garde g;
        if (NombreGardes < PLACES && OctetsGardes + taille <= RESERVE_MAX) {
            __asan_poison_memory_region(bloc, taille);
            Reserve[NombreGardes++] = {bloc, taille};
            OctetsGardes += taille;
            return;
        }
    }
    std::free(bloc);
}

void* PrendreOuLancer(size_t taille) {
    void* bloc = Prendre(taille);
    if (bloc == nullptr) throw std::bad_alloc();
    return bloc;
}

void* PrendreAligne(size_t taille, std::align_val_t alignement) {
    const size_t a = static_cast<size_t>(alignement);
    return std::aligned_alloc(a, (taille + a - 1) / a * a);
}

}  // namespace

void* operator new(size_t taille) { return PrendreOuLancer(taille); }
void* operator new[](size_t taille) { return PrendreOuLancer(taille); }
void* operator new(size_t taille, const std::nothrow_t&) noexcept { return Prendre(taille); }
void* operator new[](size_t taille, const std::nothrow_t&) noexcept { return Prendre(taille); }
void operator delete(void* bloc) noexcept { Rendre(bloc); }
void operator delete[](void* bloc) noexcept { Rendre(bloc); }
void operator delete(void* bloc, size_t) noexcept { Rendre(bloc); }
void operator delete[](void* bloc, size_t) noexcept { Rendre(bloc); }
void operator delete(void* bloc, const std::nothrow_t&) noexcept { Rendre(bloc); }
void operator delete[](void* bloc, const std::nothrow_t&) noexcept { Rendre(bloc); }

void* operator new(size_t taille, std::align_val_t a) {
    void* bloc = PrendreAligne(taille, a);
    if (bloc == nullptr) throw std::bad_alloc();
    return bloc;
}
void* operator new[](size_t taille, std::align_val_t a) { return operator new(taille, a); }
void* operator new(size_t taille, std::align_val_t a, const std::nothrow_t&) noexcept { return PrendreAligne(taille, a); }
void* operator new[](size_t taille, std::align_val_t a, const std::nothrow_t&) noexcept {
    return PrendreAligne(taille, a);
}
void operator delete(void* bloc, std::align_val_t) noexcept { std::free(bloc); }
void operator delete[](void* bloc, std::align_val_t) noexcept { std::free(bloc); }
void operator delete(void* bloc, size_t, std::align_val_t) noexcept { std::free(bloc); }
void operator delete[](void* bloc, size_t, std::align_val_t) noexcept { std::free(bloc); }
void operator delete(void* bloc, std::align_val_t, const std::nothrow_t&) noexcept { std::free(bloc); }
void operator delete[](void* bloc, std::align_val_t, const std::nothrow_t&) noexcept { std::free(bloc); }
