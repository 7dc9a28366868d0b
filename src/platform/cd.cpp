#include "platform/cd.h"

#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/fichiers.h"
#include "platform/son.h"
#include "platform/temps.h"

namespace {

constexpr uint32_t ID_LECTEUR = 1;

struct LecteurCD {
    bool ouvert = false;
    uint32_t format = CD_FORMAT_MILLISECONDES;
    SonObjet* objet = nullptr;
    TamponSon* tampon = nullptr;
    uint32_t pisteChargee = 0;
    uint32_t piste = 0;   // playing or paused, 0 for none
    bool enPause = false;
    HandleFenetre fenetre = nullptr;
    uint32_t frequence = 0;
    uint32_t alignement = 0;
    uint32_t octets = 0;
    std::mutex verrou;   // the notification runs on the audio thread
};

LecteurCD& L() {
    static LecteurCD* l = new LecteurCD;
    return *l;
}

// The track played out to its end: one notification to the window given to the play.
void FinPiste(void*) {
    LecteurCD& l = L();
    HandleFenetre f = nullptr;
    {
        std::lock_guard<std::mutex> g(l.verrou);
        if (l.piste == 0) return;
        f = l.fenetre;
        l.piste = 0;
        l.enPause = false;
    }
    if (f != nullptr) Message_Poster(f, MSG_CD_NOTIFICATION, CD_NOTIFICATION_REUSSIE, static_cast<ParamLong>(ID_LECTEUR));
}

void LibererPiste(LecteurCD& l) {
    TamponSon_Liberer(l.tampon);
    l.tampon = nullptr;
    l.pisteChargee = 0;
}

// Headless: let a waiting loop's clock reach the end of the track.
void AnnoncerFin(LecteurCD& l) {
    if (!Temps_Manuel() || l.tampon == nullptr || l.alignement == 0 || l.frequence == 0) return;
    uint32_t lecture = 0;
    TamponSon_PositionLecture(l.tampon, &lecture, nullptr);
    uint64_t reste = (l.octets - lecture) / l.alignement;
    Plateforme_Echeance(Temps_Ticks() + static_cast<uint32_t>(reste * 1000 / l.frequence) + 1);
}

int32_t ChargerPiste(LecteurCD& l, uint32_t piste) {
    if (l.tampon != nullptr && l.pisteChargee == piste) return CD_OK;
    LibererPiste(l);
    char chemin[64];
    std::snprintf(chemin, sizeof chemin, CD_MOTIF_PISTE, static_cast<int>(piste));
    FormatOnde format;
    std::vector<uint8_t> donnees;
    if (!Wav_Charger(chemin, &format, &donnees)) return CD_ERREUR_PISTE;
    if (l.objet == nullptr && SonObjet_Creer(0, &l.objet) != SON_OK) return CD_ERREUR_SON;
    TamponSon* t = nullptr;
    if (SonObjet_CreerTampon(l.objet, TAMPON_STATIQUE | TAMPON_CTRL_VOLUME, static_cast<uint32_t>(donnees.size()),
                             &format, &t) != SON_OK)
        return CD_ERREUR_PISTE;
    void* p1 = nullptr;
    uint32_t n1 = 0;
    if (TamponSon_Verrouiller(t, 0, 0, VERROU_TOUT, &p1, &n1, nullptr, nullptr) == SON_OK)
        std::memcpy(p1, donnees.data(), n1);
    TamponSon_Categorie(t, 1);
    TamponSon_RappelFin(t, FinPiste, nullptr);
    l.tampon = t;
    l.pisteChargee = piste;
    l.frequence = format.frequence;
    l.alignement = static_cast<uint32_t>(format.canaux) * (format.bits / 8u);
    l.octets = static_cast<uint32_t>(donnees.size());
    return CD_OK;
}

bool Valide(uint32_t id) { return id == ID_LECTEUR && L().ouvert; }

}  // namespace

int32_t CD_Ouvrir(const char* type, uint32_t* id) {
    if (id == nullptr) return CD_ERREUR_PARAMETRE;
    *id = 0;
    if (type == nullptr || std::strcmp(type, "cdaudio") != 0) return CD_ERREUR_TYPE;
    if (!Repertoire_Existe(CD_DOSSIER)) return CD_ERREUR_PAS_DE_LECTEUR;
    LecteurCD& l = L();
    if (!l.ouvert) {
        l.ouvert = true;
        l.format = CD_FORMAT_MILLISECONDES;
    }
    *id = ID_LECTEUR;
    return CD_OK;
}

int32_t CD_Fermer(uint32_t id) {
    if (!Valide(id)) return CD_ERREUR_PERIPHERIQUE;
    LecteurCD& l = L();
    CD_Arreter(id);
    LibererPiste(l);
    SonObjet_Liberer(l.objet);
    l.objet = nullptr;
    l.ouvert = false;
    return CD_OK;
}

int32_t CD_FormatTemps(uint32_t id, uint32_t format) {
    if (!Valide(id)) return CD_ERREUR_PERIPHERIQUE;
    if (format != CD_FORMAT_MILLISECONDES && format != CD_FORMAT_TMSF) return CD_ERREUR_PARAMETRE;
    L().format = format;
    return CD_OK;
}

int32_t CD_Jouer(uint32_t id, HandleFenetre fenetre, uint32_t de, uint32_t a) {
    if (!Valide(id)) return CD_ERREUR_PERIPHERIQUE;
    LecteurCD& l = L();
    if (l.format != CD_FORMAT_TMSF) return CD_ERREUR_PARAMETRE;
    uint32_t piste = CD_Tmsf(de);
    (void)a;   // one track is played: to the start of the next, or to the end of the disc
    if (piste == 0) return CD_ERREUR_PISTE;
    if (l.tampon != nullptr) TamponSon_Arreter(l.tampon);
    {
        std::lock_guard<std::mutex> g(l.verrou);
        l.piste = 0;
        l.enPause = false;
    }
    int32_t r = ChargerPiste(l, piste);
    if (r != CD_OK) return r;
    TamponSon_PlacerLecture(l.tampon, 0);
    {
        std::lock_guard<std::mutex> g(l.verrou);
        l.piste = piste;
        l.fenetre = fenetre;
    }
    if (TamponSon_Jouer(l.tampon, 0) != SON_OK) {
        std::lock_guard<std::mutex> g(l.verrou);
        l.piste = 0;
        return CD_ERREUR_SON;
    }
    AnnoncerFin(l);
    return CD_OK;
}

int32_t CD_Arreter(uint32_t id) {
    if (!Valide(id)) return CD_ERREUR_PERIPHERIQUE;
    LecteurCD& l = L();
    {
        std::lock_guard<std::mutex> g(l.verrou);
        l.piste = 0;
        l.enPause = false;
    }
    if (l.tampon != nullptr) {
        TamponSon_Arreter(l.tampon);
        TamponSon_PlacerLecture(l.tampon, 0);
    }
    return CD_OK;
}

int32_t CD_Pause(uint32_t id) {
    if (!Valide(id)) return CD_ERREUR_PERIPHERIQUE;
    LecteurCD& l = L();
    Son_Rattraper();   // a track that has just ended is no longer there to pause
    {
        std::lock_guard<std::mutex> g(l.verrou);
        if (l.piste == 0) return CD_ERREUR_ETAT;
        if (l.enPause) return CD_OK;
        l.enPause = true;
    }
    TamponSon_Arreter(l.tampon);
    return CD_OK;
}

int32_t CD_Reprendre(uint32_t id) {
    if (!Valide(id)) return CD_ERREUR_PERIPHERIQUE;
    LecteurCD& l = L();
    {
        std::lock_guard<std::mutex> g(l.verrou);
        if (l.piste == 0) return CD_ERREUR_ETAT;
        if (!l.enPause) return CD_OK;
        l.enPause = false;
    }
    if (TamponSon_Jouer(l.tampon, 0) != SON_OK) return CD_ERREUR_SON;
    AnnoncerFin(l);
    return CD_OK;
}

uint32_t CD_PisteEnCours(uint32_t id, bool* enPause) {
    if (enPause) *enPause = false;
    if (!Valide(id)) return 0;
    Son_Rattraper();
    LecteurCD& l = L();
    std::lock_guard<std::mutex> g(l.verrou);
    if (enPause) *enPause = l.enPause;
    return l.piste;
}

bool CD_TexteErreur(int32_t code, char* texte, uint32_t taille) {
    const char* t = nullptr;
    switch (code) {
        case CD_OK: t = "No error."; break;
        case CD_ERREUR_PAS_DE_LECTEUR: t = "There is no CD audio drive."; break;
        case CD_ERREUR_TYPE: t = "Unknown device type."; break;
        case CD_ERREUR_PERIPHERIQUE: t = "The device is not open."; break;
        case CD_ERREUR_PISTE: t = "The track does not exist."; break;
        case CD_ERREUR_PARAMETRE: t = "Invalid parameter for the CD audio device."; break;
        case CD_ERREUR_SON: t = "No audio output is available."; break;
        case CD_ERREUR_ETAT: t = "No track is paused."; break;
        default: return false;
    }
    if (texte != nullptr && taille > 0) std::snprintf(texte, taille, "%s", t);
    return true;
}
