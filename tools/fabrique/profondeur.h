// Shapes queued with their depth and drawn far to near onto a canvas.
#pragma once

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "sprite_dessin.h"

class FileProfondeur {
  public:
    explicit FileProfondeur(Toile& t) : t_(t) {}
    void Ajouter(double z, std::function<void(Toile&)> dessin) { pieces_.push_back({z, std::move(dessin)}); }
    void Dessiner() {
        std::stable_sort(pieces_.begin(), pieces_.end(), [](const Piece& a, const Piece& b) { return a.z < b.z; });
        for (auto& p : pieces_) p.dessin(t_);
        pieces_.clear();
    }

  private:
    struct Piece {
        double z;
        std::function<void(Toile&)> dessin;
    };
    Toile& t_;
    std::vector<Piece> pieces_;
};
