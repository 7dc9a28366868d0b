// The building editor's sprite folder "spredit/batiments": the barracks' three orientation
// sprites under the names its hot-spot calibration opens ("<sprite><d|t|g>.SPR"). Runs after the
// buildings' step, whose sprites it copies.
#include <filesystem>
#include <string>

#include "fabrique.h"

namespace {

bool FabriquerSpriteditBatiments(const std::string& racine) {
    namespace fs = std::filesystem;
    const fs::path sprites = fs::path(racine) / "sprite" / "figures";
    const fs::path dossier = fs::path(racine) / "spredit" / "batiments" / "figures";
    std::error_code e;
    fs::create_directories(dossier, e);
    bool ok = !e;
    for (const char* o : {"d", "t", "g"}) {
        const fs::path source = sprites / (std::string("caserne_") + o + ".spr");
        const fs::path cible = dossier / (std::string("caserne_") + o + o + ".SPR");
        ok = ok && fs::copy_file(source, cible, fs::copy_options::overwrite_existing, e) && !e;
    }
    return ok;
}

}  // namespace

FABRIQUE_ETAPE("spredit_batiments", FabriquerSpriteditBatiments);
