// The movie player's threads: the feeder (reads the file block by block, queues the image
// blocks, decodes the sound), the sound sender (fills the stream's segments as they play) and the
// image sender (decodes, paces by the library clock, shows or hands over).
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <functional>
#include <thread>

#include "media/tmcadence.h"
#include "media/rvfpi.h"
#include "media/tmfilm.h"
#include "media/tmhorloge.h"
#include "media/tmtaux.h"
#include "platform/affichage.h"
#include "platform/temps.h"

namespace {

// Waits for `evenement` or the thread's stop event: true when stopped.
bool Attendre(TMMovie* m, int indice, TMEvenement& evenement, TMArretThread& t) {
    if (evenement.Signale()) return false;
    return TM_AttendreThread(m, indice, &evenement, t.arret.get()) != 0;
}

// Reads the current block's payload into `dest` (grown to hold every byte read, never shrunk),
// counts it as consumed and takes it off its block set; *longueur gets its data bytes. 0, or
// -11 when the file's end has been delivered with it (the block is whole: its reader checked
// that it fits in the file).
int32_t LireBloc(TMMovie* m, std::vector<uint8_t>& dest, int32_t* longueur) {
    RVFReader* r = &m->lecteur;
    const int32_t lire = RVFReader_PayloadReadBytes(r), donnees = RVFReader_PayloadDataBytes(r);
    const size_t place = static_cast<size_t>((std::max(lire, donnees) + 3) & ~3);
    if (dest.size() < place) dest.resize(place);
    const int32_t resultat = lire > 0 ? RVFReader_ReadPayload(r, dest.data(), lire) : 0;
    RVFReader_AddConsumed(r, static_cast<uint32_t>(lire));
    RVFReader_SubtractSet(r, lire);
    *longueur = donnees;
    return (resultat == TM_ERR_LONGUEUR_NULLE || RVFReader_EndReached(r)) ? TM_ERR_LONGUEUR_NULLE : resultat;
}

// Shows the current frame: handed to the caller, or copied to the player's own display; the
// frame rate is drawn over it (debut, controle: see TM_ShowFrameRate). The caller shows the frame
// while it holds it, so the figures go over the frame it is handed, not over its back surface
// once it has shown it.
void Montrer(TMMovie* m, uint32_t longueur, TMAffichageTaux* taux, double debut, double controle) {
    SurfaceImage* image = m->surfaces.CurrentSurface();
    if (m->message == -1) {
        if (m->primairePropre != nullptr) {
            m->primairePropre->pixels = image->pixels;
            TM_ShowFrameRate(m, taux, m->primairePropre, debut, controle);
            Affichage_Presenter(m->primairePropre->pixels.data(), m->primairePropre->largeur,
                                m->primairePropre->hauteur, m->primairePropre->pas, 0, 0);
        }
    } else {
        TM_Notification(m, TM_NOTIF_IMAGE, TM_ImageAvecTaux(m, taux, image, debut, controle), longueur, true);
    }
    ++m->imagesMontrees;
    m->surfaces.Advance();
}

// Waits until the library clock reaches `cible`, or the caller stops the movie. On the manual
// clock the main thread moves time and reads the due tick; otherwise the thread sleeps until the
// frame is due, or through a pause until the resume, woken at once by a stop.
void AttendreMoment(TMMovie* m, double cible) {
    double reste = cible - TM_Now();
    if (reste <= 0 && m->enPause == 0) return;
    m->echeance = Temps_Ticks() + static_cast<uint32_t>(std::ceil(reste));
    m->cible = cible;
    TM_Activite(m, TM_ISEND, TM_ATTEND_HORLOGE);
    // A pause holds the frame until the resume (the clock then leaves the pause out).
    while (m->arretForce == 0 && ((reste = cible - TM_Now()) > 0 || m->enPause != 0)) {
        if (Temps_Manuel()) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            m->echeance = Temps_Ticks() + static_cast<uint32_t>(std::ceil(std::max(reste, 0.0)));
            continue;
        }
        std::unique_lock<std::mutex> g(m->verrouPorte);
        if (m->arretForce != 0) break;
        if (m->enPause != 0) {
            m->porte.wait(g, [m] { return m->enPause == 0 || m->arretForce != 0; });
        } else {
            // The clock counts whole milliseconds: never less than a quarter of one.
            const std::chrono::duration<double, std::milli> duree(std::max(reste, 0.25));
            m->porte.wait_for(g, duree, [m] { return m->enPause != 0 || m->arretForce != 0; });
        }
    }
    TM_Activite(m, TM_ISEND, TM_ACTIF);
}

// A thread's done flag, for whoever waits on it.
void Fini(TMArretThread& t) {
    t.fini = 1;
    TM_Reveiller();
}

}  // namespace

double TM_FramePeriod(TMMovie* m) {
    if (m->reglages.SoundOn != 0) m->reglages.FrameRate = m->reglages.SoundFrameRate;
    else m->reglages.SoundSync = 0;
    // A rate of 0 (settings never given) plays at the library's default.
    if (!(m->reglages.FrameRate > 0.0f)) m->reglages.FrameRate = 15.0f;
    return TM_PeriodeImage(m->reglages.FrameRate);
}

// ---- the feeder ------------------------------------------------------------------------------

namespace {

// The feeder starts the image sender (when nobody has).
void DemarrerImages(TMMovie* m) {
    if (!TM_LancerSiLibre(m, m->isend, ISEND_THREAD)) {
        TM_Activite(m, TM_ISEND, TM_TERMINE);
        Fini(m->isend);
    }
}

// The sound the header promised has not come: the movie plays silent, its sound blocks dropped.
void SansSon(TMMovie* m) {
    m->reglages.SoundOn = 0;
    if (TM_Prendre(m->ssend)) {
        Fini(m->ssend);
        TM_Activite(m, TM_SSEND, TM_TERMINE);
    }
    DemarrerImages(m);
}

}  // namespace

int32_t TM_StateBegin(TMMovie* m) {
    TM_SetState(m, TM_StateBlockSet, TM_CODE_CONTINUE);
    return 0;
}

int32_t TM_StateBlockSet(TMMovie* m) {
    if (RVFReader_EndReached(&m->lecteur)) {
        TM_SetState(m, TM_StateEnd, TM_CODE_FIN);
        return 0;
    }
    const int32_t r = RVFReader_NextBlockSet(&m->lecteur);
    if (r != 0) {
        TM_SetState(m, TM_StateEnd, TM_CODE_FIN);
        return r;
    }
    TM_SetState(m, TM_DispatchBlock, TM_CODE_CONTINUE);
    return 0;
}

int32_t TM_DispatchBlock(TMMovie* m) {
    const int32_t r = RVFReader_NextBlock(&m->lecteur);
    if (r != 0) {
        TM_SetState(m, TM_StateEnd, r == TM_ERR_BLOC_INCONNU ? TM_CODE_ERREUR : TM_CODE_FIN);
        return r;
    }
    if (RVFReader_IsSoundBlock(&m->lecteur)) {
        TM_StateSoundBlock(m);
        return 0;
    }
    if (RVFReader_IsImageBlock(&m->lecteur)) {
        TMBlockBuffer& t = m->images.Write();
        // The ring is full and the image sender has not been started (the sound sender starts
        // it once the sound is under way): it starts now, silent if the sound has not come.
        if (!t.libre.Signale() && !m->isend.pris) {
            if (m->BSC_firstready == 0) SansSon(m);
            else DemarrerImages(m);
        }
        if (Attendre(m, TM_FEED, t.libre, m->feed)) return TM_ERR_ARRETE;
        TM_SetState(m, TM_StateImageBlock, TM_CODE_CONTINUE);
        return 0;
    }
    // A block header that reached the end of the file was not checked: an unknown id ends the
    // movie as an error, like any other unknown id.
    TM_Log("%s(%d): unknown RVF block ID!!!", "teskmvie", __LINE__);
    TM_SetState(m, TM_StateEnd, TM_CODE_ERREUR);
    return TM_ERR_BLOC_INCONNU;
}

namespace {
void Suite(TMMovie* m) {
    if (RVFReader_SetExhausted(&m->lecteur)) TM_SetState(m, TM_StateBlockSet, TM_CODE_CONTINUE);
    else TM_SetState(m, TM_DispatchBlock, TM_CODE_CONTINUE);
}
}  // namespace

int32_t TM_StateSoundBlock(TMMovie* m) {
    const int32_t r = LireBloc(m, m->blocSon, &m->longueurBlocSon);
    if (r != 0 && r != TM_ERR_LONGUEUR_NULLE) return r;
    if (m->reglages.SoundOn != 0) {
        int32_t e = 0;
        if (m->BSC_firstready == 0) {
            e = TM_StartSound(m);
            m->BSC_firstready = 1;
        } else {
            e = TM_DecodeSoundBlock(m);
        }
        if (e != 0) return e;
    }
    if (r == TM_ERR_LONGUEUR_NULLE) {
        TM_SetState(m, TM_StateEnd, TM_CODE_FIN);
        return 0;
    }
    Suite(m);
    return 0;
}

int32_t TM_StartSound(TMMovie* m) {
    const int32_t longueur = m->longueurBlocSon;
    const int32_t canaux = RVFReader_Channels(&m->lecteur);
    TMSonDimensions d;
    // A stream that does not start with its header, or gives no frame rate (a rate of 0), is
    // refused as an APC error.
    if (Adpcm_Init(ADPCM_VERSION) != 0 || longueur < static_cast<int32_t>(APC_TAILLE_ENTETE) ||
        APC_ReadHeader(m->blocSon.data(), &m->apc) != 0 ||
        !TM_DimensionsSon(longueur - 32, canaux, RVFReader_Rate(&m->lecteur), &d)) {
        TM_SetState(m, TM_StateEnd, TM_CODE_ERREUR);
        return TM_ERR_APC;
    }
    m->SoundBlockBytes = d.SoundBlockBytes;
    m->SoundBlockBytes32 = d.SoundBlockBytes / 32;
    m->reglages.SoundFrameRate = d.SoundFrameRate;
    m->tailleFlux = m->SoundBlockBytes * m->reglages.SoundBufferBlocks;
    // Segments of whole sample frames.
    m->tailleSegment = (m->tailleFlux / m->reglages.SoundSegments) & ~3;
    int32_t cree = 0;
    {
        std::lock_guard<std::mutex> g(m->verrouFlux);
        m->segmentsSon.Bind(&m->sortieSon);
        cree = m->segmentsSon.Create(m->reglages.SoundSegments, m->tailleSegment);
    }
    if (cree != 0) {
        TM_SetState(m, TM_StateEnd, TM_CODE_ERREUR);
        return TM_ERR_DIRECTSOUND;
    }
    // The first block's sound, decoded at once.
    TMBlockBuffer* t = &m->sons.Write();
    const int32_t n = d.echantillons;
    const size_t octets = static_cast<size_t>(n) * 2 * static_cast<size_t>(canaux);
    if (octets > INT32_MAX || t->Grow(static_cast<int32_t>(octets)) != 0) {
        TM_SetState(m, TM_StateEnd, TM_CODE_ERREUR);
        return TM_ERR_MEMOIRE;
    }
    uint32_t manque = 0;
    int16_t* sortie = reinterpret_cast<int16_t*>(t->data);
    if (APC_DecodeBorne(&sortie, &m->apc, static_cast<uint32_t>(n), &manque, m->blocSon.data() + longueur) != 0) {
        TM_SetState(m, TM_StateEnd, TM_CODE_ERREUR);
        return TM_ERR_APC;
    }
    if (manque > 0)
        std::fill(t->data + static_cast<std::ptrdiff_t>((n - static_cast<int32_t>(manque)) * 2 * canaux),
                  t->data + static_cast<std::ptrdiff_t>(octets), uint8_t{0});
    m->sons.CommitWrite(static_cast<int32_t>(octets));
    // The sound sender, which starts the image sender.
    if (!TM_Lancer(m, m->ssend, SSEND_THREAD)) {
        TM_Abandonner(m->isend);
        TM_Activite(m, TM_SSEND, TM_TERMINE);
        TM_SetState(m, TM_StateEnd, TM_CODE_ERREUR);
    }
    return 0;
}

int32_t TM_DecodeSoundBlock(TMMovie* m) {
    TMBlockBuffer* t = &m->sons.Write();
    if (Attendre(m, TM_FEED, t->libre, m->feed)) return TM_ERR_ARRETE;
    const int32_t canaux = RVFReader_Channels(&m->lecteur);
    const int32_t n = m->longueurBlocSon * 2 / canaux;
    const size_t octets = static_cast<size_t>(n) * 2 * static_cast<size_t>(canaux);
    if (octets > INT32_MAX || t->Grow(static_cast<int32_t>(octets)) != 0) {
        TM_SetState(m, TM_StateEnd, TM_CODE_ERREUR);
        return TM_ERR_MEMOIRE;
    }
    m->apc.data = m->blocSon.data();
    uint32_t manque = static_cast<uint32_t>(n);
    // Once the stream has given all its samples, the rest is silence.
    int16_t* sortie = reinterpret_cast<int16_t*>(t->data);
    if (m->apc.remaining != 0 &&
        APC_DecodeBorne(&sortie, &m->apc, static_cast<uint32_t>(n), &manque, m->blocSon.data() + m->longueurBlocSon) != 0) {
        TM_SetState(m, TM_StateEnd, TM_CODE_ERREUR);
        return TM_ERR_APC;
    }
    if (manque > 0)
        std::fill(t->data + static_cast<std::ptrdiff_t>((n - static_cast<int32_t>(manque)) * 2 * canaux),
                  t->data + static_cast<std::ptrdiff_t>(octets), uint8_t{0});
    m->sons.CommitWrite(static_cast<int32_t>(octets));
    return 0;
}

int32_t TM_StateImageBlock(TMMovie* m) {
    // The last block comes with the end of the file: it is queued all the same.
    const int32_t r = m->images.ReadBlockIntoWrite(&m->lecteur);
    if (r != 0 && r != TM_ERR_LONGUEUR_NULLE) {
        TM_SetState(m, TM_StateEnd, TM_CODE_ERREUR);
        return r;
    }
    m->images.AdvanceWrite();
    if (r == TM_ERR_LONGUEUR_NULLE) {
        TM_SetState(m, TM_StateEnd, TM_CODE_FIN);
        return 0;
    }
    Suite(m);
    return 0;
}

int32_t TM_StateEnd(TMMovie* m) {
    if (m->codeEtat != TM_CODE_FIN) return 0;
    // Noted before anything is read: a change from here on ends the wait below at once.
    const uint64_t vu = TM_Changements();
    m->feederEnFin = 1;
    if (m->reglages.SoundOn != 0 && m->BSC_firstready == 0) {
        // The header promised sound that never came: the images play silently.
        SansSon(m);
        return 0;
    }
    const bool son = m->reglages.SoundOn != 0;
    const bool sonEnAttente = m->sons.AnyFull();
    // The file ended before the sound sender's first pass (a short movie): it will not complete,
    // the images start now.
    if (son && !m->isend.pris && !sonEnAttente) DemarrerImages(m);
    // (a) The sound sender ends once everything queued has been played; nothing will be when the
    // image sender ended without starting the stream (a movie without images).
    if (son && m->ssend.fini == 0 && !sonEnAttente) {
        bool joue = true;
        for (auto& g : m->segmentsSon.segments)
            if (!g.evenement->Signale()) joue = false;
        if (joue || (!m->fluxJoue && m->isend.fini != 0)) {
            m->ssend.arret->Signaler();
            TM_FluxArreter(m);
        }
    }
    // (b) The image sender ends once it has taken the last image.
    if (m->isend.fini == 0 && !m->images.AnyFull() && m->isend.arret) m->isend.arret->Signaler();
    if (m->isend.fini != 0 && (!son || m->ssend.fini != 0)) return TM_ERR_ARRETE;
    // Waiting for the senders: nothing to do until they have played their last frames (a segment
    // played, a block taken, a sender ended).
    TM_Activite(m, TM_FEED, TM_ATTEND);
    TM_AttendreChangement(vu, 20);
    return 0;
}

void FEED_THREAD(TMMovie* m) {
    TM_Log("TM: Starting FEED_THREAD");
    for (;;) {
        TM_Porte(m, TM_FEED);
        if (m->feed.arret->Signale() && m->etat != TM_StateEnd) {
            // A stop: the feeder ends at once.
            break;
        }
        const int32_t r = m->etat(m);
        if (r == TM_ERR_ARRETE || m->codeEtat == TM_CODE_ERREUR) break;
        if (m->feed.arret->Signale()) break;
    }
    // The senders end with the feeder.
    if (m->ssend.arret) m->ssend.arret->Signaler();
    if (m->isend.arret) m->isend.arret->Signaler();
    TM_FluxArreter(m);
    m->feederEnFin = 2;
    // A sender not started by now will not be (stopped before the first sound went out, say).
    TM_Abandonner(m->ssend);
    TM_Abandonner(m->isend);
    TM_Activite(m, TM_FEED, TM_ATTEND);
    for (;;) {
        const uint64_t vu = TM_Changements();
        if (m->isend.fini != 0 && m->ssend.fini != 0) break;
        TM_AttendreChangement(vu, 20);
    }
    m->fin->Signaler();
    // Sent before the feeder counts as ended: on the manual clock no time passes in between.
    TM_Notification(m, TM_NOTIF_FIN, nullptr, 0, false);
    TM_Activite(m, TM_FEED, TM_TERMINE);
    Fini(m->feed);
}

// ---- the sound sender --------------------------------------------------------------------------

void SSEND_THREAD(TMMovie* m) {
    TM_Log("TM: Starting SSEND_THREAD");
    bool premier = true;
    for (;;) {
        TM_Porte(m, TM_SSEND);
        // 1. The current segment, once played.
        if (m->segmentsSon.count == 0) break;
        TMEvenement* joue = m->segmentsSon.segments[static_cast<size_t>(m->segmentsSon.current)].evenement;
        if (!joue->Signale() && TM_AttendreThread(m, TM_SSEND, joue, m->ssend.arret.get()) != 0) break;
        if (m->segmentsSon.WaitCurrent(m->ssend.arret.get()) != 0) break;
        // 2. Filled whole from the decoded sound.
        int32_t reste = m->segmentsSon.CurrentSize(), decalage = 0;
        bool arrete = false;
        while (reste > 0) {
            TMBlockBuffer& t = m->sons.Read();
            if (Attendre(m, TM_SSEND, t.rempli, m->ssend) && !t.rempli.Signale()) {
                arrete = true;
                break;
            }
            if (t.left < 1) {
                m->sons.ReleaseRead();
                continue;
            }
            const int32_t n = std::min(t.left, reste);
            if (uint8_t* p = m->segmentsSon.LockCurrent(decalage, n)) {
                m->sons.TakeFromRead(n, p);
            } else {
                std::vector<uint8_t> perdu(static_cast<size_t>(n));   // a segment that failed to lock: dropped
                m->sons.TakeFromRead(n, perdu.data());
            }
            m->segmentsSon.UnlockCurrent();
            decalage += n;
            reste -= n;
            if (t.left < 1) m->sons.ReleaseRead();
        }
        if (arrete) break;
        m->segmentsSon.CompleteCurrent();
        // 3. After the first pass, the image sender.
        if (premier) {
            premier = false;
            if (TM_Prendre(m->isend)) {
                TM_Activite(m, TM_ISEND, TM_ACTIF);
                if (!TM_Lancer(m, m->isend, ISEND_THREAD)) {
                    TM_Activite(m, TM_ISEND, TM_TERMINE);
                    TM_SetState(m, TM_StateEnd, TM_CODE_ERREUR);
                }
            }
        }
    }
    TM_Abandonner(m->isend);
    TM_Activite(m, TM_SSEND, TM_TERMINE);
    Fini(m->ssend);
}

// ---- the image sender --------------------------------------------------------------------------

void ISEND_THREAD(TMMovie* m) {
    TM_Log("TM: Starting ISEND_THREAD");
    TM_FramePeriod(m);
    double debut = TM_Now();
    const double lance = debut;
    TMAffichageTaux taux;
    m->imagesMontrees = 0;
    int32_t compteur = 0;
    bool premiere = true;
    for (;;) {
        // 1. Step mode: one frame per step.
        if (std::atomic_ref<int32_t>(m->reglages.Freeze).load() != 0 && m->arretForce == 0) {
            if (m->figeMaintenant == 0) {
                m->figeMaintenant = 1;
                TM_ClockPause();
                TM_FluxArreter(m);
                RVFReader_Suspend(&m->lecteur);
                std::lock_guard<std::mutex> g(m->verrouPorte);
                m->suspendus = true;
            }
            const int r = TM_AttendreThread(m, TM_ISEND, m->pas.get(), m->isend.arret.get());
            if (r == 0) {
                m->pas->Effacer();
                TM_ClockResume();
                RVFReader_Resume(&m->lecteur);
                TM_FluxReprendre(m);
                {
                    std::lock_guard<std::mutex> g(m->verrouPorte);
                    m->suspendus = m->enPause != 0;
                    m->porte.notify_all();
                }
                m->figeMaintenant = 0;
            }
        }
        TM_Porte(m, TM_ISEND);
        // 2. The next image block.
        TMBlockBuffer& t = m->images.Read();
        if (Attendre(m, TM_ISEND, t.rempli, m->isend) && !t.rempli.Signale()) break;
        if (m->arretForce != 0) break;
        // 3. Decoded against the previous frame, even when it will not be shown.
        const int32_t longueur = t.length;
        SurfaceImage* courante = m->surfaces.CurrentSurface();
        SurfaceImage* precedente = m->surfaces.entries[m->surfaces.previous];
        // The two locks always in one order (by address): the ring turns the surfaces' roles round.
        uint16_t *pc = nullptr, *pp = nullptr;
        if (std::less<SurfaceImage*>()(courante, precedente)) {
            pc = m->surfaces.LockCurrent();
            pp = m->surfaces.LockPrevious();
        } else {
            pp = m->surfaces.LockPrevious();
            pc = m->surfaces.LockCurrent();
        }
        TM_Log("Decode!!");
        if (pc != nullptr && pp != nullptr && TM_CodecLoaded())
            RVFPI_DecoderBorne(t.data, static_cast<size_t>(longueur), pp, pc, static_cast<size_t>(courante->pas) * 2);
        TM_Log("End Decode!!");
        if (pp != nullptr) m->surfaces.UnlockPrevious();
        if (pc != nullptr) m->surfaces.UnlockCurrent();
        m->images.ReleaseRead();
        RVFReader_CountImages(&m->lecteur, 1);
        // 4, 5. The first frame at once (the clock starts there), the others at their time.
        if (premiere) {
            premiere = false;
            TM_FluxJouer(m);
            debut = TM_Now();
            compteur = 0;
            Montrer(m, static_cast<uint32_t>(longueur), &taux, debut, lance);
            continue;
        }
        ++compteur;
        const double cible = TM_CibleImage(compteur, m->reglages.FrameRate, debut);
        const double controle = TM_Now();
        if (TM_ImageAMontrer(std::atomic_ref<int32_t>(m->reglages.DropLate).load(), controle, cible)) {
            AttendreMoment(m, cible);
            if (m->arretForce != 0) break;
            Montrer(m, static_cast<uint32_t>(longueur), &taux, debut, controle);
        } else {
            m->surfaces.Advance();
        }
    }
    TM_LibererTaux(&taux);
    TM_Activite(m, TM_ISEND, TM_TERMINE);
    Fini(m->isend);
}
