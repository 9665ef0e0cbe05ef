#pragma once

#include <QLineF>
#include <QWidget>

namespace vellumet::ui {

// The frame style preview: a white box split by one black line into a narrow
// band and the rest. The line is drawn from the paint event, so it survives
// every repaint.
class FramePreview : public QWidget {
  Q_OBJECT
 public:
  explicit FramePreview(QWidget* parent = nullptr);

  // Style 0..3 puts the band at the left, right, top or bottom edge; `scale` is
  // the band's share of the box in percent. Any other style draws no line.
  void set_style(int style, float scale);
  int style() const { return style_; }
  // The line in widget coordinates; null when no line is drawn.
  QLineF line() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int style_ = -1;
  float scale_ = 0.0f;
};

}  // namespace vellumet::ui
