#include "media/tmfilm.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "media/tmhorloge.h"
#include "media/tmnotification.h"
#include "platform/affichage.h"
#include "platform/fichiers.h"
#include "platform/son.h"
#include "platform/temps.h"

namespace {

void* FilmDeLaFenetre = nullptr;   // the movie the player's own display shows (its user-data slot)

// The caller's window procedure, reached through its window.
intptr_t EnvoyerAFenetre(HandleFenetre fenetre, uint32_t message, ParamMot w, ParamLong l) {
    return Message_Envoyer(fenetre, message, w, l);
}

// The bits of colour of a display format: the sum of its channel masks' bits.
int32_t BitsRGB(const TMPlayParams* pcp) {
    if (pcp->formatPixel == nullptr) return 15;   // our surfaces are 5-5-5
    const auto* mots = reinterpret_cast<const uint32_t*>(pcp->formatPixel);
    // A pixel format: size, flags, bits per pixel, red, green and blue masks.
    const uint32_t masques = mots[3] | mots[4] | mots[5];
    return __builtin_popcount(masques);
}

void LibererSurfaces(TMMovie* m) {
    m->surfaces.Free();
    if (m->primairePropre != nullptr) Surface_Liberer(m->primairePropre);
    m->primairePropre = nullptr;
}

// The freeze and the dropping of late frames are changed by the caller while the image sender reads them.
bool Fige(TMMovie* m) { return std::atomic_ref<int32_t>(m->reglages.Freeze).load() != 0; }

void LibererCodec(TMMovie* m) {
    if (!m->codecCharge) return;
    TM_FreeCodec();
    m->codecCharge = false;
}

// Stops the threads that run and waits until each has ended. A held thread is let go first, so
// that a paused or frozen movie stops as well as a running one. The feeder ends first: it is
// the one that starts the sound sender, which starts the image sender.
void ArreterThreads(TMMovie* m) {
    m->arretForce = 1;
    // The reader goes on first: a feeder held inside a read of a paused movie could not see its
    // stop.
    if (m->ouvert) RVFReader_Resume(&m->lecteur);
    {
        std::lock_guard<std::mutex> g(m->verrouPorte);
        m->suspendus = false;
        m->porte.notify_all();
    }
    if (m->pas) m->pas->Signaler();
    TM_FluxArreter(m);
    for (TMArretThread* t : {&m->ssend, &m->isend, &m->feed})
        if (t->arret) t->arret->Signaler();
    for (TMArretThread* t : {&m->feed, &m->ssend, &m->isend})
        for (;;) {
            const uint64_t vu = TM_Changements();
            if (t->fini != 0) break;
            TM_AttendreChangement(vu, 20);
        }
    for (TMArretThread* t : {&m->feed, &m->ssend, &m->isend})
        if (t->thread.joinable()) t->thread.join();
    // A movie stopped while paused or frozen gives the library clock back running.
    if (m->enPause != 0 || m->figeMaintenant != 0) TM_ClockResume();
    m->enPause = 0;
    m->figeMaintenant = 0;
}

}  // namespace

TMMovie::TMMovie() {
    // A movie has all-zero settings until TM_Init (the record's own initial values are zero).
    reglages = TMSettings{};
}

TMMovie::~TMMovie() {
    ArreterThreads(this);
    TM_End(this);
    if (FilmDeLaFenetre == this) FilmDeLaFenetre = nullptr;
}

int32_t TM_SetSettings(TMMovie* m, const TMSettings* reglages) {
    if (m != nullptr && reglages != nullptr) m->reglages = *reglages;
    return 0;
}

int32_t TM_GetSettingsInto(TMMovie* m, TMSettings* reglages) {
    if (m != nullptr && reglages != nullptr) *reglages = m->reglages;
    return 0;
}

void TM_SetState(TMMovie* m, TMEtatFonction etat, int32_t code) {
    m->etat = etat;
    m->codeEtat = code;
}

// ---- threads, gate, activity, notifications ---------------------------------------------------

void TM_Activite(TMMovie* m, int indice, int32_t etat) {
    if (m->activite[indice].exchange(etat) != etat) ++m->changements;
}

int TM_AttendreThread(TMMovie* m, int indice, const TMEvenement* a, const TMEvenement* b) {
    m->attendus[indice][0] = a;
    m->attendus[indice][1] = b;
    TM_Activite(m, indice, TM_ATTEND);
    const int r = TM_Attendre(a, b);
    TM_Activite(m, indice, TM_ACTIF);
    m->attendus[indice][0] = nullptr;
    m->attendus[indice][1] = nullptr;
    return r;
}

bool TM_AuRepos(TMMovie* m) {
    for (int i = 0; i < 3; ++i) {
        const int32_t a = m->activite[i];
        if (a == TM_ACTIF) return false;
        if (a == TM_ATTEND)
            for (auto& e : m->attendus[i]) {
                const TMEvenement* ev = e.load();
                if (ev != nullptr && ev->Signale()) return false;
            }
        // Paused, the image sender waits for the resume, not for the clock.
        if (a == TM_ATTEND_HORLOGE && m->enPause == 0 && TM_Now() >= m->cible) return false;
    }
    // The feeder polls at the end: it is about to act when what it waits for has come.
    if (m->activite[TM_FEED] == TM_ATTEND && m->feederEnFin != 0) {
        const bool sendersFinis = m->isend.fini != 0 && m->ssend.fini != 0;
        if (sendersFinis) return false;
        if (m->feederEnFin == 1) {
            // The feeder is about to start the image sender.
            if (!m->isend.pris) return false;
            if (m->isend.fini == 0 && !m->images.AnyFull() && m->isend.arret && !m->isend.arret->Signale()) return false;
            if (m->ssend.fini == 0 && m->ssend.arret && !m->ssend.arret->Signale() && !m->sons.AnyFull()) {
                bool joue = true;
                for (auto& g : m->segmentsSon.segments)
                    if (!g.evenement->Signale()) joue = false;
                if (joue || (!m->fluxJoue && m->isend.fini != 0)) return false;
            }
        }
    }
    return true;
}

bool TM_Prendre(TMArretThread& t) { return !t.pris.exchange(true); }

bool TM_LancerSiLibre(TMMovie* m, TMArretThread& t, void (*corps)(TMMovie*)) {
    return TM_Prendre(t) ? TM_Lancer(m, t, corps) : true;
}

void TM_Abandonner(TMArretThread& t) {
    if (TM_Prendre(t)) {
        t.fini = 1;
        TM_Reveiller();
    }
}

void TM_FluxJouer(TMMovie* m) {
    std::lock_guard<std::mutex> g(m->verrouFlux);
    if (m->sortieSon.flux == nullptr) return;
    TMSound_Play(&m->sortieSon);
    m->fluxJoue = true;
}

void TM_FluxReprendre(TMMovie* m) {
    std::lock_guard<std::mutex> g(m->verrouFlux);
    if (m->sortieSon.flux != nullptr && m->fluxJoue) TMSound_Play(&m->sortieSon);
}

void TM_FluxArreter(TMMovie* m) {
    std::lock_guard<std::mutex> g(m->verrouFlux);
    if (m->sortieSon.flux != nullptr) TMSound_Stop(&m->sortieSon);
}

bool TM_Lancer(TMMovie* m, TMArretThread& t, void (*corps)(TMMovie*)) {
    t.pris = true;
    if (t.thread.joinable()) t.thread.join();
    t.fini = 0;
    try {
        t.thread = std::thread(corps, m);
    } catch (...) {
        t.fini = 1;
        TM_Reveiller();
        return false;
    }
    return true;
}

void TM_Porte(TMMovie* m, int indice) {
    std::unique_lock<std::mutex> g(m->verrouPorte);
    if (!m->suspendus || m->arretForce != 0) return;
    // The image sender is held only by a pause; a freeze holds the feeder and the sound sender.
    if (indice == TM_ISEND && m->enPause == 0) return;
    const int32_t avant = m->activite[indice];
    TM_Activite(m, indice, TM_ATTEND);
    m->porte.wait(g, [m, indice] {
        return !m->suspendus || m->arretForce != 0 || (indice == TM_ISEND && m->enPause == 0);
    });
    TM_Activite(m, indice, avant);
}

void TM_Notification(TMMovie* m, uint32_t code, SurfaceImage* image, uint32_t longueur, bool attendre) {
    if (m->message == -1 || m->procedure == nullptr) return;
    NotificationFilm n;
    n.film = m;
    n.primaire = m->primaire;
    n.arriere = m->arriere;
    n.image = image;
    n.longueur = longueur;
    TM_Notifier(m->procedure, m->fenetre, static_cast<uint32_t>(m->message), code, n, attendre, &m->arretForce);
}

// ---- start ---------------------------------------------------------------------------------------

int32_t TM_StartFile(TMMovie* m, const char* chemin, TMPlayParams* pcp) {
    if (pcp == nullptr) return TM_ERR_PCP_NUL;
    TM_MovieStarted();
    if (m->ouvert) {
        RVFReader_Close(&m->lecteur);
        m->ouvert = false;
    }
    // The game's path ("..\rvf\Menu.rvf") to this system's.
    const std::string systeme = chemin != nullptr ? Chemin_Resoudre(chemin) : std::string();
    int32_t r = RVFReader_OpenFile(&m->lecteur, chemin != nullptr ? systeme.c_str() : nullptr, &m->reglages);
    if (r != 0) return r;
    m->ouvert = true;
    return TM_Start(m, pcp);
}

namespace {

// Waits for the end of the movie on the caller's thread. Frames handed to the main thread are
// delivered meanwhile, and on the manual clock time moves whenever the threads wait for it.
void AttendreFin(TMMovie* m, bool pomper) {
    uint32_t vus = 0;
    int calmes = 0;
    while (TM_Attendre(m->fin.get(), nullptr, 1) != 0) {
        if (Plateforme_ThreadPrincipal()) TM_DistribuerNotifications();
        if (pomper) {
            Message message;
            if (Message_Attente(&message) && Message_Lire(&message)) Message_Distribuer(&message);
        }
        if (!Temps_Manuel()) continue;
        const bool repos = TM_AuRepos(m);
        const uint32_t changements = m->changements;
        calmes = (repos && changements == vus) ? calmes + 1 : 0;
        vus = changements;
        if (calmes < 2) continue;
        calmes = 0;
        const uint32_t maintenant = Temps_Ticks();
        const uint32_t echeance = m->echeance;
        if (m->activite[TM_ISEND] == TM_ATTEND_HORLOGE && static_cast<int32_t>(echeance - maintenant) > 0)
            Temps_Fixer(echeance);
        else
            Temps_Avancer(10);
        Son_Rattraper();
    }
}

}  // namespace

int32_t TM_Start(TMMovie* m, TMPlayParams* pcp) {
    // 1. A fresh start.
    ArreterThreads(m);
    m->fin.reset();
    m->pas.reset();
    m->ssend.arret.reset();
    m->isend.arret.reset();
    m->feed.arret.reset();
    m->segmentsSon.Free();
    {
        std::lock_guard<std::mutex> g(m->verrouFlux);
        TMSound_Release(&m->sortieSon);
        TMSound_Reset(&m->sortieSon);
    }
    m->fluxJoue = false;
    for (TMArretThread* t : {&m->ssend, &m->isend, &m->feed}) t->pris = false;
    m->bltFlags = 0;
    m->BSC_firstready = 0;
    m->enPause = 0;
    m->figeMaintenant = 0;
    m->arretForce = 0;
    m->suspendus = false;
    m->echeance = 0;
    m->feederEnFin = 0;
    for (auto& a : m->activite) a = TM_TERMINE;
    // 2. The window and the notification message.
    if (pcp->fenetre == nullptr) pcp->indexMotFenetre = -21;
    m->message = pcp->message;
    // 3. The display.
    const int32_t largeur = RVFReader_Width(&m->lecteur), hauteur = RVFReader_Height(&m->lecteur);
    m->instance = pcp->instance;
    m->son = pcp->directSound;
    if (pcp->indexMotFenetre != -21 && (pcp->indexMotFenetre < 0 || pcp->indexMotFenetre % 4 != 0))
        return TM_ERR_INDEX_FENETRE;
    if (pcp->fenetre != nullptr) {
        if (!Fenetre_Valide(pcp->fenetre)) return TM_ERR_PAS_DE_FENETRE;
        m->fenetre = pcp->fenetre;
        m->procedure = EnvoyerAFenetre;
        m->primaire = pcp->primaire;
        m->arriere = pcp->arriere;
    } else {
        // No window: the player shows the movie itself, on a display of its own.
        m->fenetre = nullptr;
        m->procedure = nullptr;
        m->primairePropre = Surface_Creer(largeur, hauteur);
        if (m->primairePropre == nullptr) return TM_ERR_MEMOIRE;
        m->primaire = m->primairePropre;
        m->arriere = nullptr;
        FilmDeLaFenetre = m;
    }
    // 4. Start notifications: the caller clears its screen.
    if (m->reglages.FullScreen != 0) {
        if (m->message != -1) {
            TM_Notification(m, TM_NOTIF_DEBUT, nullptr, 0, true);
            TM_Notification(m, TM_NOTIF_DEBUT_SUITE, nullptr, 0, true);
        } else if (m->primairePropre != nullptr) {
            std::fill(m->primairePropre->pixels.begin(), m->primairePropre->pixels.end(), uint16_t{0});
        }
    }
    // 5, 6. Blits and the display's depth: frames are decoded to 5-5-5.
    m->bltFlags = m->reglages.BltWait ? 16 : 0;
    if (BitsRGB(pcp) != 15) {
        LibererSurfaces(m);
        return TM_ERR_BITS;
    }
    // 7. The decoder.
    int32_t r = TM_LoadCodec(m->lecteur.header, 15, true);
    if (r != 0 && r != TM_ERR_CODEC_DEJA_CHARGE) {
        LibererSurfaces(m);
        return r;
    }
    m->codecCharge = true;
    // 8, 9. The rings: image blocks, and the surfaces of the current and previous frames.
    m->cadre[0] = m->cadre[1] = 0;
    m->cadre[2] = largeur;
    m->cadre[3] = hauteur;
    if (m->reglages.ImageBlocks < 1) return TM_ERR_ANNEAU_VIDE;
    // Two surfaces at least: the frame decoded against the one before.
    DDMgr_Reset(&m->ecran);
    if (m->images.Create(m->reglages.ImageBlocks) != 0 || m->images.SizeAll(12288) != 0 ||
        m->surfaces.Create(&m->ecran, std::max(2, m->reglages.Surfaces), largeur, hauteur) != 0) {
        m->images.Free();
        LibererSurfaces(m);
        return TM_ERR_MEMOIRE;
    }
    try {
        m->blocSon.reserve(1740);
    } catch (const std::bad_alloc&) {
        m->images.Free();
        LibererSurfaces(m);
        return TM_ERR_MEMOIRE;
    }
    // The decoded sound ring, when the movie's sound is played.
    if (!RVFReader_HasSound(&m->lecteur) || m->son == nullptr) m->reglages.SoundOn = 0;
    if (m->reglages.SoundOn != 0) {
        TMSound_Reset(&m->sortieSon);
        int32_t e = TMSound_SetDirectSound(&m->sortieSon, m->son);
        if (e == 0) {
            TMSound_SetWindow(&m->sortieSon, m->fenetre);
            e = TMSound_SetPrimaryFormat(&m->sortieSon, &m->lecteur);
        }
        if (e != 0) {
            LibererSurfaces(m);
            return e;
        }
        if (m->reglages.SoundBlocks < 1 || m->reglages.SoundSegments < 1 || m->reglages.SoundBufferBlocks < 1) {
            LibererSurfaces(m);
            return TM_ERR_ANNEAU_VIDE;
        }
        if (m->sons.Create(m->reglages.SoundBlocks) != 0 || m->sons.SizeAll(6960) != 0) {
            m->sons.Free();
            LibererSurfaces(m);
            return TM_ERR_MEMOIRE;
        }
        m->blocSon.resize(std::max<size_t>(m->blocSon.size(), 1740));
    }
    // 10. State and events.
    TM_SetState(m, TM_StateBegin, 0);
    m->fin = std::make_unique<TMEvenement>();
    if (m->reglages.SoundOn != 0) m->ssend.arret = std::make_unique<TMEvenement>();
    m->isend.arret = std::make_unique<TMEvenement>();
    m->feed.arret = std::make_unique<TMEvenement>();
    m->pas = std::make_unique<TMEvenement>();
    // 11. The feeder, then the image sender; with sound the sound sender starts the image sender
    // after its first pass. The image sender counts as running from here: the feeder must not
    // take one that has not started yet for one that has ended.
    // Without sound the image sender is this thread's to start (taken before the feeder runs:
    // from then on the feeder owns the settings).
    const bool son = m->reglages.SoundOn != 0;
    m->feed.fini = 0;
    m->isend.fini = 0;
    m->ssend.fini = son ? 0 : 1;
    if (!son) {
        TM_Prendre(m->isend);
        TM_Prendre(m->ssend);
    }
    TM_Activite(m, TM_FEED, TM_ACTIF);
    TM_Activite(m, TM_ISEND, TM_ACTIF);
    if (son) TM_Activite(m, TM_SSEND, TM_ACTIF);
    if (!TM_Lancer(m, m->feed, FEED_THREAD)) {
        m->isend.fini = 1;
        m->ssend.fini = 1;
        for (int i = 0; i < 3; ++i) TM_Activite(m, i, TM_TERMINE);
        TM_Release(m);
        return TM_ERR_THREAD;
    }
    if (!son && !TM_Lancer(m, m->isend, ISEND_THREAD)) {
        TM_Activite(m, TM_ISEND, TM_TERMINE);
        TM_Release(m);
        return TM_ERR_THREAD;
    }
    // 12. Without a notification message the start returns at the end.
    if (m->message == -1) {
        AttendreFin(m, true);
        TM_MovieEnded();
    }
    return 0;
}

// ---- control ---------------------------------------------------------------------------------------

int32_t TM_DoStop(TMMovie* m) {
    if (Fige(m)) TM_SetFreeze(m, 0);
    ArreterThreads(m);
    return 0;
}

int32_t TM_DoPause(TMMovie* m) {
    if (m->enPause != 0 || Fige(m)) return 0;
    std::lock_guard<std::mutex> g(m->verrouPorte);
    m->enPause = 1;
    TM_ClockPause();
    TM_FluxArreter(m);
    m->suspendus = true;
    RVFReader_Suspend(&m->lecteur);
    return 0;
}

int32_t TM_DoResume(TMMovie* m) {
    if (m->enPause == 0 || Fige(m)) return 0;
    std::lock_guard<std::mutex> g(m->verrouPorte);
    TM_ClockResume();
    m->enPause = 0;
    RVFReader_Resume(&m->lecteur);
    m->suspendus = false;
    m->porte.notify_all();
    TM_FluxReprendre(m);
    return 0;
}

int32_t TM_SetFreeze(TMMovie* m, int32_t on) {
    if (Fige(m) == (on != 0)) return 0;
    std::atomic_ref<int32_t> fige(m->reglages.Freeze);
    if (on) {
        fige = 1;
        return 0;
    }
    // Off always leaves the freeze, whether or not the image sender has entered it yet.
    fige = 0;
    if (m->figeMaintenant != 0 && m->pas) m->pas->Signaler();
    return 0;
}

int32_t TM_IsFrozen(TMMovie* m) { return Fige(m) ? 1 : 0; }

int32_t TM_Step(TMMovie* m) {
    if (Fige(m) && m->pas) m->pas->Signaler();
    return 0;
}

int32_t TM_Release(TMMovie* m) {
    ArreterThreads(m);
    m->fin.reset();
    m->ssend.arret.reset();
    m->isend.arret.reset();
    m->feed.arret.reset();
    m->pas.reset();
    m->images.Free();
    m->sons.Free();
    m->segmentsSon.Free();
    {
        std::lock_guard<std::mutex> g(m->verrouFlux);
        TMSound_Release(&m->sortieSon);
    }
    TM_OublierNotifications(m);
    return 0;
}

int32_t TM_End(TMMovie* m) {
    // A movie still playing is waited for; one that never started has nothing to wait for, but
    // what its start opened is released all the same.
    if (m->fin && m->feed.fini == 0) AttendreFin(m, false);
    if (m->ouvert) {
        RVFReader_Close(&m->lecteur);
        m->ouvert = false;
    }
    TM_Release(m);
    LibererSurfaces(m);
    LibererCodec(m);
    return 0;
}

int32_t TM_ChangerAffichageTaux(TMMovie* m) {
    if (m == nullptr) return 0;
    std::atomic_ref<int32_t> taux(m->reglages.ShowRate);
    const int32_t suivant = (taux.load() + 1) % 3;
    taux = suivant;
    return suivant;
}

// ---- the player's own window -------------------------------------------------------------------

intptr_t TM_WindowProc(HandleFenetre fenetre, uint32_t message, ParamMot w, ParamLong l) {
    auto* m = static_cast<TMMovie*>(FilmDeLaFenetre);
    switch (message) {
        case MSG_CURSEUR:
            return 1;
        case MSG_TOUCHE_ENFONCEE:
            if (m == nullptr) return 0;
            if (w == TOUCHE_ECHAP) TM_DoStop(m);
            else if (w == TOUCHE_F1 + 10) m->enPause ? TM_DoResume(m) : TM_DoPause(m);   // F11, each press
            return 0;
        case MSG_TOUCHE_RELACHEE:
            if (m == nullptr) return 0;
            if (w == TOUCHE_F1 + 1) {
                TM_ChangerAffichageTaux(m);
            } else if (w == TOUCHE_F1 + 2) {
                std::atomic_ref<int32_t> abandon(m->reglages.DropLate);
                abandon = abandon == 0 ? 1 : 0;
            } else if (w == TOUCHE_F4) {
                TM_SetFreeze(m, !Fige(m));
            }
            else if (w == TOUCHE_F1 + 4) TM_Step(m);
            return 0;
        case MSG_FERMER:
            if (m != nullptr) TM_DoStop(m);
            Message_PosterQuitter(0);
            return 0;
        case MSG_DETRUIRE:
            Message_PosterQuitter(0);
            return Fenetre_ProcedureDefaut(fenetre, message, w, l);
        default:
            return Fenetre_ProcedureDefaut(fenetre, message, w, l);
    }
}
