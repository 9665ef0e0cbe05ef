#include "ui/preview_image.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

#include "base/text_file.h"

namespace vellumet::ui {

namespace {

// Slide images are a few megabytes at most; anything far larger is not a slide.
constexpr std::size_t kMaxImageBytes = 256u * 1024 * 1024;

}  // namespace

PreviewImage::PreviewImage(QWidget* parent) : QWidget(parent) {}

bool PreviewImage::load(const std::string& path) {
  image_ = QImage();
  // The file is read by its exact bytes, so any name the folder list shows
  // loads; a pipe or device in its place is refused rather than waited on.
  std::string bytes;
  if (read_file(path, bytes, kMaxImageBytes).ok && !bytes.empty()) {
    QByteArray raw = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&raw);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setScaledSize(size_hint_for_decode());
    image_ = reader.read();
  }
  update();
  return !image_.isNull();
}

QSize PreviewImage::size_hint_for_decode() const {
  return size().isEmpty() ? QSize(1, 1) : size();
}

void PreviewImage::clear() {
  image_ = QImage();
  update();
}

void PreviewImage::paintEvent(QPaintEvent*) {
  if (image_.isNull()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(rect(), image_);
}

}  // namespace vellumet::ui
