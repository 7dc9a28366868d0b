// The skirmish set-up's lists: the input's first line names files put into "..\Skirmish" (names
// separated by '|'), the rest is the header of an Empire army "Essai" whose first regiment is a
// sample one. Both lists are then built as the screen builds them, each faction's catalogue read
// once for the whole run. The faction's other sample armies are left out: they are the same for every
// input.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cible.h"
#include "frontend/escarmouche.h"

namespace {
const char* const Dossier = "Armees/Escarmouche/Empire/Essai/";
}

void Cible_Preparer() {
    CampEscarmoucheJoueur = 3;
    CampEscarmoucheAdversaire = 0;
    Cible_ListeMaitresSeule();
    Escarmouche__GarderCatalogues(true);
    for (const char* autre : {"../Armees/Escarmouche/Empire/Garde", "../Armees/Escarmouche/Empire/Eclaireurs"})
        std::filesystem::remove_all(autre);
    const std::string regiment = Cible_Original("Armees/Escarmouche/Empire/Garde/regiment0.txt");
    Cible_Ecrire(std::string(Dossier) + "regiment0.txt", reinterpret_cast<const uint8_t*>(regiment.data()),
                 regiment.size());
}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    const std::string texte(reinterpret_cast<const char*>(donnees), taille);
    const size_t fin = texte.find('\n');
    const std::string noms = texte.substr(0, fin), entete = fin == std::string::npos ? "" : texte.substr(fin + 1);
    std::vector<std::string> fichiers;
    for (size_t debut = 0; debut <= noms.size() && fichiers.size() < 8;) {
        size_t bout = noms.find('|', debut);
        if (bout == std::string::npos) bout = noms.size();
        std::string nom = noms.substr(debut, std::min<size_t>(bout - debut, 100));
        for (char& c : nom)
            if (c == '/' || c == 0) c = '_';
        if (!nom.empty() && nom != "." && nom != "..") fichiers.push_back("Skirmish/" + nom);
        debut = bout + 1;
    }
    for (const std::string& f : fichiers) Cible_Ecrire(f, nullptr, 0);
    Cible_Ecrire(std::string(Dossier) + "entete_armee.txt", reinterpret_cast<const uint8_t*>(entete.data()),
                 entete.size());
    struct Fin {
        const std::vector<std::string>& fichiers;
        ~Fin() {
            Escarmouche__Liberation();
            for (const std::string& f : fichiers) Cible_Remettre(f);
        }
    } nettoyage{fichiers};
    Escarmouche__ListeFichiers();
}
