#include "deck/page_image.h"

#include <gtest/gtest.h>

namespace vellumet::deck {
namespace {

TEST(ImageSize, TheWidthGovernsWithinTheLimits) {
  struct Case {
    double w, h;
    int width;
    PixelSize want;
  };
  const Case cases[] = {
      {960, 540, 1920, {1920, 1080}},      // a 16:9 slide
      {720, 540, 1024, {1024, 768}},       // 4:3
      {595, 842, 1920, {1920, 2717}},      // A4 upright
      {14400, 14400, 1920, {1920, 1920}},  // 200 x 200 inches
      {72, 14400, 1920, {81, 16383}},      // 1 x 200 inches: WebP's largest side
      {72, 720, 8192, {1295, 12953}},      // tall and wide: 16 M pixels at most
      {14400, 72, 1920, {1920, 10}},       // a strip
      {14400, 1, 1920, {1920, 1}},         // never less than a pixel
      {0, 540, 1920, {0, 0}},              // no size
      {960, -1, 1920, {0, 0}},
  };
  for (const Case& c : cases) {
    PixelSize got = image_size(c.w, c.h, c.width);
    EXPECT_EQ(got.width, c.want.width) << c.w << " x " << c.h;
    EXPECT_EQ(got.height, c.want.height) << c.w << " x " << c.h;
    EXPECT_LE(static_cast<long long>(got.width) * got.height, kMaxPixels);
  }
}

TEST(FlattenOnWhite, BlendsEachPixelOverWhite) {
  const std::pair<QRgb, QRgb> cases[] = {
      {qRgba(0, 0, 0, 0), qRgb(255, 255, 255)},     // nothing painted
      {qRgba(10, 20, 30, 255), qRgb(10, 20, 30)},   // painted
      {qRgba(0, 0, 0, 128), qRgb(127, 127, 127)},   // half-covered black
      {qRgba(255, 0, 0, 51), qRgb(255, 204, 204)},  // a fifth of red
  };
  QImage image(4, 1, QImage::Format_ARGB32);
  for (int x = 0; x < 4; ++x) image.setPixel(x, 0, cases[x].first);
  flatten_on_white(image);
  EXPECT_EQ(image.format(), QImage::Format_RGB32);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(image.pixel(x, 0), cases[x].second) << x;
}

}  // namespace
}  // namespace vellumet::deck
