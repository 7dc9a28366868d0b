#include "platform/son.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <mutex>
#include <new>
#include <string>
#include <vector>

#include "platform/interne.h"
#include "platform/sonmixeur.h"
#include "platform/temps.h"

struct SonObjet {
    bool vivant = true;
};

struct EcouteurSon {
    ParametresEcouteurSon parametres;
};

struct TamponSon {
    SonObjet* objet = nullptr;
    uint32_t drapeaux = 0;
    bool primaire = false;
    FormatOnde format;
    std::vector<uint8_t> donnees;
    VoixMixeur voix;
    int32_t volume = 0;
    int32_t pan = 0;
    uint32_t frequence = 0;
    PlacementSon3D p3d;
    int categorie = 0;
    std::vector<uint32_t> positions;
    RappelNotificationSon rappelNotification = nullptr;
    void* contexteNotification = nullptr;
    RappelFinSon rappelFin = nullptr;
    void* contexteFin = nullptr;
};

namespace {

constexpr uint32_t TRAMES_BLOC = 1024;

struct EtatSon {
    std::mutex verrou;
    int objets = 0;
    std::vector<TamponSon*> tampons;   // secondary buffers of living objects
    EcouteurSon ecouteur;
    uint32_t frequenceSortie = 22050;
    SDL_AudioDeviceID peripherique = 0;
    bool sdlAudio = false;
    // Headless clock of the mixer.
    uint32_t dernierTick = 0;
    uint64_t msEcoules = 0;
    uint64_t tramesMixees = 0;
    uint64_t frequenceDepuis = 0;   // ms at which frequenceSortie took effect
    uint64_t tramesAvant = 0;       // frames mixed before that
    uint32_t aux[2] = {0xFFFFFFFFu, 0xFFFFFFFFu};
    bool absent = false;
    // Capture.
    bool captureLue = false;
    FILE* capture = nullptr;
    uint32_t captureOctets = 0;
    std::vector<int16_t> bloc;
    std::vector<VoixMixeur*> voix;   // the playing voices of the block being mixed
    // Callbacks collected under the lock and run after it: the batches not yet run through.
    int rappelsEnCours = 0;
    // Held while the device is opened or closed (never by the audio thread).
    std::mutex verrouPeripherique;
    std::condition_variable rappelsFinis;
};

// The batches of callbacks the calling thread is running (a callback may release a buffer).
thread_local int rappelsDuThread = 0;

EtatSon& S() {
    static EtatSon* e = new EtatSon;   // never destroyed: the audio thread may outlive static teardown
    return *e;
}

using Rappels = std::vector<std::function<void()>>;

void Ecrire32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

void EnTeteCapture(EtatSon& e) {
    uint8_t t[44] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 2, 0};
    Ecrire32(t + 4, 36 + e.captureOctets);
    Ecrire32(t + 24, e.frequenceSortie);
    Ecrire32(t + 28, e.frequenceSortie * 4);
    t[32] = 4;
    t[34] = 16;
    std::memcpy(t + 36, "data", 4);
    Ecrire32(t + 40, e.captureOctets);
    std::fseek(e.capture, 0, SEEK_SET);
    std::fwrite(t, 1, sizeof t, e.capture);
    std::fseek(e.capture, 0, SEEK_END);
}

// The capture file is chosen when the device first opens.
void OuvrirCapture(EtatSon& e) {
    if (e.captureLue) return;
    e.captureLue = true;
    const char* chemin = std::getenv("MORVANE_AUDIO_CAPTURE");
    if (chemin == nullptr || *chemin == 0) return;
    e.capture = std::fopen(chemin, "wb");
    if (e.capture == nullptr) std::fprintf(stderr, "morvane: cannot write the audio capture %s\n", chemin);
    else EnTeteCapture(e);
}

void Capturer(EtatSon& e, const int16_t* echantillons, size_t trames) {
    if (e.capture == nullptr) return;
    uint8_t o[4 * TRAMES_BLOC];
    size_t n = 0;
    for (size_t k = 0; k < trames * 2; ++k) {
        uint16_t v = static_cast<uint16_t>(echantillons[k]);
        o[n++] = static_cast<uint8_t>(v);
        o[n++] = static_cast<uint8_t>(v >> 8);
    }
    std::fwrite(o, 1, n, e.capture);
    e.captureOctets += static_cast<uint32_t>(n);
    EnTeteCapture(e);
    std::fflush(e.capture);
}

bool CaptureVoulue(const EtatSon& e) { return e.capture != nullptr; }

// Mixes one block under the lock; the callbacks it triggers are collected for after the lock.
void MixerBloc(EtatSon& e, int16_t* sortie, size_t trames, Rappels* rappels) {
    e.voix.clear();
    for (TamponSon* t : e.tampons)
        if (t->voix.joue) e.voix.push_back(&t->voix);
    Mixeur_Remplir(e.voix.data(), e.voix.size(), e.frequenceSortie, sortie, trames);
    for (TamponSon* t : e.tampons) {
        if (t->rappelNotification != nullptr)
            for (uint32_t k : t->voix.atteintes) {
                auto r = t->rappelNotification;
                void* c = t->contexteNotification;
                rappels->push_back([r, c, k] { r(c, k); });
            }
        t->voix.atteintes.clear();
        if (t->voix.finie && t->rappelFin != nullptr) {
            auto r = t->rappelFin;
            void* c = t->contexteFin;
            rappels->push_back([r, c] { r(c); });
        }
        t->voix.finie = false;
    }
    Capturer(e, sortie, trames);
}

bool VoixActives(const EtatSon& e) {
    for (const TamponSon* t : e.tampons)
        if (t->voix.joue) return true;
    return false;
}

// Headless: mixes the frames due between the last call and the current tick.
void RattraperVerrouille(EtatSon& e, Rappels* rappels) {
    if (e.objets == 0 || e.sdlAudio) return;
    uint32_t maintenant = Temps_Ticks();
    e.msEcoules += static_cast<uint32_t>(maintenant - e.dernierTick);
    e.dernierTick = maintenant;
    uint64_t cible = e.tramesAvant + (e.msEcoules - e.frequenceDepuis) * e.frequenceSortie / 1000;
    e.bloc.resize(TRAMES_BLOC * 2);
    while (e.tramesMixees < cible) {
        if (!VoixActives(e) && !CaptureVoulue(e)) {
            e.tramesMixees = cible;
            break;
        }
        size_t n = static_cast<size_t>(std::min<uint64_t>(TRAMES_BLOC, cible - e.tramesMixees));
        MixerBloc(e, e.bloc.data(), n, rappels);
        e.tramesMixees += n;
    }
}

// Under the lock: the batch collected counts as in flight until Lancer has run it.
void Annoncer(EtatSon& e, const Rappels& rappels) {
    if (!rappels.empty()) ++e.rappelsEnCours;
}

void Lancer(Rappels& rappels) {
    if (rappels.empty()) return;
    ++rappelsDuThread;
    for (auto& r : rappels) r();
    --rappelsDuThread;
    EtatSon& e = S();
    std::lock_guard<std::mutex> g(e.verrou);
    --e.rappelsEnCours;
    e.rappelsFinis.notify_all();
}

// Under the lock: waits until no other thread runs callbacks collected before, so that their
// buffer, callback and context may go.
void AttendreRappels(std::unique_lock<std::mutex>& g) {
    EtatSon& e = S();
    e.rappelsFinis.wait(g, [&e] { return e.rappelsEnCours <= rappelsDuThread; });
}

void Rattraper() {
    Rappels rappels;
    {
        std::lock_guard<std::mutex> g(S().verrou);
        RattraperVerrouille(S(), &rappels);
        Annoncer(S(), rappels);
    }
    Lancer(rappels);
}

void RappelSdl(void*, Uint8* flux, int longueur) {
    EtatSon& e = S();
    Rappels rappels;
    {
        std::lock_guard<std::mutex> g(e.verrou);
        auto* sortie = reinterpret_cast<int16_t*>(flux);
        size_t trames = static_cast<size_t>(longueur) / 4;
        while (trames > 0) {
            size_t n = std::min<size_t>(trames, TRAMES_BLOC);
            MixerBloc(e, sortie, n, &rappels);
            sortie += n * 2;
            trames -= n;
        }
        Annoncer(e, rappels);
    }
    Lancer(rappels);
}

void Normaliser(float v[3]) {
    float n = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (n > 0) {
        v[0] /= n;
        v[1] /= n;
        v[2] /= n;
    }
}

// Final gains of a buffer's voice from its volume, pan or 3D placement, and its level.
void Recalculer(EtatSon& e, TamponSon& t) {
    float g = Mixeur_GainDb(t.volume);
    float gauche = g, droite = g;
    bool en3D = (t.drapeaux & TAMPON_CTRL_3D) != 0 && t.p3d.mode != 2;
    if (en3D) {
        const ParametresEcouteurSon& l = e.ecouteur.parametres;
        float avant[3] = {l.avant[0], l.avant[1], l.avant[2]};
        float haut[3] = {l.haut[0], l.haut[1], l.haut[2]};
        Normaliser(avant);
        Normaliser(haut);
        // Left-handed frame: right = top x front.
        float droiteAxe[3] = {haut[1] * avant[2] - haut[2] * avant[1], haut[2] * avant[0] - haut[0] * avant[2],
                              haut[0] * avant[1] - haut[1] * avant[0]};
        float v[3];
        float x;
        if (t.p3d.mode == 1) {
            for (int k = 0; k < 3; ++k) v[k] = t.p3d.position[k];
            x = v[0];
        } else {
            for (int k = 0; k < 3; ++k) v[k] = t.p3d.position[k] - l.position[k];
            x = v[0] * droiteAxe[0] + v[1] * droiteAxe[1] + v[2] * droiteAxe[2];
        }
        float d = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        float dmin = t.p3d.distanceMin > 0 ? t.p3d.distanceMin : 1.0f;
        float dmax = std::max(t.p3d.distanceMax, dmin);
        float attenuation = 1.0f;
        if (d > dmax && (t.drapeaux & TAMPON_MUET_DISTANCE_MAX)) {
            attenuation = 0.0f;
        } else {
            float dd = std::min(d, dmax);
            if (dd > dmin) attenuation = dmin / (dmin + l.facteurAttenuation * (dd - dmin));
        }
        float cote = d > 0 ? std::clamp(x / d, -1.0f, 1.0f) : 0.0f;
        gauche *= attenuation * std::min(1.0f, 1.0f - cote);
        droite *= attenuation * std::min(1.0f, 1.0f + cote);
    } else if (t.pan < 0) {
        droite *= Mixeur_GainDb(t.pan);
    } else if (t.pan > 0) {
        gauche *= Mixeur_GainDb(-t.pan);
    }
    uint32_t niveau = e.aux[t.categorie == 1 ? 1 : 0];
    gauche *= static_cast<float>(niveau & 0xFFFFu) / 65535.0f;
    droite *= static_cast<float>(niveau >> 16) / 65535.0f;
    t.voix.gainGauche = gauche;
    t.voix.gainDroite = droite;
    t.voix.mono = en3D;
}

bool FormatJouable(const FormatOnde* f) {
    return f != nullptr && f->format == 1 && (f->canaux == 1 || f->canaux == 2) && (f->bits == 8 || f->bits == 16) &&
           f->frequence >= FREQUENCE_MIN && f->frequence <= FREQUENCE_MAX;
}

// Guard of every buffer operation: a living secondary buffer.
#define TAMPON_VIVANT(t)                                                 \
    Rattraper();                                                         \
    std::lock_guard<std::mutex> garde(S().verrou);                       \
    if ((t) == nullptr || (t)->objet == nullptr) return SON_ERREUR_PARAMETRE; \
    if ((t)->primaire) return SON_ERREUR_INTERDIT

}  // namespace

// ---- devices --------------------------------------------------------------------------------

int SonPeripheriques_Nombre() { return S().absent ? 0 : 1; }

bool SonPeripherique_Description(int index, DescriptionPeripheriqueSon* description) {
    if (index != 0 || S().absent || description == nullptr) return false;
    *description = DescriptionPeripheriqueSon{};
    std::snprintf(description->description, sizeof description->description, "Sortie audio principale");
    std::snprintf(description->module, sizeof description->module, "mixeur");
    return true;
}

int32_t SonObjet_Creer(int index, SonObjet** objet) {
    if (objet == nullptr) return SON_ERREUR_PARAMETRE;
    *objet = nullptr;
    Rattraper();
    EtatSon& e = S();
    // The device is opened and started without the mixer's lock: its audio thread takes the
    // device's lock, then ours.
    std::lock_guard<std::mutex> p(e.verrouPeripherique);
    bool ouvrir = false;
    {
        std::lock_guard<std::mutex> g(e.verrou);
        if (e.absent || index != 0) return SON_ERREUR_PERIPHERIQUE;
        if (e.objets == 0) {
            OuvrirCapture(e);
            if (!Plateforme_SansTete()) ouvrir = true;
            else e.dernierTick = Temps_Ticks();
        }
    }
    SDL_AudioDeviceID peripherique = 0;
    SDL_AudioSpec obtenu{};
    if (ouvrir) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return SON_ERREUR_PERIPHERIQUE;
        SDL_AudioSpec voulu{};
        {
            std::lock_guard<std::mutex> g(e.verrou);
            voulu.freq = static_cast<int>(e.frequenceSortie);
        }
        voulu.format = AUDIO_S16SYS;
        voulu.channels = 2;
        voulu.samples = 1024;
        voulu.callback = RappelSdl;
        peripherique = SDL_OpenAudioDevice(nullptr, 0, &voulu, &obtenu, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
        if (peripherique == 0) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return SON_ERREUR_PERIPHERIQUE;
        }
    }
    auto* o = new (std::nothrow) SonObjet;
    {
        std::lock_guard<std::mutex> g(e.verrou);
        if (ouvrir) {
            e.peripherique = peripherique;
            e.frequenceSortie = static_cast<uint32_t>(obtenu.freq);
            e.sdlAudio = true;
        }
        if (o != nullptr) ++e.objets;
    }
    if (o == nullptr) {
        if (ouvrir) {
            {
                std::lock_guard<std::mutex> g(e.verrou);
                e.peripherique = 0;
                e.sdlAudio = false;
            }
            SDL_CloseAudioDevice(peripherique);
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
        return SON_ERREUR_MEMOIRE;
    }
    if (ouvrir) SDL_PauseAudioDevice(peripherique, 0);
    *objet = o;
    return SON_OK;
}

void SonObjet_Liberer(SonObjet* objet) {
    if (objet == nullptr) return;
    Rattraper();
    EtatSon& e = S();
    std::lock_guard<std::mutex> p(e.verrouPeripherique);
    SDL_AudioDeviceID fermer = 0;
    {
        std::unique_lock<std::mutex> g(e.verrou);
        // Buffers still held by the caller become dead: silent, every operation refused.
        for (auto it = e.tampons.begin(); it != e.tampons.end();) {
            if ((*it)->objet == objet) {
                (*it)->objet = nullptr;
                (*it)->voix.joue = false;
                it = e.tampons.erase(it);
            } else {
                ++it;
            }
        }
        AttendreRappels(g);
        if (--e.objets == 0 && e.sdlAudio) {
            fermer = e.peripherique;
            e.peripherique = 0;
            e.sdlAudio = false;
        }
    }
    if (fermer != 0) {
        SDL_CloseAudioDevice(fermer);   // waits for the callback to finish
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    delete objet;
}

int32_t SonObjet_Capacites(SonObjet* objet, CapacitesSon* capacites) {
    if (objet == nullptr || capacites == nullptr) return SON_ERREUR_PARAMETRE;
    *capacites = CapacitesSon{};
    return SON_OK;
}

int32_t SonObjet_HautParleurs(SonObjet* objet, uint32_t* configuration) {
    if (objet == nullptr || configuration == nullptr) return SON_ERREUR_PARAMETRE;
    *configuration = HAUT_PARLEURS_STEREO;
    return SON_OK;
}

int32_t SonObjet_NiveauCooperation(SonObjet* objet, HandleFenetre, uint32_t niveau) {
    if (objet == nullptr || niveau < 1 || niveau > 4) return SON_ERREUR_PARAMETRE;
    return SON_OK;
}

int32_t SonObjet_CreerTampon(SonObjet* objet, uint32_t drapeaux, uint32_t octets, const FormatOnde* format,
                             TamponSon** tampon) {
    if (tampon == nullptr) return SON_ERREUR_PARAMETRE;
    *tampon = nullptr;
    if (objet == nullptr) return SON_ERREUR_PARAMETRE;
    Rattraper();
    auto* t = new (std::nothrow) TamponSon;
    if (t == nullptr) return SON_ERREUR_MEMOIRE;
    t->objet = objet;
    t->drapeaux = drapeaux;
    if (drapeaux & TAMPON_PRIMAIRE) {
        if (octets != 0 || format != nullptr) {
            delete t;
            return SON_ERREUR_PARAMETRE;
        }
        t->primaire = true;
        *tampon = t;
        return SON_OK;
    }
    if (!FormatJouable(format)) {
        delete t;
        return SON_ERREUR_FORMAT;
    }
    uint32_t alignement = static_cast<uint32_t>(format->canaux) * (format->bits / 8u);
    if (octets < alignement || octets > 0x10000000u) {
        delete t;
        return SON_ERREUR_PARAMETRE;
    }
    t->format = *format;
    t->format.alignement = static_cast<uint16_t>(alignement);
    t->format.octetsParSeconde = alignement * format->frequence;
    try {
        t->donnees.assign(octets, format->bits == 8 ? uint8_t{128} : uint8_t{0});
    } catch (const std::bad_alloc&) {
        delete t;
        return SON_ERREUR_MEMOIRE;
    }
    t->voix.donnees = t->donnees.data();
    t->voix.octets = octets - octets % alignement;
    t->voix.canaux = format->canaux;
    t->voix.bits = format->bits;
    t->voix.frequence = format->frequence;
    std::lock_guard<std::mutex> g(S().verrou);
    Recalculer(S(), *t);
    S().tampons.push_back(t);
    *tampon = t;
    return SON_OK;
}

void TamponSon_Liberer(TamponSon* tampon) {
    if (tampon == nullptr) return;
    Rattraper();
    {
        std::unique_lock<std::mutex> g(S().verrou);
        auto& v = S().tampons;
        v.erase(std::remove(v.begin(), v.end(), tampon), v.end());
        // A notification of this buffer may still be running on the audio thread.
        AttendreRappels(g);
    }
    delete tampon;
}

int32_t TamponSon_FormatPrimaire(TamponSon* primaire, const FormatOnde* format) {
    Rattraper();
    EtatSon& e = S();
    std::lock_guard<std::mutex> g(e.verrou);
    if (primaire == nullptr || primaire->objet == nullptr || !primaire->primaire) return SON_ERREUR_PARAMETRE;
    if (!FormatJouable(format)) return SON_ERREUR_FORMAT;
    primaire->format = *format;
    // The device keeps the rate it was opened with; headless, the mixer takes the new one.
    if (!e.sdlAudio && format->frequence != e.frequenceSortie && e.captureOctets == 0) {
        e.tramesAvant = e.tramesMixees;
        e.frequenceDepuis = e.msEcoules;
        e.frequenceSortie = format->frequence;
    }
    return SON_OK;
}

int32_t TamponSon_Verrouiller(TamponSon* tampon, uint32_t debut, uint32_t octets, uint32_t drapeaux, void** partie1,
                              uint32_t* octets1, void** partie2, uint32_t* octets2) {
    TAMPON_VIVANT(tampon);
    if (partie1 == nullptr || octets1 == nullptr) return SON_ERREUR_PARAMETRE;
    uint32_t taille = static_cast<uint32_t>(tampon->donnees.size());
    if (drapeaux & VERROU_TOUT) {
        debut = 0;
        octets = taille;
    }
    if (debut >= taille || octets == 0 || octets > taille) return SON_ERREUR_PARAMETRE;
    uint32_t premier = std::min(octets, taille - debut);
    *partie1 = tampon->donnees.data() + debut;
    *octets1 = premier;
    if (partie2 != nullptr) *partie2 = premier < octets ? tampon->donnees.data() : nullptr;
    if (octets2 != nullptr) *octets2 = octets - premier;
    return SON_OK;
}

int32_t TamponSon_Deverrouiller(TamponSon* tampon, void*, uint32_t, void*, uint32_t) {
    TAMPON_VIVANT(tampon);
    return SON_OK;
}

int32_t TamponSon_Restaurer(TamponSon* tampon) {
    TAMPON_VIVANT(tampon);
    return SON_OK;
}

int32_t TamponSon_Jouer(TamponSon* tampon, uint32_t drapeaux) {
    if (tampon != nullptr && tampon->primaire && tampon->objet != nullptr) return SON_OK;   // always mixing
    TAMPON_VIVANT(tampon);
    tampon->voix.boucle = (drapeaux & JOUER_BOUCLE) != 0;
    tampon->voix.joue = true;
    return SON_OK;
}

int32_t TamponSon_Arreter(TamponSon* tampon) {
    Rappels rappels;
    {
        TAMPON_VIVANT(tampon);
        if (tampon->voix.joue && tampon->rappelNotification != nullptr)
            for (uint32_t k = 0; k < tampon->positions.size(); ++k)
                if (tampon->positions[k] == NOTIFICATION_ARRET) {
                    auto r = tampon->rappelNotification;
                    void* c = tampon->contexteNotification;
                    rappels.push_back([r, c, k] { r(c, k); });
                }
        tampon->voix.joue = false;
        Annoncer(S(), rappels);
    }
    Lancer(rappels);
    return SON_OK;
}

int32_t TamponSon_Etat(TamponSon* tampon, uint32_t* etat) {
    TAMPON_VIVANT(tampon);
    if (etat == nullptr) return SON_ERREUR_PARAMETRE;
    *etat = tampon->voix.joue ? (ETAT_JOUE | (tampon->voix.boucle ? ETAT_BOUCLE : 0u)) : 0u;
    return SON_OK;
}

int32_t TamponSon_Volume(TamponSon* tampon, int32_t centiemesDb) {
    TAMPON_VIVANT(tampon);
    if (!(tampon->drapeaux & TAMPON_CTRL_VOLUME)) return SON_ERREUR_INTERDIT;
    if (centiemesDb < VOLUME_MIN || centiemesDb > VOLUME_MAX) return SON_ERREUR_PARAMETRE;
    tampon->volume = centiemesDb;
    Recalculer(S(), *tampon);
    return SON_OK;
}

int32_t TamponSon_Pan(TamponSon* tampon, int32_t pan) {
    TAMPON_VIVANT(tampon);
    if (!(tampon->drapeaux & TAMPON_CTRL_PAN)) return SON_ERREUR_INTERDIT;
    if (pan < PAN_GAUCHE || pan > PAN_DROITE) return SON_ERREUR_PARAMETRE;
    tampon->pan = pan;
    Recalculer(S(), *tampon);
    return SON_OK;
}

int32_t TamponSon_Frequence(TamponSon* tampon, uint32_t hertz) {
    TAMPON_VIVANT(tampon);
    if (!(tampon->drapeaux & TAMPON_CTRL_FREQUENCE)) return SON_ERREUR_INTERDIT;
    if (hertz != 0 && (hertz < FREQUENCE_MIN || hertz > FREQUENCE_MAX)) return SON_ERREUR_PARAMETRE;
    tampon->frequence = hertz;
    tampon->voix.frequence = hertz ? hertz : tampon->format.frequence;
    return SON_OK;
}

int32_t TamponSon_PlacerLecture(TamponSon* tampon, uint32_t octet) {
    TAMPON_VIVANT(tampon);
    if (octet >= tampon->donnees.size()) return SON_ERREUR_PARAMETRE;
    tampon->voix.position = static_cast<uint64_t>(octet / tampon->format.alignement) << 32;
    return SON_OK;
}

int32_t TamponSon_PositionLecture(TamponSon* tampon, uint32_t* lecture, uint32_t* ecriture) {
    TAMPON_VIVANT(tampon);
    uint32_t p = tampon->voix.PositionOctets();
    if (lecture != nullptr) *lecture = p;
    if (ecriture != nullptr) {
        // The write cursor runs a little ahead of the play cursor (one mixing block).
        uint32_t avance = std::min<uint32_t>(TRAMES_BLOC * tampon->format.alignement,
                                             static_cast<uint32_t>(tampon->donnees.size()) - 1);
        *ecriture = static_cast<uint32_t>((p + avance) % tampon->donnees.size());
    }
    return SON_OK;
}

bool TamponSon_Est3D(const TamponSon* tampon) {
    return tampon != nullptr && (tampon->drapeaux & TAMPON_CTRL_3D) != 0;
}

int32_t TamponSon_Parametres3D(TamponSon* tampon, const PlacementSon3D* parametres) {
    TAMPON_VIVANT(tampon);
    if (!(tampon->drapeaux & TAMPON_CTRL_3D)) return SON_ERREUR_INTERDIT;
    if (parametres == nullptr || parametres->mode > 2) return SON_ERREUR_PARAMETRE;
    tampon->p3d = *parametres;
    Recalculer(S(), *tampon);
    return SON_OK;
}

int32_t TamponSon_ProprieteSupport(TamponSon* tampon, const uint8_t ensemble[16], uint32_t, uint32_t* support) {
    if (tampon == nullptr || ensemble == nullptr || support == nullptr) return SON_ERREUR_PARAMETRE;
    *support = 0;
    return SON_OK;
}

int32_t TamponSon_Notifications(TamponSon* tampon, uint32_t nombre, const uint32_t* positions,
                                RappelNotificationSon rappel, void* contexte) {
    Rattraper();
    std::unique_lock<std::mutex> g(S().verrou);
    if (tampon == nullptr || tampon->objet == nullptr) return SON_ERREUR_PARAMETRE;
    if (tampon->primaire) return SON_ERREUR_INTERDIT;
    // The callback and context given before may be running still: they stay valid until it returns.
    AttendreRappels(g);
    if (!(tampon->drapeaux & TAMPON_CTRL_NOTIFICATION) || tampon->voix.joue) return SON_ERREUR_INTERDIT;
    if (nombre > 0 && (positions == nullptr || rappel == nullptr)) return SON_ERREUR_PARAMETRE;
    for (uint32_t k = 0; k < nombre; ++k)
        if (positions[k] != NOTIFICATION_ARRET && positions[k] >= tampon->donnees.size()) return SON_ERREUR_PARAMETRE;
    tampon->positions.assign(positions, positions + nombre);
    tampon->voix.notifications = tampon->positions;
    tampon->rappelNotification = rappel;
    tampon->contexteNotification = contexte;
    return SON_OK;
}

int32_t TamponSon_RappelFin(TamponSon* tampon, RappelFinSon rappel, void* contexte) {
    TAMPON_VIVANT(tampon);
    tampon->rappelFin = rappel;
    tampon->contexteFin = contexte;
    return SON_OK;
}

int32_t TamponSon_Categorie(TamponSon* tampon, int categorie) {
    TAMPON_VIVANT(tampon);
    if (categorie != 0 && categorie != 1) return SON_ERREUR_PARAMETRE;
    tampon->categorie = categorie;
    Recalculer(S(), *tampon);
    return SON_OK;
}

EcouteurSon* TamponSon_Ecouteur(TamponSon* primaire) {
    if (primaire == nullptr || !primaire->primaire || primaire->objet == nullptr ||
        !(primaire->drapeaux & TAMPON_CTRL_3D))
        return nullptr;
    return &S().ecouteur;
}

int32_t EcouteurSon_Parametres(EcouteurSon* ecouteur, const ParametresEcouteurSon* parametres) {
    if (ecouteur == nullptr || parametres == nullptr) return SON_ERREUR_PARAMETRE;
    Rattraper();
    std::lock_guard<std::mutex> g(S().verrou);
    ecouteur->parametres = *parametres;
    for (TamponSon* t : S().tampons) Recalculer(S(), *t);
    return SON_OK;
}

// ---- auxiliary devices ----------------------------------------------------------------------

int Aux_Nombre() { return 2; }

bool Aux_Capacites(int index, CapacitesAux* capacites) {
    if (capacites == nullptr || index < 0 || index > 1) return false;
    *capacites = CapacitesAux{};
    capacites->technologie = index == 1 ? AUX_TECHNOLOGIE_CD : AUX_TECHNOLOGIE_SONS;
    std::snprintf(capacites->nom, sizeof capacites->nom, "%s", index == 1 ? "Musique" : "Sons");
    return true;
}

bool Aux_LireVolume(int index, uint32_t* volume) {
    if (volume == nullptr || index < 0 || index > 1) return false;
    std::lock_guard<std::mutex> g(S().verrou);
    *volume = S().aux[index];
    return true;
}

bool Aux_EcrireVolume(int index, uint32_t volume) {
    if (index < 0 || index > 1) return false;
    Rattraper();
    std::lock_guard<std::mutex> g(S().verrou);
    S().aux[index] = volume;
    for (TamponSon* t : S().tampons) Recalculer(S(), *t);
    return true;
}

void Son_Rattraper() { Rattraper(); }

bool TamponSon_Gains(TamponSon* tampon, float* gauche, float* droite) {
    std::lock_guard<std::mutex> g(S().verrou);
    if (tampon == nullptr || tampon->objet == nullptr || tampon->primaire) return false;
    if (gauche) *gauche = tampon->voix.gainGauche;
    if (droite) *droite = tampon->voix.gainDroite;
    return true;
}

void Son_SimulerAbsence(bool absent) {
    std::lock_guard<std::mutex> g(S().verrou);
    S().absent = absent;
}

namespace plateforme {
void SonRattraper() { Rattraper(); }
}  // namespace plateforme

namespace {
std::mutex verrouTrace;
std::string derniereTrace;
}  // namespace

void Trace_Debogueur(const char* texte) {
    if (texte == nullptr) return;
    std::lock_guard<std::mutex> g(verrouTrace);
    derniereTrace = texte;
    const char* t = std::getenv("MORVANE_TRACE");
    if (t != nullptr && *t != 0 && std::strcmp(t, "0") != 0) std::fprintf(stderr, "%s\n", texte);
}

const char* Trace_DerniereLigne() {
    std::lock_guard<std::mutex> g(verrouTrace);
    return derniereTrace.c_str();
}
