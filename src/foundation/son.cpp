#include "foundation/son.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <vector>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <unordered_map>
#include <utility>

#include "foundation/ecran.h"
#include "platform/cd.h"
#include "platform/profil.h"
#include "platform/son.h"
#include "platform/temps.h"
#include "shell/trame.h"

Ressource* ListeRessources = nullptr;
int32_t ProchainIdRessource = 0;

SndManager* GestionnaireSon = nullptr;
SndDevice* PeripheriqueSon = nullptr;
Snd3DParams Parametres3DSon = {};
float PositionSon[3] = {0, 0, 0};

uint32_t PeripheriqueCD = 0;
int32_t PisteCD = -1;
int32_t PisteCDDemandee = -1;
int32_t AuxCD = -1;
int32_t AuxSons = -1;
uint32_t VolumeAuxCDInitial = 0;
uint32_t VolumeAuxSonsInitial = 0;
int32_t VolumeMusique = 100;
int32_t VolumeSons = 100;
void* ObjetDirectSound = nullptr;

namespace {

void LibererDonnees(Ressource* r) {
    // The sample's sound record is freed by the unload; what is left is the record itself.
    std::free(r->donnees);
    r->donnees = nullptr;
}

// Decimal conversion that stops at the first character not part of a number, clamped to 32 bits.
int32_t Entier(const char* texte) {
    errno = 0;
    long long v = std::strtoll(texte, nullptr, 10);
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(v);
}

// Plays entry (1, id) at PositionSon when it is older than `seuil` ms.
void Jouer(int32_t id, uint32_t seuil) {
    if (GestionnaireSon == nullptr) return;
    Ressource* r = Ressource__Cherche(RESSOURCE_SON, id);
    if (r == nullptr) return;
    // An entry never taken is old enough, whatever the tick count (even in the first 100 ms).
    if (r->charge && Ressource__Age(r) <= seuil) return;
    auto* e = static_cast<EchantillonSon*>(Ressource__Prend(r));
    if (e == nullptr) return;
    SND_C_Set3DPosition(GestionnaireSon, &Parametres3DSon, PositionSon);
    SND_C_Play3D(GestionnaireSon, &e->son, &Parametres3DSon, 0);
    SND_C_SetVolume(GestionnaireSon, &e->son, e->volume);
    SND_C_Set3DParams(GestionnaireSon, &e->son, &Parametres3DSon);
}

void AuxVolume(int32_t aux, int32_t pourcent) {
    if (aux == -1) return;
    if (pourcent < 0) pourcent = 0;
    if (pourcent > 100) pourcent = 100;
    uint32_t w = static_cast<uint32_t>(pourcent) * 65535u / 100u;
    Aux_EcrireVolume(aux, w | (w << 16));
}

}  // namespace

// ---- the sound cache ------------------------------------------------------------------------

void Ressource__Initialisation() { ListeRessources = nullptr; }

int32_t Ressource__Ajoute(int32_t type, int32_t delai, const char* nom, int32_t id) {
    if (nom == nullptr || (type != RESSOURCE_SON && type != RESSOURCE_VIDE)) return -1;
    auto* r = static_cast<Ressource*>(std::calloc(1, sizeof(Ressource)));
    if (r == nullptr) return -1;
    if (type == RESSOURCE_SON) {
        r->donnees = Son__NouvelEchantillon();
        if (r->donnees == nullptr) {
            std::free(r);
            return -1;
        }
    }
    if (id == -1) {
        id = ProchainIdRessource++;
    } else if (id >= ProchainIdRessource) {
        ProchainIdRessource = id == INT32_MAX ? id : id + 1;
    }
    r->id = id;
    r->charge = 0;
    r->type = type;
    r->delaiInactivite = delai;
    r->dernierUsage = 0;
    r->nom = ::strdup(nom);
    r->precedent = nullptr;
    r->suivant = ListeRessources;
    if (ListeRessources != nullptr) ListeRessources->precedent = r;
    ListeRessources = r;
    return id;
}

Ressource* Ressource__Cherche(int32_t type, int32_t id) {
    if (id == -1) return nullptr;
    for (Ressource* r = ListeRessources; r != nullptr; r = r->suivant)
        if (r->type == type && r->id == id) return r;
    return nullptr;
}

void* Ressource__Prend(Ressource* entree) {
    if (entree == nullptr) return nullptr;
    entree->dernierUsage = Temps_Ticks();
    if (!entree->charge) {
        if (entree->type == RESSOURCE_SON) {
            Son__ChargeEchantillon(entree->nom, static_cast<EchantillonSon*>(entree->donnees));
        } else if (entree->type != RESSOURCE_VIDE) {
            return nullptr;
        }
        entree->charge = 1;   // a failed load is not tried again
    }
    return entree->donnees;
}

void* Ressource__PrendId(int32_t type, int32_t id) { return Ressource__Prend(Ressource__Cherche(type, id)); }

uint32_t Ressource__Age(Ressource* entree) {
    if (entree == nullptr) return 0xFFFFFFFFu;
    return Temps_Ticks() - entree->dernierUsage;
}

uint32_t Ressource__AgeId(int32_t type, int32_t id) { return Ressource__Age(Ressource__Cherche(type, id)); }

void* Ressource__Donnees(Ressource* entree) { return entree ? entree->donnees : nullptr; }
void* Ressource__DonneesId(int32_t type, int32_t id) { return Ressource__Donnees(Ressource__Cherche(type, id)); }

void Ressource__Decharge(Ressource* entree) {
    if (entree == nullptr || !entree->charge) return;
    if (entree->type == RESSOURCE_SON) Son__LibereEchantillon(static_cast<EchantillonSon*>(entree->donnees));
    entree->charge = 0;
}

void Ressource__Retire(Ressource* entree) {
    if (entree == nullptr) return;
    Ressource__Decharge(entree);
    std::free(entree->nom);
    LibererDonnees(entree);
    if (entree->precedent != nullptr) entree->precedent->suivant = entree->suivant;
    else ListeRessources = entree->suivant;
    if (entree->suivant != nullptr) entree->suivant->precedent = entree->precedent;
    std::free(entree);
}

void Ressource__RetireType(int32_t type) {
    if (type != RESSOURCE_SON && type != RESSOURCE_VIDE) return;
    Ressource* r = ListeRessources;
    while (r != nullptr) {
        Ressource* suivant = r->suivant;
        if (r->type == type) Ressource__Retire(r);
        r = suivant;
    }
}

void Ressource__Fin() {
    while (ListeRessources != nullptr) Ressource__Retire(ListeRessources);
}

// ---- samples --------------------------------------------------------------------------------

EchantillonSon* Son__NouvelEchantillon() {
    // Cleared: the sound's size word becomes 44 only after a successful load.
    return static_cast<EchantillonSon*>(std::calloc(1, sizeof(EchantillonSon)));
}

void Son__ChargeEchantillon(const char* nom, EchantillonSon* echantillon) {
    if (GestionnaireSon != nullptr && nom != nullptr && echantillon != nullptr)
        SND_C_LoadWave(GestionnaireSon, nom, &echantillon->son);
}

void Son__LibereEchantillon(EchantillonSon* echantillon) {
    if (GestionnaireSon != nullptr && echantillon != nullptr && echantillon->son.taille == TAILLE_SND_SOUND)
        SND_C_FreeSound(GestionnaireSon, &echantillon->son);
}

int32_t Son__Enregistre(const char* chemin, int32_t id, int32_t delai, int32_t volume) {
    if (GestionnaireSon == nullptr) return -1;
    if (volume < 0) volume = 0;
    if (volume > 100) volume = 100;
    int32_t r = Ressource__Ajoute(RESSOURCE_SON, delai, chemin, id);
    if (r == -1) return -1;
    // The new entry is at the head of the list.
    Ressource* entree = ListeRessources;
    if (entree == nullptr || entree->donnees == nullptr) return -1;
    static_cast<EchantillonSon*>(entree->donnees)->volume = volume;
    return r;
}

// ---- plays ----------------------------------------------------------------------------------

void Son__Joue(int32_t id) {
    if (GestionnaireSon == nullptr) return;
    PositionSon[0] = 0.0f;
    PositionSon[1] = 0.0f;
    PositionSon[2] = 1.0f;
    Jouer(id, 100);
}

void Son__JoueIntervalle(int32_t id, int32_t millisecondes) {
    if (GestionnaireSon == nullptr) return;
    PositionSon[0] = 0.0f;
    PositionSon[1] = 0.0f;
    PositionSon[2] = 1.0f;
    Jouer(id, millisecondes < 0 ? 0u : static_cast<uint32_t>(millisecondes));
}

void Son__JoueEnPosition(int32_t id, int32_t x, int32_t y) {
    int32_t dx = x - RepereX - LargeurEcran / 48;
    int32_t dy = y - RepereY - HauteurEcran / 48;
    if (GestionnaireSon == nullptr) return;
    PositionSon[0] = static_cast<float>(dx) * 0.1f;
    PositionSon[1] = static_cast<float>(dy) * 0.1f;
    PositionSon[2] = 0.9f;
    if (std::abs(dx) > LargeurEcran / 12 || std::abs(dy) > HauteurEcran / 12) return;
    Jouer(id, 100);
}

void Son__EcouteurRAZ() {
    if (GestionnaireSon == nullptr) return;
    PositionSon[0] = 0.0f;
    PositionSon[1] = 0.0f;
    PositionSon[2] = 1.0f;
    SND_C_SetListenerPosition(GestionnaireSon, PositionSon);
}

// ---- start and end --------------------------------------------------------------------------

void Son__Initialisation(HandleFenetre fenetre) {
    // 1. The auxiliary devices: the CD's, then below it the sounds'.
    for (int i = Aux_Nombre() - 1; i >= 0; --i) {
        CapacitesAux capacites;
        if (!Aux_Capacites(i, &capacites)) continue;
        uint32_t volume = 0;
        if (AuxCD == -1) {
            if (capacites.technologie == AUX_TECHNOLOGIE_CD) {
                AuxCD = i;
                Aux_LireVolume(i, &volume);
                VolumeAuxCDInitial = volume;
                VolumeMusique = static_cast<int32_t>((volume & 0xFFFFu) * 100u / 65535u);
            }
        } else if (AuxSons == -1 && capacites.technologie == AUX_TECHNOLOGIE_SONS) {
            AuxSons = i;
            Aux_LireVolume(i, &volume);
            VolumeAuxSonsInitial = volume;
            VolumeSons = static_cast<int32_t>((volume & 0xFFFFu) * 100u / 65535u);
        }
    }
    // 2. The sound library, in 3D mode on the first device.
    GestionnaireSon = SND_Create();
    if (GestionnaireSon != nullptr) {
        SND_C_CheckVersion(GestionnaireSon, 1);
        if (SND_C_GetDeviceCount(GestionnaireSon) > 0) {
            PeripheriqueSon = SND_C_GetDevice(GestionnaireSon, 0);
            if (PeripheriqueSon != nullptr && SND_C_Open(GestionnaireSon, fenetre, PeripheriqueSon, SND_MODE_3D)) {
                SND_C_Default3DParams(GestionnaireSon, &Parametres3DSon);
                Son__EcouteurRAZ();
            }
        }
    }
    ObjetDirectSound = Son__DirectSound();
    // 3. The CD.
    if (PeripheriqueCD == 0) {
        uint32_t id = 0;
        int32_t r = CD_Ouvrir("cdaudio", &id);
        if (r != CD_OK) {
            char texte[260];
            if (!CD_TexteErreur(r, texte, sizeof texte)) std::snprintf(texte, sizeof texte, "CD error %d", r);
            Trace_Debogueur(texte);
            PeripheriqueCD = 0;
        } else {
            PeripheriqueCD = id;
        }
    }
}

void Son__Fin() {
    if (AuxSons != -1) Aux_EcrireVolume(AuxSons, VolumeAuxSonsInitial);
    if (AuxCD != -1) Aux_EcrireVolume(AuxCD, VolumeAuxCDInitial);
    if (PeripheriqueCD != 0) {
        if (PisteCD != -1) CD__Arrete();
        CD_Fermer(PeripheriqueCD);
        PeripheriqueCD = 0;
    }
    if (GestionnaireSon != nullptr) {
        Ressource__RetireType(RESSOURCE_SON);
        SND_C_Close(GestionnaireSon);
        SND_Delete(GestionnaireSon);
        GestionnaireSon = nullptr;
        PeripheriqueSon = nullptr;
    }
    ObjetDirectSound = nullptr;
}

// ---- the sound list -------------------------------------------------------------------------

char* Son__LectureMot(char* texte) {
    if (texte == nullptr) return nullptr;
    auto separateur = [](char c) { return c == ' ' || c == ',' || c == ';'; };
    char* p = texte;
    while (*p != 0 && separateur(*p)) ++p;
    if (*p == 0) return nullptr;
    char* debut = p;
    while (*p != 0 && *p != ',' && *p != ';') ++p;
    if (*p == 0) return nullptr;   // the last token stays as it is
    char* fin = p;
    while (fin > debut && fin[-1] == ' ') --fin;
    *fin = 0;
    ++p;
    while (*p != 0 && separateur(*p)) ++p;
    return *p != 0 ? p : nullptr;
}

void Son__LectureListe(const char* fichier) {
    if (fichier == nullptr) return;
    std::string repertoire;
    {
        char tampon[4096];
        if (::getcwd(tampon, sizeof tampon) != nullptr) repertoire = tampon;
    }
    std::string chemin = repertoire + "\\" + fichier;
    int32_t maximum = Profil_LireEntier("LIST", "MAXNUMBER", -1, chemin.c_str());
    if (maximum < 0) return;
    // Keys from MAXNUMBER down to 0; only those present can give a value, so only those are
    // looked up (a huge MAXNUMBER costs nothing).
    // The list read whole once, each key's value its first one.
    const std::vector<std::pair<std::string, std::string>> entrees = Profil_LireSection("LIST", chemin.c_str());
    std::unordered_map<std::string, const std::string*> valeurs;
    std::vector<int32_t> numeros;
    for (const auto& [k, texte] : entrees) {
        valeurs.emplace(k, &texte);
        char* fin = nullptr;
        errno = 0;
        long long v = std::strtoll(k.c_str(), &fin, 10);
        if (errno != 0 || fin == k.c_str() || *fin != 0 || v < 0 || v > maximum) continue;
        char forme[24];
        std::snprintf(forme, sizeof forme, "%lld", v);
        if (k == forme) numeros.push_back(static_cast<int32_t>(v));
    }
    std::sort(numeros.begin(), numeros.end(), std::greater<int32_t>());
    numeros.erase(std::unique(numeros.begin(), numeros.end()), numeros.end());
    for (int32_t n : numeros) {
        char cle[16];
        std::snprintf(cle, sizeof cle, "%d", n);
        char valeur[260];
        const auto trouvee = valeurs.find(cle);
        const size_t longueur = trouvee == valeurs.end() ? 0 : std::min(trouvee->second->size(), sizeof valeur - 1);
        if (longueur > 0) std::memcpy(valeur, trouvee->second->data(), longueur);
        valeur[longueur] = 0;
        if (valeur[0] == 0) continue;
        int64_t secondes = -1;
        int32_t volume = 100;
        char* suite = Son__LectureMot(valeur);
        if (suite != nullptr) {
            secondes = Entier(suite);
            char* apres = Son__LectureMot(suite);
            if (apres != nullptr) volume = Entier(apres);
        }
        std::string son = std::string("..\\Son\\") + valeur + ".wav";
        if (secondes != -1) {
            int64_t ms = secondes * 1000;
            if (ms > INT32_MAX) ms = INT32_MAX;
            if (ms < INT32_MIN) ms = INT32_MIN;
            Son__Enregistre(son.c_str(), n, static_cast<int32_t>(ms), volume);
        } else {
            Son__Enregistre(son.c_str(), n, -1, 100);
        }
    }
}

// ---- CD audio and volumes -------------------------------------------------------------------

void CD__Joue(int32_t piste) {
    PisteCDDemandee = piste;
    if (PeripheriqueCD == 0 || piste == -1) return;
    if (CD_FormatTemps(PeripheriqueCD, CD_FORMAT_TMSF) != CD_OK) {
        Trace_Debogueur("Unable to play the track");
        return;
    }
    PisteCD = piste;
    uint32_t de = CD_Tmsf(static_cast<uint32_t>(piste) & 255u);
    uint32_t a = CD_Tmsf(static_cast<uint32_t>(piste + 1) & 255u);
    if (CD_Jouer(PeripheriqueCD, FenetrePrincipale, de, a) != CD_OK) PisteCD = -1;
}

void CD__Arrete() {
    if (PeripheriqueCD == 0 || PisteCD == -1) return;
    PisteCD = -1;
    CD_Arreter(PeripheriqueCD);
}

void CD__Pause() {
    if (PeripheriqueCD == 0 || PisteCD == -1) return;
    CD_Pause(PeripheriqueCD);
}

void CD__Reprise() {
    if (PeripheriqueCD == 0 || PisteCD == -1) return;
    if (CD_Reprendre(PeripheriqueCD) != CD_OK) CD__Joue(PisteCD);
}

void CD__Redemarre() {
    if (PisteCD == -1) return;
    int32_t piste = PisteCD;
    CD__Arrete();
    CD__Joue(piste);
}

void CD__Volume(int32_t pourcent) { AuxVolume(AuxCD, pourcent); }
void Son__VolumeAux(int32_t pourcent) { AuxVolume(AuxSons, pourcent); }

SonObjet* Son__DirectSound() { return GestionnaireSon ? SND_C_GetDirectSound(GestionnaireSon) : nullptr; }
