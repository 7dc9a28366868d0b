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

// Every signal of an event, and every call of TM_Reveiller, counts as a change. A thread that
// waits for a state it reads (another thread's end, a ring drained) notes the count before it
// reads, then waits until the count moves on or `millisecondes` of real time pass.
uint64_t TM_Changements();
void TM_AttendreChangement(uint64_t vu, int32_t millisecondes);
// A change that is no event's signal (a thread has ended, say).
void TM_Reveiller();
