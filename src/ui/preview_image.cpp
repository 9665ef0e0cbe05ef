#include "ui/preview_image.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <fstream>
#include <iterator>

namespace vellumet::ui {

namespace {

// Slide images are a few megabytes at most; anything far larger is not a slide.
constexpr std::streamoff kMaxImageBytes = 256LL * 1024 * 1024;

}  // namespace

PreviewImage::PreviewImage(QWidget* parent) : QWidget(parent) {}

bool PreviewImage::load(const std::string& path) {
  image_ = QImage();
  // The file is read by its exact bytes, so any name the folder list shows loads.
  std::ifstream in(path, std::ios::binary);
  if (in) {
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size > 0 && size <= kMaxImageBytes) {
      QByteArray bytes(static_cast<qsizetype>(size), Qt::Uninitialized);
      if (in.read(bytes.data(), size)) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        reader.setScaledSize(size_hint_for_decode());
        image_ = reader.read();
      }
    }
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
