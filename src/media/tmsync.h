// Manual-reset events for the movie player's threads, and the wait on one or two of them that
// every hand-over uses (a data event paired with the waiting thread's stop event).
#pragma once

#include <atomic>
#include <cstdint>

class TMEvenement {
  public:
    explicit TMEvenement(bool signale = false) : signale_(signale) {}
    void Signaler();
    void Effacer();
    bool Signale() const { return signale_.load(); }

  private:
    std::atomic<bool> signale_;
};

// Waits until `a` or `b` (either may be null) is signalled: 0 for a, 1 for b (a first when
// both are), -1 when `millisecondes` of real time passed (negative: no limit).
int TM_Attendre(const TMEvenement* a, const TMEvenement* b, int32_t millisecondes = -1);
