#pragma once

// What vellumet_make_deck draws on each page, for the tests that check the
// rendered slides: a square of the page's own colour in the top-left corner,
// a quarter of the page's width and height, and the page's lines of text.
namespace vellumet::testing {

struct Rgb {
  int r, g, b;
};

// The colour of page `i` (0-based): a different one for each of the first pages.
constexpr Rgb page_colour(int i) {
  return {40 + (i * 73) % 180, 40 + (i * 151) % 180, 40 + (i * 199) % 180};
}

// The square's share of the page, from the top-left corner.
inline constexpr double kSquareShare = 0.25;

}  // namespace vellumet::testing
