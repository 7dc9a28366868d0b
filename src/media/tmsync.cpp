#include "media/tmsync.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {
// One lock and one condition for every event: a wait on any pair is then simple and exact.
std::mutex verrou;
std::condition_variable changement;
}  // namespace

void TMEvenement::Signaler() {
    std::lock_guard<std::mutex> g(verrou);
    signale_ = true;
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
