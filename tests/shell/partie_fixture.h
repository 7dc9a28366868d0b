// A battle of the sample game started the way the dispatcher starts it, driven by the manual
// clock: the game frame's and the router's tests. The master list is stretched to 433 so that the
// closed gate can be born (it borrows the soldier's file). The interface texts are read.
#pragma once

#include <string>

#include "../world/scene_fixture.h"
#include "foundation/entrees.h"
#include "foundation/journal.h"
#include "frontend/localisation.h"
#include "platform/temps.h"
#include "shell/routeur.h"
#include "shell/trame.h"

class Partie : public Scene {
  protected:
    void AvantChargement() override {
        std::string lignes;
        for (int n = 340; n < 433; ++n) lignes += "#define LIBRE_" + std::to_string(n) + " " + std::to_string(n) + " // -\n";
        lignes += "#define PORTE_FERMEE 433 // soldat\n//.";
        arbre.Ecrire("ini/mv.ini", Remplacer(arbre.Lire("ini/mv.ini"), "#define REGION___REGIMENT_NMI 339 // jeton_nmi\n//.",
                                             "#define REGION___REGIMENT_NMI 339 // jeton_nmi\n" + lignes));
    }
    void SetUp() override {
        Scene::SetUp();
        if (HasFatalFailure()) return;
        LocalisationInitialisation();
        Temps_Fixer(1000000);
        RoutageOn = 0;
        if (Demarre()) Scene__Demarrage();
        JournalActif = 1;
    }
    // Whether SetUp starts the battle.
    virtual bool Demarre() { return true; }

    // One call of the frame `ms` milliseconds after the previous one.
    int32_t Appel(uint32_t ms = PERIODE_TRAME) {
        Temps_Avancer(ms);
        return TrameJeu();
    }
    // A key flag set, then one logic pass.
    int32_t Touche(int32_t& drapeau) {
        drapeau = 1;
        return Appel();
    }
    // The newest line of the message log, "" when empty.
    static std::string DerniereLigne() {
        if (ListeMessages == nullptr || Liste__Vide(ListeMessages)) return "";
        const char* t = TextesMessages[static_cast<size_t>(Liste__Valeur(ListeMessages))];
        return t ? t : "";
    }
    // The first member of a new group of one object of master t for army a at (x, y).
    static int Unite(int t, int a, int x, int y) {
        const int g = Groupe___Creation(t, a, x, y, 1, 1, 1);
        return g > 0 ? TableGroupes[static_cast<size_t>(g)].membres[0] : 0;
    }
};
