// Hands the movie player's notifications to the main thread. The player's threads may not run
// the caller's window procedure themselves (it draws, presents and reads the input of the main
// thread), so a notification sent from another thread waits in a queue until the main thread
// delivers it; a frame's sender waits for that delivery (the frame's surface is reused two
// decodes later), or for its stop flag. On the main thread a notification is delivered at once.
#pragma once

#include <atomic>
#include <cstdint>

#include "media/tmreglages.h"
#include "platform/plateforme.h"

// Sends `code` with a copy of `enregistrement` to procedure(fenetre, message, code, &copy).
// attendre: the caller waits until it has been delivered, or until *arret becomes non-zero.
// Returns true when it was delivered.
bool TM_Notifier(ProcedureFenetre procedure, HandleFenetre fenetre, uint32_t message, uint32_t code,
                 const NotificationFilm& enregistrement, bool attendre, const std::atomic<int32_t>* arret);

// Main thread: delivers the notifications waiting, in the order they were sent. Returns their count.
int TM_DistribuerNotifications();
// Main thread: waits up to `millisecondes` of real time for a notification, then delivers what waits.
int TM_AttendreNotifications(uint32_t millisecondes);
// Drops the notifications of one movie that wait (its movie is being closed).
void TM_OublierNotifications(const void* film);
// Wakes the main thread's wait (something other than a notification changed).
void TM_ReveillerAttente();
