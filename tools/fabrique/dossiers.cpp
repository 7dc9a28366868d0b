// The folders the game writes into but never makes itself: "ScreenShots" for the I key's pictures.
#include <filesystem>
#include <system_error>

#include "fabrique.h"

namespace {

bool Dossiers(const std::string& racine) {
    std::error_code e;
    std::filesystem::create_directories(racine + "/ScreenShots", e);
    return std::filesystem::is_directory(racine + "/ScreenShots");
}

}  // namespace

FABRIQUE_ETAPE("dossiers", Dossiers);
