#include "media/snd.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/sonriff.h"

namespace {

char* Copie(const char* texte) {
    if (texte == nullptr) return nullptr;
    size_t n = std::strlen(texte) + 1;
    char* c = static_cast<char*>(std::malloc(n));
    if (c != nullptr) std::memcpy(c, texte, n);
    return c;
}

bool Ouvert(SndManager* m) {
    if (m->ouvert) return true;
    SND_SetLastError(m, SND_ERR_PAS_OUVERT, 0);
    return false;
}

bool Mode3D(SndManager* m) {
    if (m->mode == SND_MODE_3D) return true;
    SND_SetLastError(m, SND_ERR_PAS_3D, 0);
    return false;
}

int32_t Argument(SndManager* m, uint32_t numero) {
    SND_SetLastError(m, SND_ERR_ARGUMENT, numero);
    return 0;
}

// A sound service result: 1 on success, else 0 with `code` and the result as the last error.
int32_t Resultat(SndManager* m, int32_t r, int32_t code) {
    if (r == SON_OK) return 1;
    SND_SetLastError(m, code, static_cast<uint32_t>(r));
    return 0;
}

bool InstanceValide(const SndManager* m, int32_t instance) {
    return instance >= 0 && instance < m->nombreTampons && m->tampons != nullptr;
}

void Copier3(float* d, const float* s) {
    d[0] = s[0];
    d[1] = s[1];
    d[2] = s[2];
}

void Vecteur(float* d, float x, float y, float z) {
    d[0] = x;
    d[1] = y;
    d[2] = z;
}

// Vectors given by the caller pass through the coordinate hook when there is one.
void Coordonnees(const SndManager* m, const float* source, float* destination) {
    Copier3(destination, source);
    if (m->crochetCoordonnees != nullptr) m->crochetCoordonnees(destination);
}

FormatOnde VersFormatOnde(const SndFormat& f) {
    FormatOnde o;
    o.format = f.format;
    o.canaux = f.canaux;
    o.frequence = f.frequence;
    o.octetsParSeconde = f.octetsParSeconde;
    o.alignement = f.alignement;
    o.bits = f.bits;
    return o;
}

const char* TexteCode(int32_t code) {
    switch (code) {
        case -1010: return "%sSound Manager already Opened. Can't open twice.";
        case -1020: return "%sSound Manager is not Opened. Can't close.";
        case -1030: return "%scannot create direct sound object (%x).";
        case -1040: return "%scannot set priority level for application and device (%x).";
        case -1050: return "%scannot set format for primary buffer (%x).";
        case -1060: return "%sSound manager not opened";
        case -1070: return "%sPrimary buffer not allocated";
        case -1080: return "%sEnumarate device failed (%x).";
        case -1100: return "%scant open given sound file.";
        case -1110: return "%serror while reading sound file (%x).";
        case -1120: return "%scannot allocate memory for sound (%x).";
        case -1130: return "%sReally fatal error (%x).";
        case -1140: return "%serror locking secondary buffer (%x).";
        case -1150: return "%serror unlocking secondary buffer (%x).";
        case -1160: return "%sget status failed (%x).";
        case -1170: return "%sbuffer lost (%x).";
        case -1180: return "%scan't allocate buffer (%x).";
        case -1190: return "%scan't play sound (%x).";
        case -1200: return "%sDialog box failed";
        case -1210: return "%sstop sound failed (%x).";
        case -1220: return "%sset volume failed (%x).";
        case -1230: return "%sset pan failed (%x).";
        case -1240: return "%sset frequency failed (%x).";
        case -1250: return "%sset position failed (%x).";
        case -1260: return "%sset position failed (%x).";
        case -1270: return "%sdirectsound object getcaps failed (%x).";
        case -1280: return "%sgetspeaker config failed (%x).";
        case -1290: return "%sget 3d buffer interface failed (%x).";
        case -1300: return "%sget property set interface failed (%x).";
        case -1310: return "%sget property set interface failed (%x).";
        case -1320: return "%sSound manager was not opened in 3D mode";
        case -1330: return "%sget sound notify interface failed (%x).";
        case -1340: return "%sset notify positions failed (%x).";
        case -1350: return "%sDirectSound Not initialized.";
        case -1370: return "%sLoadSoundUser user info failed.";
        case -1380: return "%sLoadSoundUser user read failed.";
        case -1390: return "%sNo listener exist.";
        default: return "%sUndefined error.";
    }
}

// The reverb property sets whose support is probed on the first 3D buffer.
constexpr uint8_t REVERB_ECOUTEUR[16] = {0xC1, 0x6F, 0x4E, 0x4A, 0x41, 0xC3, 0xD1, 0x11,
                                         0xB7, 0x3A, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00};
constexpr uint8_t REVERB_TAMPON[16] = {0xC0, 0x6F, 0x4E, 0x4A, 0x41, 0xC3, 0xD1, 0x11,
                                       0xB7, 0x3A, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00};

void LibererSon(SndSound* son) {
    std::free(son->instances);
    son->instances = nullptr;
    son->capaciteInstances = 0;
    son->nombreInstances = 0;
    std::free(son->description.format);
    son->description.format = nullptr;
    std::free(son->donnees);
    son->donnees = nullptr;
    std::free(son->nom);
    son->nom = nullptr;
}

// The listener, the primary buffer and the device object go; the manager is closed.
void LibererObjet(SndManager* m) {
    m->ecouteur.interface = nullptr;
    TamponSon_Liberer(m->primaire);
    m->primaire = nullptr;
    SonObjet_Liberer(m->directSound);
    m->directSound = nullptr;
    m->ouvert = 0;
}

}  // namespace

// ---- construction, errors, trace ------------------------------------------------------------

void SND_Constructor(SndManager* m) {
    std::memset(static_cast<void*>(m), 0, sizeof *m);
    SND_DefaultListener(m);
    m->modeCoordonnees = 1;
    m->crochetCoordonnees = nullptr;
    m->drapeauxReverb = 7;
    m->mode = SND_MODE_2D;
    m->derniereInstance = -1;
    m->panDefaut = 0;
    m->volumeDefaut = 100;
    m->frequenceDefaut = 0;
    m->positionDefaut = 0;
}

void SND_DefaultListener(SndManager* m) {
    Snd3DListener& l = m->ecouteur;
    l.taille = TAILLE_SND_3DLISTENER;
    l.ecouteur.taille = TAILLE_SND_LISTENER;
    Vecteur(l.ecouteur.position, 0, 0, 0);
    Vecteur(l.ecouteur.vitesse, 0, 0, 0);
    Vecteur(l.ecouteur.avant, 0, 0, 1.0f);
    Vecteur(l.ecouteur.haut, 0, 1.0f, 0);
    l.ecouteur.facteurDistance = 1.0f;
    l.ecouteur.facteurAttenuation = 1.0f;
    l.ecouteur.facteurDoppler = 1.0f;
}

void SND_Destructor(SndManager* m) {
    for (int32_t i = 0; i < m->nombrePeripheriques; ++i) {
        SndDevice& d = m->peripheriques[i];
        std::free(d.guid);
        std::free(d.capacites);
        std::free(d.description);
        std::free(d.module);
    }
    std::free(m->peripheriques);
    m->peripheriques = nullptr;
    m->nombrePeripheriques = 0;
    if (m->ouvert) SND_Close(m);
}

void SND_SetLastError(SndManager* m, int32_t code, uint32_t detail) {
    m->derniereErreur = code;
    m->detailErreur = detail;
}

void SND_DebugPrint(SndManager* m, const char* format, ...) {
    if (!m->trace) return;
    char ligne[512];
    va_list a;
    va_start(a, format);
    std::vsnprintf(ligne, sizeof ligne, format, a);
    va_end(a);
    Trace_Debogueur(ligne);
}

void SND_ErrorText(const SndManager* m, char* texte, uint32_t taille) {
    if (m == nullptr || texte == nullptr || taille == 0) return;
    char prefixe[32];
    std::snprintf(prefixe, sizeof prefixe, "Error %4d\t", m->derniereErreur);
    std::string modele = TexteCode(m->derniereErreur);
    std::string resultat;
    for (size_t i = 0; i < modele.size(); ++i) {
        if (modele[i] == '%' && i + 1 < modele.size() && modele[i + 1] == 's') {
            resultat += prefixe;
            ++i;
        } else if (modele[i] == '%' && i + 1 < modele.size() && modele[i + 1] == 'x') {
            char h[16];
            std::snprintf(h, sizeof h, "%x", m->detailErreur);
            resultat += h;
            ++i;
        } else {
            resultat += modele[i];
        }
    }
    std::snprintf(texte, taille, "%s", resultat.c_str());
}

// ---- devices --------------------------------------------------------------------------------

int32_t SND_CheckVersion(SndManager* m, int32_t version) {
    if (version != 1) {
        char texte[256];
        std::snprintf(texte, sizeof texte,
                      "TESKSND.H reports to be at version %d\nand LIBRARY indicates version %d.\nCheck out for updated "
                      "library\nat technical direction offices.",
                      1, version);
        Plateforme_BoiteSysteme("WARNING...", texte);
    }
    m->nomLibrairie = "Tesk Sound Library Version 1.0";
    return SND_ListDevices(m);
}

int32_t SND_EnumDevices(SndManager* m, const SndGuid* guid, const char* description, const char* module) {
    auto* t = static_cast<SndDevice*>(
        std::realloc(m->peripheriques, sizeof(SndDevice) * static_cast<size_t>(m->nombrePeripheriques + 1)));
    if (t == nullptr) return 0;
    m->peripheriques = t;
    SndDevice& d = t[m->nombrePeripheriques++];
    d.taille = TAILLE_SND_DEVICE;
    d.guid = nullptr;
    if (guid != nullptr) {
        d.guid = static_cast<SndGuid*>(std::malloc(sizeof(SndGuid)));
        if (d.guid != nullptr) *d.guid = *guid;
    }
    d.description = Copie(description);
    d.module = Copie(module);
    d.capacites = nullptr;
    d.hautParleurs = 0;
    SND_DebugPrint(m, "Found device %s, driver %s, lpguid %p", description ? description : "", module ? module : "",
                   static_cast<const void*>(guid));
    return 1;   // next device
}

int32_t SND_ListDevices(SndManager* m) {
    int n = SonPeripheriques_Nombre();
    for (int i = 0; i < n; ++i) {
        DescriptionPeripheriqueSon d;
        if (!SonPeripherique_Description(i, &d)) {
            SND_SetLastError(m, SND_ERR_ENUMERATION, static_cast<uint32_t>(SON_ERREUR_PERIPHERIQUE));
            return 0;
        }
        if (!SND_EnumDevices(m, nullptr, d.description, d.module)) break;
    }
    for (int32_t i = 0; i < m->nombrePeripheriques; ++i) {
        SonObjet* objet = nullptr;
        if (SonObjet_Creer(i, &objet) != SON_OK) continue;
        SND_GetDeviceCaps(m, &m->peripheriques[i], objet);
        SND_GetSpeakerConfig(m, &m->peripheriques[i], objet);
        SonObjet_Liberer(objet);
    }
    return 1;
}

int32_t SND_GetDeviceCaps(SndManager* m, SndDevice* device, SonObjet* objet) {
    std::free(device->capacites);
    device->capacites = static_cast<SndCaps*>(std::calloc(1, sizeof(SndCaps)));
    if (device->capacites == nullptr) return 0;
    device->capacites->taille = TAILLE_SND_CAPS;
    int32_t r = SonObjet_Capacites(objet, &device->capacites->capacites);
    if (r != SON_OK) {
        std::free(device->capacites);
        device->capacites = nullptr;
        SND_SetLastError(m, SND_ERR_CAPACITES, static_cast<uint32_t>(r));
        return 0;
    }
    return 1;
}

int32_t SND_GetSpeakerConfig(SndManager* m, SndDevice* device, SonObjet* objet) {
    return Resultat(m, SonObjet_HautParleurs(objet, &device->hautParleurs), SND_ERR_HAUT_PARLEURS);
}

int32_t SND_GetDeviceCount(SndManager* m) { return m->nombrePeripheriques; }

SndDevice* SND_GetDevice(SndManager* m, int32_t index) {
    if (index < 0 || index >= m->nombrePeripheriques) return nullptr;
    return &m->peripheriques[index];
}

// ---- opening and closing --------------------------------------------------------------------

int32_t SND_SetCooperativeLevel(SndManager* m, HandleFenetre fenetre, uint32_t niveau) {
    if (fenetre == nullptr) return Argument(m, 1);
    if (niveau < 1 || niveau > 4) return Argument(m, 2);
    return Resultat(m, SonObjet_NiveauCooperation(m->directSound, fenetre, niveau), SND_ERR_COOPERATION);
}

int32_t SND_CreatePrimaryBuffer(SndManager* m) {
    uint32_t drapeaux = TAMPON_PRIMAIRE | (m->mode == SND_MODE_3D ? TAMPON_CTRL_3D : 0u);
    return Resultat(m, SonObjet_CreerTampon(m->directSound, drapeaux, 0, nullptr, &m->primaire), SND_ERR_PRIMAIRE);
}

int32_t SND_SetPrimaryFormat(SndManager* m, uint16_t canaux, uint32_t frequence, uint16_t bits) {
    if (m->primaire == nullptr) {
        SND_SetLastError(m, SND_ERR_PAS_DE_PRIMAIRE, 0);
        return 0;
    }
    FormatOnde f;
    f.format = 1;
    f.canaux = canaux;
    f.frequence = frequence;
    f.bits = bits;
    f.alignement = static_cast<uint16_t>(bits / 8 * canaux);
    f.octetsParSeconde = frequence * f.alignement;
    return Resultat(m, TamponSon_FormatPrimaire(m->primaire, &f), SND_ERR_FORMAT_PRIMAIRE);
}

int32_t SND_SelectDevice(SndManager* m, HandleFenetre fenetre, SndDevice* device, uint32_t mode) {
    if (m->ouvert) {
        SND_SetLastError(m, SND_ERR_DEJA_OUVERT, 0);
        return 0;
    }
    if (device == nullptr || device->taille != TAILLE_SND_DEVICE || (mode != SND_MODE_3D && mode != SND_MODE_2D))
        return Argument(m, 0);
    SND_DebugPrint(m, "Selected device = %s", device->description ? device->description : "");
    // The device list holds the default device only; its index is its place in the list.
    int index = 0;
    if (m->peripheriques != nullptr && device >= m->peripheriques && device < m->peripheriques + m->nombrePeripheriques)
        index = static_cast<int>(device - m->peripheriques);
    int32_t r = SonObjet_Creer(index, &m->directSound);
    if (r != SON_OK) {
        m->directSound = nullptr;
        SND_SetLastError(m, SND_ERR_CREATION, static_cast<uint32_t>(r));
        return 0;
    }
    m->ouvert = 1;
    m->mode = mode;
    bool ok = SND_SetCooperativeLevel(m, fenetre, 3) && (m->primaire != nullptr || SND_CreatePrimaryBuffer(m));
    if (ok) {
        TamponSon_Jouer(m->primaire, JOUER_BOUCLE);
        m->ecouteur.interface = mode == SND_MODE_3D ? TamponSon_Ecouteur(m->primaire) : nullptr;
        ok = SND_SetPrimaryFormat(m, 2, 22050, 16);
    }
    if (!ok) {
        LibererObjet(m);
        m->mode = SND_MODE_2D;
        return 0;
    }
    return 1;
}

int32_t SND_Close(SndManager* m) {
    if (!m->ouvert) {
        SND_SetLastError(m, SND_ERR_PAS_OUVERT_FERMETURE, 0);
        return 0;
    }
    for (int32_t i = 0; i < m->nombreTampons; ++i) {
        // The sounds forget their instances: the pool is about to go.
        if (m->tampons[i].proprietaire != nullptr) SND_DetachBuffer(m, i);
        SND_ReleaseBuffer(m, i);
    }
    std::free(m->tampons);
    m->tampons = nullptr;
    m->nombreTampons = 0;
    m->derniereInstance = -1;
    LibererObjet(m);
    return 1;
}

SonObjet* SND_GetDirectSound(SndManager* m) { return m->ouvert ? m->directSound : nullptr; }

// ---- WAV files ------------------------------------------------------------------------------

int32_t SND_LoadWave(SndManager* m, const char* chemin, SndSound* son) {
    if (chemin == nullptr) return Argument(m, 1);
    if (son == nullptr) return Argument(m, 2);
    if (!Ouvert(m)) return 0;
    FichierRiff* f = Riff_Ouvrir(chemin);
    if (f == nullptr) {
        SND_SetLastError(m, SND_ERR_OUVERTURE_FICHIER, 0);
        return 0;
    }
    SndFormat* format = nullptr;
    uint8_t* donnees = nullptr;
    auto echec = [&](int32_t code, uint32_t detail) {
        std::free(format);
        std::free(donnees);
        Riff_Fermer(f);
        SND_SetLastError(m, code, detail);
        return 0;
    };
    FormatOnde lu;
    uint32_t octets = 0;
    if (int etape = Wav_LireEntete(f, &lu, &octets); etape != 0)
        return echec(SND_ERR_LECTURE_FICHIER, static_cast<uint32_t>(etape));
    format = static_cast<SndFormat*>(std::calloc(1, sizeof(SndFormat)));
    if (format == nullptr) return echec(SND_ERR_MEMOIRE_SON, 1);
    format->format = lu.format;
    format->canaux = lu.canaux;
    format->frequence = lu.frequence;
    format->octetsParSeconde = lu.octetsParSeconde;
    format->alignement = lu.alignement;
    format->bits = lu.bits;
    format->supplement = 18;
    donnees = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(octets) + 16));
    if (donnees == nullptr) return echec(SND_ERR_MEMOIRE_SON, 1);
    if (Riff_Lire(f, donnees, octets) != octets) return echec(SND_ERR_LECTURE_FICHIER, 6);
    std::memset(donnees + octets, 0, 16);
    char* nom = Copie(chemin);
    if (nom == nullptr) return echec(SND_ERR_MEMOIRE_SON, 2);
    Riff_Fermer(f);
    son->taille = TAILLE_SND_SOUND;
    son->nom = nom;
    son->donnees = donnees;
    son->description.taille = TAILLE_SND_DESCRIPTION;
    son->description.drapeaux = SND_DRAPEAUX_SON;
    son->description.octets = octets;
    son->description.reserve = 0;
    son->description.format = format;
    son->capaciteInstances = 0;
    son->nombreInstances = 0;
    son->instances = nullptr;
    return 1;
}

int32_t SND_FreeSound(SndManager* m, SndSound* son) {
    if (son == nullptr || son->taille != TAILLE_SND_SOUND) return Argument(m, 1);
    // Its instances stay in the pool, free once silent, but no longer point at it.
    for (int32_t k = 0; k < son->capaciteInstances; ++k) {
        int32_t i = son->instances[k];
        if (InstanceValide(m, i) && m->tampons[i].proprietaire == son) m->tampons[i].proprietaire = nullptr;
    }
    LibererSon(son);
    return 1;
}

// ---- buffer instances -----------------------------------------------------------------------

int32_t SND_BufferIsFree(SndManager* m, int32_t instance) {
    if (!InstanceValide(m, instance)) return 0;
    SndBuffer& b = m->tampons[instance];
    if (b.tampon == nullptr) return 1;
    uint32_t etat = 0;
    int32_t r = TamponSon_Etat(b.tampon, &etat);
    if (r != SON_OK) {
        SND_SetLastError(m, SND_ERR_ETAT, static_cast<uint32_t>(r));
        return 0;
    }
    return (etat & (ETAT_PERDU | ETAT_JOUE)) == 0;
}

void SND_DetachBuffer(SndManager* m, int32_t instance) {
    if (!InstanceValide(m, instance)) return;
    SndBuffer& b = m->tampons[instance];
    SndSound* s = b.proprietaire;
    if (s == nullptr) return;
    for (int32_t k = 0; k < s->capaciteInstances; ++k) {
        if (s->instances[k] == instance) {
            s->instances[k] = -1;
            --s->nombreInstances;
            break;
        }
    }
    SND_DebugPrint(m, "Suppressing buffer %d for sound %s (current=%d,max=%d)", instance, s->nom ? s->nom : "",
                   s->nombreInstances, s->capaciteInstances);
    b.proprietaire = nullptr;
}

void SND_ReleaseBuffer(SndManager* m, int32_t instance) {
    if (!InstanceValide(m, instance)) return;
    SndBuffer& b = m->tampons[instance];
    TamponSon_Liberer(b.tampon);
    b.tampon = nullptr;
    b.interface3D = nullptr;
    b.jeuProprietes = nullptr;
    b.notification = nullptr;
    b.compteurs[0] = b.compteurs[1] = 0;
    std::free(b.tables[0]);
    std::free(b.tables[1]);
    b.tables[0] = b.tables[1] = nullptr;
}

int32_t SND_NewBuffer(SndManager* m) {
    auto* t = static_cast<SndBuffer*>(
        std::realloc(m->tampons, sizeof(SndBuffer) * static_cast<size_t>(m->nombreTampons + 1)));
    if (t == nullptr) {
        SND_SetLastError(m, SND_ERR_FATALE, 1);
        return -1;
    }
    m->tampons = t;
    SndBuffer& b = t[m->nombreTampons];
    std::memset(static_cast<void*>(&b), 0, sizeof b);
    b.taille = TAILLE_SND_BUFFER;
    SND_DebugPrint(m, "Creating new TSM buffer of specified type at %p (%d)", static_cast<void*>(&b), m->nombreTampons);
    return m->nombreTampons++;
}

void SND_ProbeReverbSupport(SndManager* m, int32_t instance) {
    m->drapeauxReverb &= ~1u;
    SndBuffer& b = m->tampons[instance];
    uint32_t support = 0;
    if (b.jeuProprietes == nullptr ||
        TamponSon_ProprieteSupport(b.jeuProprietes, REVERB_ECOUTEUR, 0, &support) != SON_OK || (support & 3) != 3)
        m->drapeauxReverb &= ~2u;
    support = 0;
    if (b.jeuProprietes == nullptr ||
        TamponSon_ProprieteSupport(b.jeuProprietes, REVERB_TAMPON, 0, &support) != SON_OK || (support & 3) != 3)
        m->drapeauxReverb &= ~4u;
}

int32_t SND_CreateDSBuffer(SndManager* m, SndSound* son, int32_t instance, int32_t genre) {
    SndBuffer& b = m->tampons[instance];
    uint32_t drapeaux = son->description.drapeaux;
    if (genre == SND_GENRE_3D) drapeaux |= TAMPON_CTRL_3D | TAMPON_MUET_DISTANCE_MAX;
    FormatOnde f = VersFormatOnde(*son->description.format);
    int32_t r = SonObjet_CreerTampon(m->directSound, drapeaux, son->description.octets, &f, &b.tampon);
    if (r != SON_OK) {
        b.tampon = nullptr;
        SND_SetLastError(m, SND_ERR_ALLOCATION_TAMPON, static_cast<uint32_t>(r));
        return 0;
    }
    if (genre == SND_GENRE_3D) {
        if (!TamponSon_Est3D(b.tampon)) {
            SND_SetLastError(m, SND_ERR_INTERFACE_3D, static_cast<uint32_t>(SON_ERREUR_INTERDIT));
            return 0;
        }
        b.interface3D = b.tampon;
        b.jeuProprietes = b.tampon;
        if (m->drapeauxReverb & 1u) SND_ProbeReverbSupport(m, instance);
    }
    return 1;
}

int32_t SND_FillBuffer(SndManager* m, int32_t instance, SndSound* son) {
    SndBuffer& b = m->tampons[instance];
    void *p1 = nullptr, *p2 = nullptr;
    uint32_t n1 = 0, n2 = 0;
    int32_t r = TamponSon_Verrouiller(b.tampon, 0, 0, VERROU_TOUT, &p1, &n1, &p2, &n2);
    if (r != SON_OK) {
        SND_SetLastError(m, SND_ERR_VERROU, static_cast<uint32_t>(r));
        return 0;
    }
    uint32_t octets = son->description.octets;
    uint32_t premier = n1 < octets ? n1 : octets;
    std::memcpy(p1, son->donnees, premier);
    if (p2 != nullptr && n2 > 0 && premier < octets) {
        uint32_t reste = octets - premier < n2 ? octets - premier : n2;
        std::memcpy(p2, son->donnees + premier, reste);
    }
    return Resultat(m, TamponSon_Deverrouiller(b.tampon, p1, n1, p2, n2), SND_ERR_DEVERROU);
}

int32_t SND_AttachBuffer(SndManager* m, int32_t instance, SndSound* son) {
    int32_t place = -1;
    for (int32_t k = 0; k < son->capaciteInstances; ++k) {
        if (son->instances[k] == -1) {
            place = k;
            break;
        }
    }
    if (place < 0) {
        auto* t = static_cast<int32_t*>(
            std::realloc(son->instances, sizeof(int32_t) * static_cast<size_t>(son->capaciteInstances + 1)));
        if (t == nullptr) {
            SND_SetLastError(m, SND_ERR_FATALE, 2);
            return 0;
        }
        son->instances = t;
        place = son->capaciteInstances++;
    }
    son->instances[place] = instance;
    ++son->nombreInstances;
    m->tampons[instance].proprietaire = son;
    SND_DebugPrint(m, "Adding buffer %d for sound %s (current=%d,max=%d)", instance, son->nom ? son->nom : "",
                   son->nombreInstances, son->capaciteInstances);
    return 1;
}

int32_t SND_GetBuffer(SndManager* m, SndSound* son, int32_t genre) {
    // 1. A free instance of this sound, of the kind asked for.
    for (int32_t k = 0; k < son->capaciteInstances; ++k) {
        int32_t i = son->instances[k];
        if (!InstanceValide(m, i) || m->tampons[i].tampon == nullptr) continue;
        bool en3D = m->tampons[i].interface3D != nullptr;
        if (en3D == (genre == SND_GENRE_3D) && SND_BufferIsFree(m, i)) return i;
    }
    // 2. Any free instance of the pool, taken from its sound and rebuilt.
    SND_DebugPrint(m, "Can't find ready TSM buffer of specified type with that sound");
    int32_t instance = -1;
    for (int32_t i = 0; i < m->nombreTampons; ++i) {
        SND_DebugPrint(m, "Buffer tested : %x", static_cast<unsigned>(i));
        if (SND_BufferIsFree(m, i)) {
            instance = i;
            break;
        }
    }
    if (instance >= 0) {
        SND_DebugPrint(m, "Founded other TSM 2D/3D buffer no more used %x", static_cast<unsigned>(instance));
        SND_DetachBuffer(m, instance);
        SND_ReleaseBuffer(m, instance);
    } else {
        // 3. A new record in the pool.
        SND_DebugPrint(m, "cannot find another TSM 2D/3D buffer");
        instance = SND_NewBuffer(m);
        if (instance < 0) return -1;
    }
    // 4. Its buffer, holding the sound's data.
    if (!SND_CreateDSBuffer(m, son, instance, genre)) {
        SND_ReleaseBuffer(m, instance);
        return -1;
    }
    SND_DebugPrint(m, "DS Sound buffer of specified type created at %p", static_cast<void*>(m->tampons[instance].tampon));
    if (!SND_FillBuffer(m, instance, son) || !SND_AttachBuffer(m, instance, son)) {
        SND_ReleaseBuffer(m, instance);
        return -1;
    }
    return instance;
}

// ---- buffer settings and play ---------------------------------------------------------------

int32_t SND_VolumeToDb(int32_t min, int32_t max, int32_t v) {
    if (v < min) v = min;
    if (v > max) v = max;
    if (v == min) return -10000;
    if (v == max) return 0;
    return static_cast<int32_t>(std::trunc(-2000.0 * std::log10(static_cast<double>(min + max) / v)));
}

int32_t SND_PanToDb(int32_t min, int32_t max, int32_t v) {
    // 0 is the centre; towards min the right channel fades out, towards max the left one.
    if (v < min) v = min;
    if (v > max) v = max;
    if (v < 0) return SND_VolumeToDb(0, -min, -min + v);
    if (v > 0) return -SND_VolumeToDb(0, max, max - v);
    return 0;
}

int32_t SND_SetBufferVolume(SndManager* m, int32_t instance, int32_t volume) {
    if (volume < 0 || volume > 100) return Argument(m, 2);
    if (!InstanceValide(m, instance)) return Argument(m, 1);
    return Resultat(m, TamponSon_Volume(m->tampons[instance].tampon, SND_VolumeToDb(0, 100, volume)), SND_ERR_VOLUME);
}

int32_t SND_SetBufferPan(SndManager* m, int32_t instance, int32_t pan) {
    if (!InstanceValide(m, instance)) return Argument(m, 1);
    return Resultat(m, TamponSon_Pan(m->tampons[instance].tampon, SND_PanToDb(-100, 100, pan)), SND_ERR_PAN);
}

int32_t SND_SetBufferFrequency(SndManager* m, int32_t instance, uint32_t frequence) {
    if (!InstanceValide(m, instance)) return Argument(m, 1);
    if (frequence != 0) frequence = frequence < 100 ? 100 : frequence > 100000 ? 100000 : frequence;
    return Resultat(m, TamponSon_Frequence(m->tampons[instance].tampon, frequence), SND_ERR_FREQUENCE);
}

int32_t SND_SetBufferPosition(SndManager* m, int32_t instance, uint32_t position) {
    if (!InstanceValide(m, instance)) return Argument(m, 1);
    return Resultat(m, TamponSon_PlacerLecture(m->tampons[instance].tampon, position), SND_ERR_POSITION);
}

int32_t SND_PlayBuffer(SndManager* m, int32_t instance, uint32_t drapeaux) {
    if (!InstanceValide(m, instance)) return Argument(m, 1);
    SND_SetBufferPan(m, instance, m->panDefaut);
    SND_SetBufferVolume(m, instance, m->volumeDefaut);
    SND_SetBufferFrequency(m, instance, static_cast<uint32_t>(m->frequenceDefaut));
    SND_SetBufferPosition(m, instance, static_cast<uint32_t>(m->positionDefaut));
    return Resultat(m, TamponSon_Jouer(m->tampons[instance].tampon, drapeaux == 1 ? JOUER_BOUCLE : 0u), SND_ERR_JOUER);
}

// ---- 3D -------------------------------------------------------------------------------------

int32_t SND_CommitListener(SndManager* m) {
    if (!Mode3D(m)) return 0;
    if (m->ecouteur.taille != TAILLE_SND_3DLISTENER || m->ecouteur.interface == nullptr) {
        SND_SetLastError(m, SND_ERR_PAS_D_ECOUTEUR, 0);
        return 0;
    }
    if (m->ecouteurChange) {
        const SndListenerRecord& l = m->ecouteur.ecouteur;
        ParametresEcouteurSon p;
        Copier3(p.position, l.position);
        Copier3(p.vitesse, l.vitesse);
        Copier3(p.avant, l.avant);
        Copier3(p.haut, l.haut);
        p.facteurDistance = l.facteurDistance;
        p.facteurAttenuation = l.facteurAttenuation;
        p.facteurDoppler = l.facteurDoppler;
        EcouteurSon_Parametres(m->ecouteur.interface, &p);
        m->ecouteurChange = 0;
    }
    return 1;
}

int32_t SND_ApplyBuffer3DParams(SndManager* m, int32_t instance, Snd3DParams* parametres) {
    if (!Mode3D(m)) return 0;
    if (!InstanceValide(m, instance) || m->tampons[instance].taille != TAILLE_SND_BUFFER) return Argument(m, 1);
    if (parametres == nullptr || parametres->taille != TAILLE_SND_3DPARAMS) return Argument(m, 2);
    const Snd3DBuffer& s = parametres->tampon3D;
    PlacementSon3D p;
    Copier3(p.position, s.position);
    Copier3(p.vitesse, s.vitesse);
    p.angleConeInterieur = s.angleConeInterieur;
    p.angleConeExterieur = s.angleConeExterieur;
    Copier3(p.orientationCone, s.orientationCone);
    p.volumeExterieurCone = s.volumeExterieurCone;
    p.distanceMin = s.distanceMin;
    p.distanceMax = s.distanceMax;
    p.mode = s.mode;
    TamponSon_Parametres3D(m->tampons[instance].interface3D, &p);
    return 1;
}

int32_t SND_Play3D(SndManager* m, SndSound* son, Snd3DParams* parametres, int32_t boucle) {
    if (!Ouvert(m)) return 0;
    // A freed sound keeps its size word but has no data or format left to make a buffer from.
    if (son == nullptr || son->taille != TAILLE_SND_SOUND || son->donnees == nullptr || son->description.format == nullptr)
        return Argument(m, 1);
    if (parametres == nullptr || parametres->taille != TAILLE_SND_3DPARAMS) return Argument(m, 2);
    if (boucle != 0 && boucle != 1) return Argument(m, 3);
    if (!Mode3D(m)) return 0;
    SND_DebugPrint(m, "Playing 3D sound %s", son->nom ? son->nom : "");
    int32_t instance = SND_GetBuffer(m, son, SND_GENRE_3D);
    if (instance < 0) return 0;
    SND_CommitListener(m);
    SND_ApplyBuffer3DParams(m, instance, parametres);
    if (!SND_PlayBuffer(m, instance, static_cast<uint32_t>(boucle))) return 0;
    m->derniereInstance = instance;
    SND_DebugPrint(m, "Playing DS 3D sound buffer at %p. Sound instance=%d",
                   static_cast<void*>(m->tampons[instance].tampon), instance);
    return 1;
}

int32_t SND_SetSoundVolume(SndManager* m, SndSound* son, int32_t volume) {
    if (!Ouvert(m)) return 0;
    if (son == nullptr || son->taille != TAILLE_SND_SOUND) return Argument(m, 1);
    if (volume < 0 || volume > 100) return Argument(m, 2);
    for (int32_t k = 0; k < son->capaciteInstances; ++k) {
        int32_t i = son->instances[k];
        if (i == -1 || !InstanceValide(m, i)) continue;
        if (!SND_SetBufferVolume(m, i, volume)) return 0;
    }
    return 1;
}

int32_t SND_SetSound3DParams(SndManager* m, SndSound* son, Snd3DParams* parametres) {
    if (!Ouvert(m)) return 0;
    if (son == nullptr || son->taille != TAILLE_SND_SOUND) return Argument(m, 1);
    if (parametres == nullptr || parametres->taille != TAILLE_SND_3DPARAMS) return Argument(m, 2);
    if (!Mode3D(m)) return 0;
    for (int32_t k = 0; k < son->capaciteInstances; ++k) {
        int32_t i = son->instances[k];
        if (i == -1 || !InstanceValide(m, i)) continue;
        if (m->tampons[i].interface3D == nullptr) return 0;
        SND_ApplyBuffer3DParams(m, i, parametres);
    }
    return 1;
}

int32_t SND_SetListenerPosition(SndManager* m, const float* vecteur) {
    if (!Ouvert(m)) return 0;
    if (vecteur == nullptr) return Argument(m, 1);
    if (!Mode3D(m)) return 0;
    if (m->ecouteur.taille != TAILLE_SND_3DLISTENER || m->ecouteur.interface == nullptr) {
        SND_SetLastError(m, SND_ERR_PAS_D_ECOUTEUR, 0);
        return 0;
    }
    Coordonnees(m, vecteur, m->ecouteur.ecouteur.position);
    m->ecouteurChange = 1;
    return 1;
}

int32_t SND_Default3DParams(SndManager* m, Snd3DParams* parametres) {
    if (!Ouvert(m)) return 0;
    if (parametres == nullptr) return Argument(m, 1);
    if (!Mode3D(m)) return 0;
    parametres->taille = TAILLE_SND_3DPARAMS;
    Snd3DBuffer& b = parametres->tampon3D;
    b.taille = TAILLE_SND_3DBUFFER;
    Vecteur(b.position, 0, 0, 0);
    Vecteur(b.vitesse, 0, 0, 0);
    b.angleConeInterieur = 0;
    b.angleConeExterieur = 0;
    Vecteur(b.orientationCone, 1.0f, 0, 0);
    b.volumeExterieurCone = 0;
    b.distanceMin = 1.0f;
    b.distanceMax = 1e9f;
    b.mode = 0;
    return 1;
}

int32_t SND_Set3DPosition(SndManager* m, Snd3DParams* parametres, const float* vecteur) {
    if (!Ouvert(m)) return 0;
    if (!Mode3D(m)) return 0;
    if (parametres == nullptr || parametres->taille != TAILLE_SND_3DPARAMS) return Argument(m, 1);
    if (vecteur == nullptr) return Argument(m, 2);
    Coordonnees(m, vecteur, parametres->tampon3D.position);
    return 1;
}
