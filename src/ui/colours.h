#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace vellumet::ui {

inline const QColor kWindowColour(0, 0, 128);
inline const QColor kPanelColour(192, 192, 255);

// Fills the widget's background with `colour`.
inline void fill_background(QWidget* widget, const QColor& colour) {
  QPalette pal = widget->palette();
  pal.setColor(QPalette::Window, colour);
  // Buttons (check boxes, option buttons) fill with their own background role.
  pal.setColor(widget->backgroundRole(), colour);
  widget->setPalette(pal);
  widget->setAutoFillBackground(true);
}

}  // namespace vellumet::ui
