#include "ui/preview_image.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <fstream>

namespace vellumet::ui {

namespace {

// Slide images are a few megabytes at most; anything far larger is not a slide.
constexpr std::streamoff kMaxImageBytes = 256LL * 1024 * 1024;

}  // namespace

PreviewImage::PreviewImage(QWidget* parent) : QWidget(parent) {}

bool PreviewImage::load(const std::string& path) {
  path_ = path;
  decode();
  update();
  return !image_.isNull();
}

void PreviewImage::decode() {
  image_ = QImage();
  decoded_ratio_ = devicePixelRatioF();
  // The file is read by its exact bytes, so any name the folder list shows loads.
  std::ifstream in(path_, std::ios::binary);
  if (!in) return;
  in.seekg(0, std::ios::end);
  const std::streamoff file_size = in.tellg();
  in.seekg(0, std::ios::beg);
  if (file_size <= 0 || file_size > kMaxImageBytes) return;
  QByteArray bytes(static_cast<qsizetype>(file_size), Qt::Uninitialized);
  if (!in.read(bytes.data(), file_size)) return;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  const QSize pixels = (QSizeF(size()) * decoded_ratio_).toSize().expandedTo(QSize(1, 1));
  reader.setScaledSize(pixels);
  image_ = reader.read();
  image_.setDevicePixelRatio(decoded_ratio_);
}

void PreviewImage::clear() {
  path_.clear();
  image_ = QImage();
  update();
}

void PreviewImage::paintEvent(QPaintEvent*) {
  if (path_.empty()) return;
  if (decoded_ratio_ != devicePixelRatioF()) decode();
  if (image_.isNull()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(rect(), image_);
}

}  // namespace vellumet::ui
