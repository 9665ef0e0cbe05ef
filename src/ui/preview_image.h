#pragma once

#include <QImage>
#include <QWidget>
#include <string>

namespace vellumet::ui {

// A picture stretched to fill the widget. Images are decoded at the widget's
// size where the format allows, so a large photo loads quickly.
class PreviewImage : public QWidget {
  Q_OBJECT
 public:
  explicit PreviewImage(QWidget* parent = nullptr);

  // Loads the image file at `path` (bytes); an unreadable or undecodable file
  // leaves the picture empty. Returns whether a picture is shown.
  bool load(const std::string& path);
  void clear();
  const QImage& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QSize size_hint_for_decode() const;

  QImage image_;
};

}  // namespace vellumet::ui
