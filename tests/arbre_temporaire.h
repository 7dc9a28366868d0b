// A small game tree in a temporary folder: the working directory is its "run" subfolder, so that
// the game's "..\X" paths land in the tree's root. Removed with everything in it at the end.
#pragma once

#include <filesystem>

#include "dossier_temporaire.h"

class ArbreTemporaire : public DossierTemporaire {
  public:
    ArbreTemporaire() {
        std::filesystem::create_directories(Racine() / "run");
        ancien_ = std::filesystem::current_path();
        std::filesystem::current_path(Racine() / "run");
    }
    ~ArbreTemporaire() {
        std::error_code e;
        std::filesystem::current_path(ancien_, e);
    }

  private:
    std::filesystem::path ancien_;
};
