#include "media/tmson.h"

#include <algorithm>
#include <cstring>

#include "media/rvf6.h"
#include "media/tmhorloge.h"
#include "media/tmreglages.h"
#include "platform/temps.h"

namespace {

constexpr uint32_t COOPERATION_NORMALE = 1;

void SegmentJoue(void* contexte, uint32_t index) {
    auto* s = static_cast<TMSoundOut*>(contexte);
    if (index < s->evenements.size()) s->evenements[index]->Signaler();
}

int32_t Echec(int32_t r) {
    lastdxerror = r;
    return TM_ERR_DIRECTSOUND;
}

}  // namespace

void TMSound_Reset(TMSoundOut* s) {
    s->fenetre = nullptr;
    s->objet = nullptr;
    s->flux = nullptr;
    s->segments = 0;
    s->decalages.clear();
    s->positions.clear();
    s->evenements.clear();
    s->flags = s->ownFlags = 0;
}

int32_t TMSound_SetDirectSound(TMSoundOut* s, SonObjet* objet) {
    if (objet == nullptr) {
        const int32_t r = SonObjet_Creer(0, &objet);
        if (r != 0 || objet == nullptr) return Echec(r);
        s->ownFlags |= 1;
    }
    s->objet = objet;
    s->flags |= 1;
    return 0;
}

void TMSound_SetWindow(TMSoundOut* s, HandleFenetre fenetre) {
    s->fenetre = fenetre;
    s->flags |= 2;
}

int32_t TMSound_SetPrimaryFormat(TMSoundOut* s, const RVFReader* lecteur) {
    if (s->objet == nullptr) return TM_ERR_PAS_DE_DIRECTSOUND;
    if (!(s->flags & 2)) return TM_ERR_PAS_DE_FENETRE;
    int32_t r = SonObjet_Capacites(s->objet, &s->capacites);
    if (r != 0) return Echec(r);
    s->format = FormatOnde{};
    s->format.format = 1;
    s->format.canaux = static_cast<uint16_t>(RVFReader_Channels(lecteur));
    s->format.frequence = static_cast<uint32_t>(RVFReader_Rate(lecteur));
    s->format.bits = 16;
    s->format.alignement = static_cast<uint16_t>(2 * s->format.canaux);
    s->format.octetsParSeconde = s->format.frequence * s->format.alignement;
    r = SonObjet_NiveauCooperation(s->objet, s->fenetre, COOPERATION_NORMALE);
    return r != 0 ? Echec(r) : 0;
}

int32_t TMSound_CreateStream(TMSoundOut* s, int32_t nombre, int32_t taille) {
    if (s->objet == nullptr || nombre < 1 || taille < 1 || static_cast<int64_t>(nombre) * taille > (1 << 28))
        return TM_ERR_DIRECTSOUND;
    if (s->flux != nullptr) {
        TamponSon_Arreter(s->flux);
        TamponSon_Liberer(s->flux);
        s->flux = nullptr;
    }
    s->drapeauxTampon = TAMPON_POSITION2 | TAMPON_CTRL_NOTIFICATION | TAMPON_CTRL_VOLUME;
    s->octetsTampon = static_cast<uint32_t>(nombre) * static_cast<uint32_t>(taille);
    int32_t r = SonObjet_CreerTampon(s->objet, s->drapeauxTampon, s->octetsTampon, &s->format, &s->flux);
    if (r != 0 || s->flux == nullptr) {
        s->flux = nullptr;
        return Echec(r);
    }
    s->segments = nombre;
    s->decalages.clear();
    s->positions.clear();
    s->evenements.clear();
    for (int32_t i = 0; i < nombre; ++i) {
        s->evenements.push_back(std::make_unique<TMEvenement>(true));
        s->decalages.push_back(static_cast<uint32_t>(i * taille));
        s->positions.push_back(static_cast<uint32_t>((i + 1) * taille - 1));
    }
    r = TamponSon_Notifications(s->flux, static_cast<uint32_t>(nombre), s->positions.data(), SegmentJoue, s);
    return r != 0 ? Echec(r) : 0;
}

int32_t TMSound_Play(TMSoundOut* s) {
    if (s->flux == nullptr) return TM_ERR_PAS_DE_FLUX;
    TamponSon_PlacerLecture(s->flux, 0);
    const int32_t r = TamponSon_Jouer(s->flux, JOUER_BOUCLE);
    return r != 0 ? Echec(r) : 0;
}

int32_t TMSound_Stop(TMSoundOut* s) {
    if (s->flux == nullptr) return TM_ERR_PAS_DE_FLUX;
    const int32_t r = TamponSon_Arreter(s->flux);
    return r != 0 ? Echec(r) : 0;
}

int32_t TMSound_Lock(TMSoundOut* s, uint32_t decalage, uint32_t octets, void** p1, uint32_t* n1, void** p2,
                     uint32_t* n2) {
    if (s->flux == nullptr) return TM_ERR_PAS_DE_FLUX;
    const int32_t r = TamponSon_Verrouiller(s->flux, decalage, octets, 0, p1, n1, p2, n2);
    return r != 0 ? Echec(r) : 0;
}

int32_t TMSound_Unlock(TMSoundOut* s, void* p1, uint32_t n1, void* p2, uint32_t n2) {
    if (s->flux == nullptr) return TM_ERR_PAS_DE_FLUX;
    const int32_t r = TamponSon_Deverrouiller(s->flux, p1, n1, p2, n2);
    return r != 0 ? Echec(r) : 0;
}

int32_t TMSound_Release(TMSoundOut* s) {
    int32_t resultat = 0;
    if (s->flux != nullptr) {
        TamponSon_Arreter(s->flux);
        TamponSon_Notifications(s->flux, 0, nullptr, nullptr, nullptr);
        TamponSon_Liberer(s->flux);
        s->flux = nullptr;
    }
    s->evenements.clear();
    s->decalages.clear();
    s->positions.clear();
    s->segments = 0;
    if (s->objet != nullptr && (s->ownFlags & 1)) {
        if (SonObjet_NiveauCooperation(s->objet, s->fenetre, COOPERATION_NORMALE) != 0) resultat = TM_ERR_DIRECTSOUND;
        SonObjet_Liberer(s->objet);
    }
    s->ownFlags &= ~1u;
    s->flags &= ~1u;
    s->objet = nullptr;
    return resultat;
}

int32_t TMSoundSegmentRing::Create(int32_t nombre, int32_t taille) {
    Free();
    if (sortie == nullptr || nombre < 1 || taille < 1) return -5;
    const int32_t r = TMSound_CreateStream(sortie, nombre, taille);
    // Without a stream the segments have no events: none is made.
    if (r != 0) return r;
    count = nombre;
    total = nombre * taille;
    segments.resize(static_cast<size_t>(nombre));
    for (int32_t i = 0; i < nombre; ++i) {
        TMSoundSegment& g = segments[static_cast<size_t>(i)];
        g.sortie = sortie;
        g.decalage = static_cast<uint32_t>(i * taille);
        g.taille = taille;
        g.evenement = sortie->evenements[static_cast<size_t>(i)].get();
        TM_Log("DS %d : offset %8d", i, static_cast<int32_t>(g.decalage));
    }
    current = 0;
    return 0;
}

int32_t TMSoundSegmentRing::WaitCurrent(const TMEvenement* arret) {
    if (count == 0) return 1;
    TMSoundSegment& g = segments[static_cast<size_t>(current)];
    if (TM_Attendre(arret, g.evenement) == 0) return 1;
    g.pending = false;
    return 0;
}

int32_t TMSoundSegmentRing::CurrentSize() const {
    return count == 0 ? 0 : segments[static_cast<size_t>(current)].taille;
}

uint8_t* TMSoundSegmentRing::LockCurrent(int32_t a, int32_t octets) {
    if (count == 0) return nullptr;
    TMSoundSegment& g = segments[static_cast<size_t>(current)];
    // Only inside the segment: a lock never spills into the next one.
    if (a < 0 || octets < 0 || a > g.taille) return nullptr;
    octets = std::min(octets, g.taille - a);
    if (!g.verrouille) {
        if (TMSound_Lock(sortie, g.decalage + static_cast<uint32_t>(a), static_cast<uint32_t>(octets), &g.p1, &g.n1,
                         &g.p2, &g.n2) != 0)
            return nullptr;
        g.verrouille = true;
        if (g.n2 != 0) TM_Log("WOW! Sound size 2 in Lock is not null!");
    }
    return static_cast<uint8_t*>(g.p1);
}

void TMSoundSegmentRing::UnlockCurrent() {
    if (count == 0) return;
    TMSoundSegment& g = segments[static_cast<size_t>(current)];
    if (!g.verrouille) return;
    TMSound_Unlock(sortie, g.p1, g.n1, g.p2, g.n2);
    g.verrouille = false;
}

void TMSoundSegmentRing::CompleteCurrent() {
    if (count == 0) return;
    UnlockCurrent();
    TMSoundSegment& g = segments[static_cast<size_t>(current)];
    g.pending = true;
    g.evenement->Effacer();
    current = (current + 1) % count;
}

int32_t TMSoundSegmentRing::WaitAllPlayed(const TMEvenement* arret) {
    for (;;) {
        bool tous = true;
        for (const auto& g : segments) tous = tous && g.evenement->Signale();
        if (tous) return 0;
        if (arret != nullptr && arret->Signale()) return 1;
        // The mixer moves with the clock: headless, the wait itself lets it play.
        Temps_Dormir(2);
        Son_Rattraper();
        if (TM_Attendre(arret, nullptr, 1) == 0) return 1;
    }
}

void TMSoundSegmentRing::Free() {
    for (int32_t i = 0; i < count; ++i) {
        current = i;
        UnlockCurrent();
    }
    segments.clear();
    count = current = total = 0;
}
