#include "media/tmnotification.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

namespace {

struct Envoi {
    ProcedureFenetre procedure = nullptr;
    HandleFenetre fenetre = nullptr;
    uint32_t message = 0;
    uint32_t code = 0;
    NotificationFilm enregistrement;
    bool pris = false;       // the main thread is delivering it
    bool livre = false;
    bool abandonne = false;
};

std::mutex verrou;
std::condition_variable signal;   // a notification waits, one was delivered, or a wake-up
std::deque<std::shared_ptr<Envoi>> file;
bool reveil = false;

void Appeler(const Envoi& e) {
    NotificationFilm copie = e.enregistrement;
    e.procedure(e.fenetre, e.message, e.code, reinterpret_cast<ParamLong>(&copie));
}

}  // namespace

bool TM_Notifier(ProcedureFenetre procedure, HandleFenetre fenetre, uint32_t message, uint32_t code,
                 const NotificationFilm& enregistrement, bool attendre, const std::atomic<int32_t>* arret) {
    if (procedure == nullptr) return false;
    auto envoi = std::make_shared<Envoi>();
    envoi->procedure = procedure;
    envoi->fenetre = fenetre;
    envoi->message = message;
    envoi->code = code;
    envoi->enregistrement = enregistrement;
    if (Plateforme_ThreadPrincipal()) {
        Appeler(*envoi);
        return true;
    }
    std::unique_lock<std::mutex> g(verrou);
    file.push_back(envoi);
    signal.notify_all();
    if (!attendre) return true;
    while (!envoi->livre) {
        // Once the main thread has taken it, the delivery is under way and ends soon.
        if (arret != nullptr && arret->load() != 0 && !envoi->pris) {
            envoi->abandonne = true;
            return false;
        }
        signal.wait_for(g, std::chrono::milliseconds(2));
    }
    return true;
}

int TM_DistribuerNotifications() {
    if (!Plateforme_ThreadPrincipal()) return 0;
    int n = 0;
    for (;;) {
        std::shared_ptr<Envoi> e;
        {
            std::lock_guard<std::mutex> g(verrou);
            while (!file.empty() && file.front()->abandonne) file.pop_front();
            if (file.empty()) break;
            e = file.front();
            file.pop_front();
            e->pris = true;
        }
        Appeler(*e);
        ++n;
        std::lock_guard<std::mutex> g(verrou);
        e->livre = true;
        signal.notify_all();
    }
    return n;
}

int TM_AttendreNotifications(uint32_t millisecondes) {
    {
        std::unique_lock<std::mutex> g(verrou);
        signal.wait_for(g, std::chrono::milliseconds(millisecondes), [] {
            for (auto& e : file)
                if (!e->abandonne) return true;
            return reveil;
        });
        reveil = false;
    }
    return TM_DistribuerNotifications();
}

void TM_OublierNotifications(const void* film) {
    std::lock_guard<std::mutex> g(verrou);
    for (auto& e : file)
        if (e->enregistrement.film == film) e->abandonne = true;
    signal.notify_all();
}

void TM_ReveillerAttente() {
    std::lock_guard<std::mutex> g(verrou);
    reveil = true;
    signal.notify_all();
}
