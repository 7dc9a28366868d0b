#include "campaign/chargement_armees.h"

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "campaign/armee.h"
#include "campaign/armee_fichiers.h"
#include "campaign/campagne.h"
#include "shell/chefs.h"
#include "campaign/catalogue.h"
#include "campaign/deploiement.h"
#include "campaign/variables.h"
#include "foundation/erreurs.h"
#include "platform/fichiers.h"

int32_t RegimentsCharges[MAX_REGIMENTS_CHARGES] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                                                   -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
int32_t NombreRegimentsCharges = 0;

namespace {

using Flux = std::unique_ptr<FILE, int (*)(FILE*)>;

// The sections of each regiment (by its number) that found no place on the map: they sit out the
// battle and are written back with the survivors.
std::map<int32_t, std::unique_ptr<ListeExtensible<Section>>> SectionsNonPosees;

std::string CheminRegimentJoueur(int32_t numeroJoueur, int32_t numero) {
    char chemin[128];
    if (numeroJoueur == 0)
        std::snprintf(chemin, sizeof chemin, "..\\tmp\\Joueur0\\regiment%d.txt", numero);
    else
        std::snprintf(chemin, sizeof chemin, "..\\Armees\\Joueur%d\\regiment%d.txt", numeroJoueur, numero);
    return chemin;
}

void ViderNonPosees(int32_t numero) { SectionsNonPosees.erase(numero); }

// Reads and deploys one regiment file; the catalogue of the player number is read for it.
int32_t ChargerEtPoser(int32_t numeroJoueur, const std::string& chemin, const char* messageAbsent, int32_t direction,
                       int32_t camp, int32_t numero) {
    Catalogue__charger(numeroJoueur);
    Flux f(Fichier_Ouvrir(chemin.c_str(), "rt"), std::fclose);
    if (f == nullptr) Erreur_Fatale("Erreur", messageAbsent, chemin.c_str());
    std::unique_ptr<Regiment> r(chargerRegiment(f.get()));
    f.reset();
    int32_t resultat = -1;
    if (r && r->sections.nombre > 0) {
        if (numero >= 0) r->id = numero;
        int32_t posees = 0;
        resultat = Regiment__poserSurCarte(r.get(), direction, camp, &posees);
        ViderNonPosees(r->id);
        auto gardees = std::make_unique<ListeExtensible<Section>>();
        // The units a placed section left out of its layout sit out the battle as a section of their own.
        for (int32_t i = 0; i < posees; ++i) {
            Section* s = r->sections[i];
            const std::vector<int32_t> hors = Section__horsDisposition(s);
            if (hors.empty()) continue;
            std::vector<Unite*> unites;
            for (auto k = hors.rbegin(); k != hors.rend(); ++k) unites.insert(unites.begin(), s->unites.retirer(*k));
            Section* reste = creerSection(s->nom, s->typeSection, s->niveauChateau, nullptr);
            for (Unite* u : unites) Section__ajouterUnite(reste, u);
            gardees->ajouter(reste);
        }
        if (posees < r->sections.nombre)
            Avertissement("Déploiement", "Régiment %s : %d section(s) sans place sur la carte, gardée(s) hors de la bataille",
                          r->nom.c_str(), r->sections.nombre - posees);
        while (r->sections.nombre > posees) gardees->ajouter(Regiment__retirerSection(r.get(), posees));
        if (gardees->nombre > 0) SectionsNonPosees[r->id] = std::move(gardees);
    }
    r.reset();
    Catalogue__liberer();
    return resultat;
}

// Written beside the target and renamed over it; a failure is reported and leaves the target as it was.
void CopierSur(const std::string& source, const std::string& destination) {
    std::string contenu;
    bool ok = Fichier_LireTout(source.c_str(), &contenu);
    if (ok) {
        EcritureSure ecriture(destination);
        ok = ecriture.Flux() != nullptr;
        if (ok) std::fwrite(contenu.data(), 1, contenu.size(), ecriture.Flux());
        ok = ok && ecriture.Valider();
    }
    if (!ok) Avertissement("Campagne__CopieFichiers()", "Copie impossible : %s vers %s", source.c_str(), destination.c_str());
}

const char* const DOSSIERS_CAMPAGNES[5] = {"Tutorial", "Morvane", "Justice", "Empire", "Lumiere"};

void CopierCatalogues(int32_t campagne) {
    const std::string source = campagne == 5 ? std::string("..\\Skirmish\\sections\\")
                                             : std::string("..\\Campagnes\\") + DOSSIERS_CAMPAGNES[campagne] + "\\sections\\";
    for (const char* camp : {"Morvane", "Empire", "Justice", "Lumiere"})
        CopierSur(source + camp + ".txt", std::string("..\\sections\\") + camp + ".txt");
}

}  // namespace

void Armee__viderRegimentsCharges() {
    for (int32_t& n : RegimentsCharges) n = -1;
    NombreRegimentsCharges = 0;
    SectionsNonPosees.clear();
}

void Armee__reprendreSectionsNonPosees(Regiment* regiment) {
    auto it = SectionsNonPosees.find(regiment->id);
    if (it == SectionsNonPosees.end()) return;
    ListeExtensible<Section>& l = *it->second;
    while (l.nombre > 0) Regiment__ajouterSection(regiment, l.retirer(0));
    SectionsNonPosees.erase(it);
}

int32_t Armee__regimentDejaCharge(int32_t numero) {
    for (int32_t i = 0; i < NombreRegimentsCharges && i < MAX_REGIMENTS_CHARGES; ++i)
        if (RegimentsCharges[i] == numero) return 1;
    return 0;
}

int32_t Armee__chargerEnnemi(int32_t camp, const char* fichier, int32_t direction, int32_t numeroJoueur) {
    RestrictionsCatalogue = 0;
    const int32_t r = ChargerEtPoser(numeroJoueur, fichier ? fichier : "", "fichier nmi %s non trouvé", direction,
                                     camp, -1);
    RestrictionsCatalogue = 1;
    return r;
}

int32_t Armee__chargerRegimentJoueur(int32_t numeroJoueur, int32_t numero, int32_t direction) {
    if (NombreRegimentsCharges < MAX_REGIMENTS_CHARGES && !Armee__regimentDejaCharge(numero))
        RegimentsCharges[NombreRegimentsCharges++] = numero;
    DeploiementEnCours = 1;
    const int32_t r = ChargerEtPoser(numeroJoueur, CheminRegimentJoueur(numeroJoueur, numero), "fichier %s non trouvé",
                                     direction, numeroJoueur, numero);
    DeploiementEnCours = 0;
    return r;
}

int32_t Armee__chargerFichier(int32_t numeroJoueur, const char* fichier, int32_t direction, int32_t camp) {
    return ChargerEtPoser(numeroJoueur, fichier ? fichier : "", "fichier %s non trouvé", direction, camp, -1);
}

void Armee__copierRegimentTmp(int32_t numeroJoueur, const int32_t* survivants) {
    if (NombreRegimentsCharges == 0) return;   // a battle of no regiment of the player
    Catalogue__charger(numeroJoueur);
    // The regiments of the battle are written back as one set: all of them, or none.
    EcritureGroupee ecriture;
    std::string echec, premier;
    for (int32_t i = 0; i < MAX_REGIMENTS && echec.empty(); ++i) {
        if (!Armee__regimentDejaCharge(i)) continue;
        const std::string chemin = CheminRegimentJoueur(numeroJoueur, i);
        const bool vivant = survivants && survivants[i];
        const bool gardees = SectionsNonPosees.count(i) > 0;
        std::unique_ptr<Regiment> r;
        if (vivant || gardees) {
            Flux f(Fichier_Ouvrir(chemin.c_str(), "rt"), std::fclose);
            if (f == nullptr) Erreur_Fatale("Erreur", "fichier %s non trouvé", chemin.c_str());
            const std::string nom = Regiment__lireNom(f.get());
            f.reset();
            if (vivant)
                r.reset(Regiment__depuisCarte(nom, numeroJoueur, i));
            else
                r.reset(creerRegiment(nom, i, nullptr));
            Armee__reprendreSectionsNonPosees(r.get());
        }
        if (premier.empty()) premier = chemin;
        FILE* f = ecriture.Ouvrir(chemin);
        if (f == nullptr) echec = chemin;
        else Regiment__sauvegarder(r.get(), f);
    }
    if (echec.empty() && !ecriture.Valider()) echec = premier;
    if (!echec.empty()) Avertissement("Erreur", "Impossible de créer le fichier %s", echec.c_str());
    Catalogue__liberer();
}

void Campagne__CopieFichiers(int32_t campagne) {
    if (campagne < 0 || campagne > 5) return;
    OrAffiche = 0;
    CopierCatalogues(campagne);
    if (campagne != 5) {
        // The working folders of a fresh installation.
        for (const char* dossier : {"..\\armees", "..\\armees\\Joueur0", "..\\tmp", "..\\tmp\\Joueur0"})
            Repertoire_Creer(dossier);
        const std::string armee = std::string("..\\Campagnes\\") + DOSSIERS_CAMPAGNES[campagne] + "\\armee\\";
        for (const char* fichier : {"entete_armee.txt", "regiment0.txt"}) {
            CopierSur(armee + fichier, std::string("..\\armees\\Joueur0\\") + fichier);
            CopierSur(armee + fichier, std::string("..\\tmp\\Joueur0\\") + fichier);
        }
        if (campagne >= 1) {
            CopierSur(armee + "reserve.txt", "..\\armees\\reserve.txt");
            TableChefs[1].maitre = 120;
        }
        static const char* const DEBUTS[5] = {"Morvane", "Morvane", "Justice", "Empire", "Lumiere"};
        CopierSur(std::string("..\\Ini\\VariablesDebut") + DEBUTS[campagne] + ".txt", "..\\Ini\\Variables.txt");
        OrJoueur = campagne == 0 ? 0 : 2500;
    }
    Variables__charger();
}

void Campagne__CopieSections(int32_t campagne) {
    if (campagne < 0 || campagne > 5) return;
    CopierCatalogues(campagne);
    if (campagne >= 1 && campagne <= 4) TableChefs[1].maitre = 120;
}
