#pragma once

namespace vellumet::deck {

inline constexpr int kDefaultWidth = 1920;
inline constexpr int kMinWidth = 16;
inline constexpr int kMaxWidth = 8192;
// The most any slide image holds, whatever the page's shape: WebP's largest
// side, and 16 M pixels (64 MB while rendered).
inline constexpr int kMaxSide = 16383;
inline constexpr long long kMaxPixels = 1LL << 24;

struct PixelSize {
  int width = 0;
  int height = 0;
  bool empty() const { return width <= 0 || height <= 0; }
};

// The size a page of `page_width` x `page_height` points becomes at `width`
// pixels wide, aspect kept; a page too tall for the limits above is scaled
// down to fit them, aspect still kept. Empty for a page without a size.
PixelSize image_size(double page_width, double page_height, int width);

}  // namespace vellumet::deck
