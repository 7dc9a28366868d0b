#include "platform/affichage.h"

#include <SDL.h>
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/interne.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

using plateforme::etat;

namespace {

std::mutex verrouImage;
std::vector<uint16_t> derniere;   // the window's content as last presented
int derniereLargeur = 0, derniereHauteur = 0;
uint64_t presentations = 0;
uint64_t presentationsDepuisMessage = 0;
bool simulerEchec = false;

// In a real window a present waits, as a flip waits for the vertical blank, so that a loop
// that draws as fast as it can sleeps between its frames: at most one present per display
// frame while input comes, and a still screen at the game's own pace (its 66 ms frame). Input
// cuts the longer wait short, so the loop answers it at once.
constexpr uint32_t PERIODE_AFFICHAGE = 16;
constexpr uint32_t PERIODE_REPOS = 66;
uint32_t dernierePresentation = 0;

void AttendreLaTrame() {
    uint32_t ecoule = SDL_GetTicks() - dernierePresentation;
    if (ecoule < PERIODE_AFFICHAGE) SDL_Delay(PERIODE_AFFICHAGE - ecoule);
    ecoule = SDL_GetTicks() - dernierePresentation;
    if (ecoule < PERIODE_REPOS) Message_AttendreJusqua(PERIODE_REPOS - ecoule);
    dernierePresentation = SDL_GetTicks();
}

// A frame presented from another thread, waiting for the main thread.
bool enAttente = false;
std::vector<uint16_t> imageAttente;
int attenteLargeur = 0, attenteHauteur = 0;

// The window's content: the frame moved by (dx, dy); what the move uncovers is black.
void Composer(std::vector<uint16_t>& dest, const uint16_t* pixels, int largeur, int hauteur, int pas, int dx, int dy) {
    dest.assign(static_cast<size_t>(largeur) * static_cast<size_t>(hauteur), 0);
    for (int y = 0; y < hauteur; ++y) {
        int ty = y + dy;
        if (ty < 0 || ty >= hauteur) continue;
        int x0 = std::max(0, dx), x1 = std::min(largeur, largeur + dx);
        if (x1 <= x0) continue;
        std::memcpy(&dest[static_cast<size_t>(ty) * largeur + x0], pixels + static_cast<size_t>(y) * pas + (x0 - dx),
                    static_cast<size_t>(x1 - x0) * 2);
    }
}

void Montrer(const std::vector<uint16_t>& image, int largeur, int hauteur) {
    auto& e = etat();
    if (e.sansTete || e.rendu == nullptr || e.texture == nullptr) return;
    if (largeur != e.largeur || hauteur != e.hauteur) return;
    SDL_UpdateTexture(e.texture, nullptr, image.data(), largeur * 2);
    SDL_SetRenderDrawColor(e.rendu, 0, 0, 0, 255);
    SDL_RenderClear(e.rendu);
    SDL_RenderCopy(e.rendu, e.texture, nullptr, nullptr);
    SDL_RenderPresent(e.rendu);
}

}  // namespace

namespace plateforme {

void AfficherImageEnAttente() {
    std::vector<uint16_t> image;
    int l = 0, h = 0;
    {
        std::lock_guard<std::mutex> g(verrouImage);
        if (!enAttente) return;
        enAttente = false;
        image.swap(imageAttente);
        l = attenteLargeur;
        h = attenteHauteur;
    }
    Montrer(image, l, h);
}

void LibererAffichage() {
    auto& e = etat();
    if (e.texture) SDL_DestroyTexture(e.texture);
    if (e.rendu) SDL_DestroyRenderer(e.rendu);
    if (e.fenetreSdl) SDL_DestroyWindow(e.fenetreSdl);
    e.texture = nullptr;
    e.rendu = nullptr;
    e.fenetreSdl = nullptr;
    e.principale = nullptr;
    e.largeur = e.hauteur = 0;
}

uint64_t PresentationsDepuisMessage() {
    std::lock_guard<std::mutex> g(verrouImage);
    return presentationsDepuisMessage;
}

void MessagePris() {
    std::lock_guard<std::mutex> g(verrouImage);
    presentationsDepuisMessage = 0;
}

}  // namespace plateforme

bool Affichage_ModePossible(int largeur, int hauteur) {
    return largeur > 0 && hauteur > 0 && largeur <= 8192 && hauteur <= 8192;
}

bool Affichage_ModeVideo(int largeur, int hauteur) {
    auto& e = etat();
    if (simulerEchec || !Affichage_ModePossible(largeur, hauteur)) return false;
    if (!e.sansTete && e.rendu != nullptr) {
        SDL_Texture* t = SDL_CreateTexture(e.rendu, SDL_PIXELFORMAT_RGB555, SDL_TEXTUREACCESS_STREAMING, largeur, hauteur);
        if (t == nullptr) return false;
        if (e.texture) SDL_DestroyTexture(e.texture);
        e.texture = t;
        SDL_RenderSetLogicalSize(e.rendu, largeur, hauteur);
        if (e.fenetre) SDL_SetWindowSize(e.fenetreSdl, largeur, hauteur);
    }
    e.largeur = largeur;
    e.hauteur = hauteur;
    return true;
}

int Affichage_Largeur() { return etat().largeur; }
int Affichage_Hauteur() { return etat().hauteur; }

void Affichage_Presenter(const uint16_t* pixels, int largeur, int hauteur, int pas, int dx, int dy) {
    if (pixels == nullptr || largeur <= 0 || hauteur <= 0 || pas < largeur) return;
    std::vector<uint16_t> image;
    Composer(image, pixels, largeur, hauteur, pas, dx, dy);
    bool principal = Plateforme_ThreadPrincipal();
    {
        std::lock_guard<std::mutex> g(verrouImage);
        derniere = image;
        derniereLargeur = largeur;
        derniereHauteur = hauteur;
        ++presentations;
        ++presentationsDepuisMessage;
        if (!principal) {
            imageAttente.swap(image);
            attenteLargeur = largeur;
            attenteHauteur = hauteur;
            enAttente = true;
            return;
        }
    }
    if (!etat().sansTete) AttendreLaTrame();
    // Our own copy: another thread may replace `derniere` while this one shows it.
    Montrer(image, largeur, hauteur);
}

std::vector<uint16_t> Affichage_DerniereImage(int* largeur, int* hauteur) {
    std::lock_guard<std::mutex> g(verrouImage);
    if (largeur) *largeur = derniereLargeur;
    if (hauteur) *hauteur = derniereHauteur;
    return derniere;
}

uint64_t Affichage_NombrePresentations() {
    std::lock_guard<std::mutex> g(verrouImage);
    return presentations;
}

bool Image_EcrirePng555(const std::string& chemin, const uint16_t* pixels, int largeur, int hauteur) {
    if (pixels == nullptr || largeur <= 0 || hauteur <= 0) return false;
    FILE* f = std::fopen(chemin.c_str(), "wb");
    if (f == nullptr) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (png == nullptr || info == nullptr) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    std::vector<png_byte> ligne(static_cast<size_t>(largeur) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, static_cast<png_uint_32>(largeur), static_cast<png_uint_32>(hauteur), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < hauteur; ++y) {
        for (int x = 0; x < largeur; ++x) {
            uint16_t p = pixels[static_cast<size_t>(y) * largeur + x];
            // 5 bits to 8: the top bits repeated into the low ones, so 31 gives 255.
            auto c = [](int v) { return static_cast<png_byte>((v << 3) | (v >> 2)); };
            ligne[static_cast<size_t>(x) * 3 + 0] = c((p >> 10) & 31);
            ligne[static_cast<size_t>(x) * 3 + 1] = c((p >> 5) & 31);
            ligne[static_cast<size_t>(x) * 3 + 2] = c(p & 31);
        }
        png_write_row(png, ligne.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
}

bool Affichage_CapturerPng(const std::string& chemin) {
    int l = 0, h = 0;
    std::vector<uint16_t> image = Affichage_DerniereImage(&l, &h);
    if (image.empty()) return false;
    return Image_EcrirePng555(chemin, image.data(), l, h);
}

void Affichage_SimulerEchec(bool echec) { simulerEchec = echec; }

void Affichage_CacherCurseur() {
    if (!etat().sansTete && etat().initialise) SDL_ShowCursor(SDL_DISABLE);
}

SurfaceImage* Surface_Creer(int largeur, int hauteur) {
    if (largeur <= 0 || hauteur <= 0) return nullptr;
    auto* s = new SurfaceImage;
    s->largeur = largeur;
    s->hauteur = hauteur;
    s->pas = largeur;
    s->pixels.assign(static_cast<size_t>(largeur) * static_cast<size_t>(hauteur), 0);
    return s;
}

void Surface_Liberer(SurfaceImage* surface) { delete surface; }

uint16_t* Surface_Verrouiller(SurfaceImage* surface) {
    if (surface == nullptr || surface->verrouEchoue) return nullptr;
    surface->verrou.lock();
    return surface->pixels.data();
}

void Surface_Deverrouiller(SurfaceImage* surface) {
    if (surface != nullptr) surface->verrou.unlock();
}

uint32_t Processeur_Capacites() {
#if defined(__x86_64__) || defined(__i386__)
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (__get_cpuid(1, &a, &b, &c, &d)) return d;
#endif
    return 0;
}

uint32_t Processeur_Signature() {
#if defined(__x86_64__) || defined(__i386__)
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (__get_cpuid(1, &a, &b, &c, &d)) return a;
#endif
    return 0;
}
