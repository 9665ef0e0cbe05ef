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
  path_ = path;
  decode();
  update();
  return !image_.isNull();
}

void PreviewImage::decode() {
  image_ = QImage();
  decoded_ratio_ = devicePixelRatioF();
  // The file is read by its exact bytes, so any name the folder list shows
  // loads; a pipe or device in its place is refused rather than waited on.
  std::string bytes;
  if (!read_file(path_, bytes, kMaxImageBytes).ok || bytes.empty()) return;
  QByteArray raw = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&raw);
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
