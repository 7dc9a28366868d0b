#include "media/tmsync.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {
// One lock and one condition for every event: a wait on any pair is then simple and exact.
std::mutex verrou;
std::condition_variable changement;
std::atomic<uint64_t> changements{0};
}  // namespace

void TMEvenement::Signaler() {
    std::lock_guard<std::mutex> g(verrou);
    // Signalled again: nothing changes, nobody is woken (a waiter on it would not be waiting).
    if (signale_) return;
    signale_ = true;
    ++changements;
    changement.notify_all();
}

void TMEvenement::Effacer() {
    std::lock_guard<std::mutex> g(verrou);
    signale_ = false;
}

int TM_Attendre(const TMEvenement* a, const TMEvenement* b, int32_t millisecondes) {
    auto pret = [&] { return (a != nullptr && a->Signale()) || (b != nullptr && b->Signale()); };
    std::unique_lock<std::mutex> g(verrou);
    if (millisecondes < 0) {
        changement.wait(g, pret);
    } else if (!changement.wait_for(g, std::chrono::milliseconds(millisecondes), pret)) {
        return -1;
    }
    return (a != nullptr && a->Signale()) ? 0 : 1;
}

uint64_t TM_Changements() { return changements.load(); }

void TM_AttendreChangement(uint64_t vu, int32_t millisecondes) {
    std::unique_lock<std::mutex> g(verrou);
    changement.wait_for(g, std::chrono::milliseconds(millisecondes), [vu] { return changements.load() != vu; });
}

void TM_Reveiller() {
    std::lock_guard<std::mutex> g(verrou);
    ++changements;
    changement.notify_all();
}
