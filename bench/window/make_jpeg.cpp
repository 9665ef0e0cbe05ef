// Writes a 4000 x 3000 (12-megapixel) JPEG with some detail in it.
#include <QColor>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s out.jpg\n", argv[0]);
    return 2;
  }
  QImage image(4000, 3000, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      line[x] = qRgb((x * 255) / 4000, (y * 255) / 3000, ((x ^ y) * 7) & 0xff);
    }
  }
  return image.save(argv[1], "JPEG", 85) ? 0 : 1;
}
