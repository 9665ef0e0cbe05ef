#pragma once

#include <QString>
#include <QWidget>
#include <memory>

class QSvgRenderer;

namespace vellumet::ui {

// One of the program's own pictures, drawn from its vector form on every
// paint, so it is sharp at any pixel density.
class ArtPicture : public QWidget {
  Q_OBJECT
 public:
  explicit ArtPicture(QWidget* parent = nullptr);
  ~ArtPicture() override;

  // Shows the picture ":/art/<name>.svg", stretched to the widget.
  void set_art(const QString& name);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::unique_ptr<QSvgRenderer> renderer_;
};

}  // namespace vellumet::ui
