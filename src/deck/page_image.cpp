#include "deck/page_image.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPdfDocument>

namespace vellumet::deck {

namespace {

// Writer settings per format, chosen by measurement (docs/performance.md).
constexpr int kJpegQuality = 90;
constexpr int kWebpQuality = 90;
// Qt's PNG writer turns a quality q into zlib level (100 - q) * 9 / 91: 50
// gives level 4, on photographs a third of the default level's time for 7%
// more bytes, on text the same.
constexpr int kPngQuality = 50;

}  // namespace

void flatten_on_white(QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    auto* pixel = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0, n = image.width(); x < n; ++x) {
      QRgb c = pixel[x];
      unsigned a = qAlpha(c);
      if (a == 255) continue;
      if (a == 0) {
        pixel[x] = 0xffffffffu;
        continue;
      }
      auto over_white = [a](unsigned v) { return (v * a + 255 * (255 - a) + 127) / 255; };
      pixel[x] = qRgb(over_white(qRed(c)), over_white(qGreen(c)), over_white(qBlue(c)));
    }
  }
  image.reinterpretAsFormat(QImage::Format_RGB32);
}

QImage render_page(QPdfDocument& document, int page, int width) {
  QSizeF points = document.pagePointSize(page);
  PixelSize size = image_size(points.width(), points.height(), width);
  if (size.empty()) return {};
  // Annotations too: stamps, form fields and notes are part of what the page shows.
  QPdfDocumentRenderOptions options;
  options.setRenderFlags(QPdfDocumentRenderOptions::RenderFlag::Annotations);
  QImage image = document.render(page, QSize(size.width, size.height), options);
  if (image.isNull() || image.format() != QImage::Format_ARGB32) return {};
  flatten_on_white(image);
  return image;
}

bool encode(const QImage& image, ImageFormat format, QByteArray& bytes) {
  bytes.clear();
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, extension(format));
  switch (format) {
    case ImageFormat::Jpeg:
      writer.setQuality(kJpegQuality);
      break;
    case ImageFormat::Png:
      writer.setQuality(kPngQuality);
      break;
    case ImageFormat::Webp:
      writer.setQuality(kWebpQuality);
      break;
  }
  return writer.write(image);
}

}  // namespace vellumet::deck
