#pragma once

#include <QImage>
#include <QWidget>
#include <string>

namespace vellumet::ui {

// A picture stretched to fill the widget. Images are decoded at the widget's
// size in device pixels (twice the size on a screen at 200%), where the format
// allows while decoding, so a large photo loads quickly and the picture stays
// sharp at any scale. Moved to a screen of another pixel density, the file is
// decoded again for it.
class PreviewImage : public QWidget {
  Q_OBJECT
 public:
  explicit PreviewImage(QWidget* parent = nullptr);

  // Loads the image file at `path` (bytes); an unreadable or undecodable file
  // leaves the picture empty. Returns whether a picture is shown.
  bool load(const std::string& path);
  void clear();
  // The decoded picture; its device pixel ratio is the one it was decoded for.
  const QImage& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void decode();

  std::string path_;
  qreal decoded_ratio_ = 0;
  QImage image_;
};

}  // namespace vellumet::ui
