#include "ui/frame_preview.h"

#include <QPainter>

namespace vellumet::ui {

FramePreview::FramePreview(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
}

void FramePreview::set_style(int style, float scale) {
  style_ = style;
  scale_ = scale;
  update();
}

QLineF FramePreview::line() const {
  const float r = scale_ / 100.0f;
  const qreal w = width();
  const qreal h = height();
  switch (style_) {
    case 0:
      return {r * w, 0, r * w, h};
    case 1:
      return {(1 - r) * w, 0, (1 - r) * w, h};
    case 2:
      return {0, r * h, w, r * h};
    case 3:
      return {0, (1 - r) * h, w, (1 - r) * h};
    default:
      return {};
  }
}

void FramePreview::paintEvent(QPaintEvent*) {
  QLineF l = line();
  if (l.isNull()) return;
  QPainter painter(this);
  painter.setPen(QPen(Qt::black, 0));
  painter.drawLine(l.toLine());
}

}  // namespace vellumet::ui
