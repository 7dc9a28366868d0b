// Death of objects: the delay list and the release, morale and rout, counters, groups, corpses.
#include <cstring>

#include "battle/cadavres.h"
#include "foundation/journal.h"
#include "frontend/localisation.h"
#include "monde_fixture.h"
#include "shell/scenario.h"
#include "world/groupes.h"
#include "world/mort.h"

namespace {

constexpr int SOLDAT = 0, DECOR = 1, MACHINE = 2, CADAVRE = 308, FORTIFICATION = 433;

class Mort : public Monde {
  protected:
    void SetUp() override {
        Monde::SetUp();
        std::vector<std::pair<std::string, std::string>> maitres(434, {"-", ""});
        maitres[SOLDAT] = {"soldat", FicheMaitre()};
        maitres[DECOR] = {"decor", FicheMaitre("DECORS")};
        maitres[MACHINE] = {"machine", FicheMaitre("MACHINES__DE__GUERRE")};
        maitres[FORTIFICATION] = {"fortification", FicheMaitre("HUMAIN")};
        maitres[CADAVRE] = {"cadavre", FicheMaitre("CADAVRE")};
        MondeAvec(maitres);
        TemporisationMortNbr = 0;
        NombreObjetsMorts = 0;
        PopulationParType.fill(0);
        Messages_Initialisation();
        JournalActif = 1;
    }
    void TearDown() override {
        Messages_Liberation();
        Monde::TearDown();
    }
    // A group of n soldiers in a row at (10, y); its members' morale set.
    int NouveauGroupe(int n, int moral = 3, int y = 10, int t = SOLDAT) {
        int g = Groupe___Creation(t, 2, 10, y, n, 1, 0);
        for (int i = 0; i < n; ++i) TableObjets[TableGroupes[g].membres[i]].moral = moral;
        return g;
    }
    static int Membre(int g, int i) { return TableGroupes[g].membres[i]; }
    // Corpses lying on the map.
    static int Cadavres() {
        int n = 0;
        for (const Objet& o : TableObjets) n += o.noeudListe != nullptr && o.typeMaitre == CADAVRE && o.ordreSecondaire != 4;
        return n;
    }
    // Members 1.. at 1 hit point against 300 initial: the others hold less than a third.
    static void Affaiblir(int g) {
        TableGroupes[g].pointsDeVieInitiaux = 300;
        for (int i = 0; i < TableGroupes[g].nbMembres; ++i) TableObjets[Membre(g, i)].pointsDeVie = 1;
    }
};

TEST_F(Mort, DelaiPuisListeDesMortsEtLiberation) {
    const int g = NouveauGroupe(3);
    const int a = Membre(g, 0), b = Membre(g, 1), c = Membre(g, 2);
    TableObjets[a].typeLiberation = 2;
    Objet__Mort(a, 2);
    TemporisationMort__Tick();
    Objet__Mort(b, 2);
    Objet__Mort(c, 2);
    // a is dead at once for the world: off the grid and out of its group, but still listed.
    EXPECT_EQ(TableObjets[a].ordreSecondaire, 4);
    EXPECT_EQ(TableObjets[a].mourant, 1);
    EXPECT_EQ(Univers__CaseUnites(10, 10), 0);
    EXPECT_EQ(TableObjets[a].trajet, nullptr);
    EXPECT_NE(TableObjets[a].noeudListe, nullptr);
    ASSERT_EQ(TemporisationMortNbr, 3);
    for (int t = 0; t < 73; ++t) TemporisationMort__Tick();
    EXPECT_EQ(NombreObjetsMorts, 0);
    TemporisationMort__Tick();   // a's 75th tick: the last entry (c) takes its place
    EXPECT_EQ(NombreObjetsMorts, 1);
    EXPECT_EQ(Liste__Valeur(ListeObjetsMorts), a);
    EXPECT_EQ(TemporisationMort[0], c);
    EXPECT_EQ(TemporisationMort[1], b);
    TemporisationMort__Tick();   // b and c both reach 0: b leaves, c moved into its place waits a tick
    EXPECT_EQ(NombreObjetsMorts, 2);
    EXPECT_EQ(TemporisationMortNbr, 1);
    TemporisationMort__Tick();
    EXPECT_EQ(TemporisationMortNbr, 0);
    EXPECT_EQ(NombreObjetsMorts, 3);

    const int avant = NombreObjets;
    ObjetsMorts__Liberation();
    EXPECT_EQ(NombreObjets, avant - 3);
    EXPECT_EQ(NombreObjetsMorts, 0);
    EXPECT_TRUE(Liste__Vide(ListeObjetsMorts));
    for (int i : {a, b, c}) EXPECT_EQ(TableObjets[i].noeudListe, nullptr);
    EXPECT_EQ(ObjetNaissance(SOLDAT, 0, 50, 50, -1, 0), a);   // freed slots are handed out again
}

TEST_F(Mort, SecondeMortIndiceZeroEtRepere) {
    const int g = NouveauGroupe(2);
    const int a = Membre(g, 0);
    Objet__Mort(a, 2);
    TableObjets[a].actif = 1;
    TableObjets[a].compteurRepos = 9;
    const int population = PopulationParType[SOLDAT], attente = TemporisationMortNbr;
    Objet__Mort(a, 2);
    EXPECT_EQ(TableObjets[a].actif, 0);
    EXPECT_EQ(TableObjets[a].compteurRepos, 0);
    EXPECT_EQ(PopulationParType[SOLDAT], population);
    EXPECT_EQ(TemporisationMortNbr, attente);
    EXPECT_EQ(TableGroupes[g].nbMembres, 1);

    // Slot 0 never enters the delay list; the placeholder of water cells never dies.
    Objet__Mort(0, 2);
    EXPECT_EQ(Rapport(), "Objet__Mort(): Objet inexistant : 0");
    EXPECT_EQ(TemporisationMortNbr, attente);
    const int repere = ObjetNaissance(DECOR, ARMEE_REPERE, 1, 1, -1, 0);
    Objet__Mort(repere, 2);
    EXPECT_EQ(TableObjets[repere].ordreSecondaire, 2);
    EXPECT_EQ(Univers__CaseUnites(1, 1), repere);
    EXPECT_EQ(TemporisationMortNbr, attente);
}

TEST_F(Mort, TableDePanique) {
    struct Cas {
        int moral, seuil;   // the group breaks when the draw % 100 is below the threshold
    };
    for (Cas c : {Cas{1, 100}, Cas{2, 80}, Cas{3, 60}, Cas{4, 40}, Cas{5, 0}}) {
        for (uint32_t graine : {1u, 7u, 42u, 1234u}) {
            Hasard_GraineRegles(graine);
            const bool attendu = c.moral == 1 || (c.moral != 5 && Hasard_Regles() % 100 < c.seuil);
            const int g = NouveauGroupe(3, c.moral, 20 + static_cast<int>(graine % 50));
            Affaiblir(g);
            Hasard_GraineRegles(graine);
            Objet__Mort(Membre(g, 0), 2);
            EXPECT_EQ(TableGroupes[g].enDeroute, attendu ? 1 : 0) << c.moral << " " << graine;
            if (attendu) {
                const Groupe& gr = TableGroupes[g];
                EXPECT_EQ(gr.enFuite, 1);
                EXPECT_EQ(gr.modeFormation, 1);
                const bool dehors = gr.destinationOrdreX < 0 || gr.destinationOrdreX > 127 ||
                                    gr.destinationOrdreY < 0 || gr.destinationOrdreY > 127;
                EXPECT_TRUE(dehors);
                for (int i = 0; i < gr.nbMembres; ++i) {
                    EXPECT_EQ(TableObjets[gr.membres[i]].etatFuite, 1);
                    EXPECT_EQ(TableObjets[gr.membres[i]].selectionnable, 0);
                }
            }
            Groupe__Destruction(g);
        }
    }
}

TEST_F(Mort, PasDePaniqueHorsDesConditions) {
    // A lone member, a building's group, categorie 1 or 6, a group still strong: no rout, no cry.
    const int seul = NouveauGroupe(1, 1);
    Affaiblir(seul);
    Objet__Mort(Membre(seul, 0), 2);
    const int fort = NouveauGroupe(3, 1, 30);
    TableGroupes[fort].pointsDeVieInitiaux = 300;
    for (int i = 0; i < 3; ++i) TableObjets[Membre(fort, i)].pointsDeVie = 100;
    Objet__Mort(Membre(fort, 0), 2);
    EXPECT_EQ(TableGroupes[fort].enDeroute, 0);
    for (int categorie : {1, 6}) {
        const int g = NouveauGroupe(3, 1, 40 + categorie);
        Affaiblir(g);
        TableObjets[Membre(g, 0)].categorie = categorie;
        Objet__Mort(Membre(g, 0), 2);
        EXPECT_EQ(TableGroupes[g].enDeroute, 0) << categorie;
    }
    EXPECT_EQ(NombreMessages, 0);
    // Held morale: a death cry naming the dying unit.
    const int tient = NouveauGroupe(3, 5, 60);
    Affaiblir(tient);
    Objet__Mort(Membre(tient, 0), 2);
    EXPECT_EQ(TableGroupes[tient].enDeroute, 0);
    ASSERT_EQ(NombreMessages, 1);
    EXPECT_NE(std::string(TextesMessages[Liste__Valeur(ListeMessages)]).find("M 0"), std::string::npos);
}

// The cries are texts a player may edit: only "%s" (and "%%") are filled in, nothing else is read.
TEST_F(Mort, CriDUnTexteModifieSansFormatLu) {
    for (char* texte : TextesCriMort) std::strcpy(texte, "%s %n %s %x %d 100%% %");
    ObjetCourant = &TableObjets[Membre(NouveauGroupe(1), 0)];
    Objet__CriMort();
    ASSERT_EQ(NombreMessages, 1);
    EXPECT_STREQ(TextesMessages[Liste__Valeur(ListeMessages)], "M 0 %n M 0 %x 0 100% %");
}

TEST_F(Mort, CompteursGroupesEtCadavres) {
    const int g = NouveauGroupe(3);
    const int a = Membre(g, 0), c = Membre(g, 2);
    const int ennemis = NbUnitesEnnemies;
    Objet__Mort(a, 2);
    EXPECT_EQ(NbUnitesEnnemies, ennemis - 1);
    EXPECT_EQ(PopulationParType[SOLDAT], 2);
    // The last member takes the dead one's place.
    EXPECT_EQ(TableGroupes[g].nbMembres, 2);
    EXPECT_EQ(Membre(g, 0), c);
    EXPECT_EQ(Cadavres(), 1);

    // A routed group in free movement is reshaped round the square root of its members.
    const int fuite = NouveauGroupe(5, 3, 30);
    TableGroupes[fuite].modeFormation = 1;
    TableGroupes[fuite].enFuite = 1;
    Objet__Mort(Membre(fuite, 0), 2);
    EXPECT_EQ(TableGroupes[fuite].colonnes, 2);
    EXPECT_EQ(TableGroupes[fuite].lignes, 2);

    // The last member deletes the group, out of the selection.
    Groupe__Selection(g);
    ASSERT_EQ(GroupeEnSelection, g);
    Objet__Mort(Membre(g, 0), 2);
    const int dernier = Membre(g, 0);
    TableObjets[dernier].etatFuite = 2;   // leaves no corpse, whose group would take the slot at once
    Objet__Mort(dernier, 2);
    EXPECT_FALSE(Groupe__Actif(g));
    EXPECT_EQ(NombreGroupesSelectionnes, 0);
    EXPECT_EQ(GroupeEnSelection, -1);
    EXPECT_EQ(TableGroupes[g].tampon, nullptr);

    // Corpses: humans and war machines, not decors, not a unit that left the map.
    const int cadavres = Cadavres();
    Objet__Mort(ObjetNaissance(MACHINE, 2, 60, 60, -1, 0), 2);
    Objet__Mort(ObjetNaissance(DECOR, 2, 62, 60, -1, 0), 2);
    const int parti = ObjetNaissance(SOLDAT, 2, 64, 60, -1, 0);
    TableObjets[parti].etatFuite = 2;
    Objet__Mort(parti, 2);
    EXPECT_EQ(Cadavres(), cadavres + 1);

    // Unknown release type is fatal.
    const int bizarre = ObjetNaissance(SOLDAT, 2, 66, 60, -1, 0);
    EXPECT_THROW(Objet__Mort(bizarre, 7), FinProgramme);
    EXPECT_EQ(Rapport(), "ObjetDestruction(): Type de libération d'occupation de l'univers inconnu : 7");
}

TEST_F(Mort, FortificationsEtDebordement) {
    for (auto [avant, apres] : {std::pair{0, 1}, std::pair{-1, 0}}) {
        EtatGrille = avant;
        GrillePresente = 1;
        BrecheOuverte = FortificationDetruite = 0;
        Objet__Mort(ObjetNaissance(FORTIFICATION, 2, 70, 70 + avant, -1, 0), 2);
        EXPECT_EQ(EtatGrille, apres);
        EXPECT_EQ(GrillePresente, avant == 0 ? 0 : 1);
        EXPECT_EQ(BrecheOuverte, 1);
        EXPECT_EQ(FortificationDetruite, 1);
    }
    TemporisationMortNbr = TAILLE_TEMPORISATION_MORT;
    const int o = ObjetNaissance(SOLDAT, 2, 80, 80, -1, 0);
    Objet__Mort(o, 2);
    EXPECT_EQ(Rapport(), "Erreur de dépassement: Nombre 'TemporisationMortNbr' depassé, trop de morts par secondes !!!");
    EXPECT_EQ(TemporisationMortNbr, TAILLE_TEMPORISATION_MORT);
    EXPECT_EQ(TableObjets[o].mourant, 1);
    TemporisationMortNbr = 0;
}

}  // namespace
