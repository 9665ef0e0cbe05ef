#include "deck/image_size.h"

#include <algorithm>
#include <cmath>

namespace vellumet::deck {

PixelSize image_size(double page_width, double page_height, int width) {
  if (!(page_width > 0) || !(page_height > 0) || width <= 0) return {};
  double w = width;
  double h = width * page_height / page_width;
  double scale = std::min({1.0, kMaxSide / h, std::sqrt(double(kMaxPixels) / (w * h))});
  int out_w = std::max(1, static_cast<int>(std::floor(w * scale)));
  int out_h = std::clamp(static_cast<int>(std::lround(h * scale)), 1, kMaxSide);
  return {out_w, out_h};
}

}  // namespace vellumet::deck
