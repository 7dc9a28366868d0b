#include "foundation/tuiles.h"

#include <algorithm>
#include <cstring>

#include "foundation/ecran.h"

const uint8_t* TuileTexels = nullptr;
int32_t TuileX = 0;
int32_t TuileY = 0;
int32_t TuileLargeurEcran = 0;
int32_t TuileIntensiteHautGauche = 0;
int32_t TuileIntensiteHautDroite = 0;
int32_t TuileIntensiteBasGauche = 0;
int32_t TuileIntensiteBasDroite = 0;
const uint16_t* TuileTableOmbrage = nullptr;

namespace {

constexpr int32_t N = TailleTuile;
constexpr int32_t Demi = 0x8000;

// Where the tile goes in the back buffer, or null when it does not lie wholly inside it.
uint16_t* DestinationTuile() {
    if (EcranTampon == nullptr || TuileTexels == nullptr || TuileTableOmbrage == nullptr) return nullptr;
    const int64_t pas = TuileLargeurEcran;
    if (TuileX < 0 || TuileY < 0 || pas < N || TuileX > pas - N) return nullptr;
    const int64_t fin = (static_cast<int64_t>(TuileY) + N - 1) * pas + TuileX + N;
    if (fin > static_cast<int64_t>(LargeurEcran) * HauteurEcran) return nullptr;
    return EcranTampon + static_cast<int64_t>(TuileY) * pas + TuileX;
}

// The corner lights as drawn (kept in 0..127): top left, top right, bottom left, bottom right.
void Coins(int32_t (&coins)[4]) {
    coins[0] = std::clamp(TuileIntensiteHautGauche, 0, 127);
    coins[1] = std::clamp(TuileIntensiteHautDroite, 0, 127);
    coins[2] = std::clamp(TuileIntensiteBasGauche, 0, 127);
    coins[3] = std::clamp(TuileIntensiteBasDroite, 0, 127);
}

// The 16.16 light down the left and right edges, from the corner lights.
void Bords(const int32_t (&coins)[4], int32_t (&gauche)[N], int32_t (&droite)[N]) {
    const int32_t hg = coins[0], hd = coins[1], bg = coins[2], bd = coins[3];
    const int32_t pasGauche = ((bg - hg) << 16) / N;
    const int32_t pasDroite = ((bd - hd) << 16) / N;
    for (int32_t ligne = 0; ligne < N; ++ligne) {
        gauche[ligne] = (hg << 16) + ligne * pasGauche;
        droite[ligne] = (hd << 16) + ligne * pasDroite;
    }
}

// Both renderers, into `ecran` of pitch `pas`: with `transparent`, texel 0 is skipped and the
// light does not advance there.
template <bool transparent>
void Gouraud(uint16_t* ecran, int64_t pasEcran, const int32_t (&coins)[4]) {
    int32_t gauche[N], droite[N];
    Bords(coins, gauche, droite);
    const uint8_t* texel = TuileTexels;
    const uint16_t* const table = TuileTableOmbrage;
    for (int32_t ligne = 0; ligne < N; ++ligne, ecran += pasEcran, texel += N) {
        const int32_t pas = (droite[ligne] - gauche[ligne]) / N;
        int32_t lumiere = gauche[ligne] + Demi;
        for (int32_t x = 0; x < N; ++x) {
            if (transparent && texel[x] == 0) continue;
            lumiere += pas;
            ecran[x] = table[((lumiere >> 16) & 0x7F) * 256 + texel[x]];
        }
    }
}

template <bool transparent>
void Gouraud() {
    uint16_t* ecran = DestinationTuile();
    if (ecran == nullptr) return;
    int32_t coins[4];
    Coins(coins);
    Gouraud<transparent>(ecran, TuileLargeurEcran, coins);
}

}  // namespace

void Tuile_AffichageGouraud() { Gouraud<false>(); }

void Tuile_AffichageGouraud2() { Gouraud<true>(); }

void Tuile_AffichageGouraudMemo(TuileMemo& m, bool transparent) {
    uint16_t* ecran = DestinationTuile();
    if (ecran == nullptr) return;
    int32_t coins[4];
    Coins(coins);
    if (!m.valide || m.transparent != transparent || m.texels != TuileTexels || m.table != TuileTableOmbrage ||
        !std::equal(coins, coins + 4, m.coins)) {
        m.pixels.fill(0);
        if (transparent) Gouraud<true>(m.pixels.data(), N, coins);
        else Gouraud<false>(m.pixels.data(), N, coins);
        m.plein = true;
        for (int32_t i = 0; i < N * N; ++i) {
            const bool dessine = !transparent || TuileTexels[i] != 0;
            m.masque[static_cast<size_t>(i)] = dessine ? 0xFFFF : 0;
            m.plein = m.plein && dessine;
        }
        m.valide = true;
        m.transparent = transparent;
        m.texels = TuileTexels;
        m.table = TuileTableOmbrage;
        std::copy(coins, coins + 4, m.coins);
    }
    const uint16_t* pixels = m.pixels.data();
    const uint16_t* masque = m.masque.data();
    for (int32_t ligne = 0; ligne < N; ++ligne, ecran += TuileLargeurEcran, pixels += N, masque += N) {
        if (m.plein) {
            std::memcpy(ecran, pixels, N * sizeof *ecran);
            continue;
        }
        for (int32_t x = 0; x < N; ++x) ecran[x] = static_cast<uint16_t>((ecran[x] & ~masque[x]) | pixels[x]);
    }
}

void Tuile_DecalageLignes(uint8_t* tuile, const uint8_t* decalages) {
    if (tuile == nullptr || decalages == nullptr) return;
    for (int32_t ligne = 0; ligne < N; ++ligne) {
        uint8_t* rangee = tuile + ligne * N * 3;
        std::rotate(rangee, rangee + (decalages[ligne] % N) * 3, rangee + N * 3);
    }
}

void Tuile_AdditionSaturee(uint8_t* destination, const uint8_t* source, const uint8_t* courbe) {
    if (destination == nullptr || source == nullptr || courbe == nullptr) return;
    const auto lire = [courbe](uint32_t i) -> uint32_t { return i < 32 ? courbe[i] : 32; };
    for (int32_t i = 0; i < N * N * 3; ++i)
        destination[i] = static_cast<uint8_t>(std::min<uint32_t>(31, destination[i] + lire(lire(source[i]))));
}

void Pixels_Conversion24Vers555(const uint8_t* source, uint16_t* destination) {
    if (source == nullptr || destination == nullptr) return;
    for (int32_t i = 0; i < N * N; ++i, source += 3)
        destination[i] = static_cast<uint16_t>(source[0] << 10 | source[1] << 5 | source[2]);
}

void Tuile_Copie48(const uint16_t* source, uint16_t* destination, int32_t x, int32_t y) {
    if (source == nullptr || destination == nullptr) return;
    if (x < 0 || y < 0 || x > LargeurEcran - N || y > HauteurEcran - N) return;
    for (int32_t ligne = 0; ligne < N; ++ligne)
        std::memcpy(destination + static_cast<int64_t>(y + ligne) * LargeurEcran + x, source + ligne * N, N * 2);
}

void Pixel_AjoutRGB(uint16_t* image, int32_t x, int32_t y, int32_t r, int32_t g, int32_t b) {
    if (image == nullptr || x < 0 || y < 0 || x >= LargeurEcran || y >= HauteurEcran) return;
    uint16_t& p = image[static_cast<int64_t>(y) * LargeurEcran + x];
    const auto champ = [](int32_t valeur, int32_t ajout) { return std::clamp(valeur + std::clamp(ajout, -31, 31), 0, 31); };
    const int32_t rouge = champ((p >> 10) & 31, r);
    const int32_t vert = champ((p >> 5) & 31, g);
    const int32_t bleu = champ(p & 31, b);
    p = static_cast<uint16_t>((p & 0x8000) | rouge << 10 | vert << 5 | bleu);
}
