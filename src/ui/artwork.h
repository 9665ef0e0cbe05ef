#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace vellumet::ui {

// One of the program's own pictures (":/art/<name>.svg") drawn at `size`.
QPixmap artwork(const QString& name, QSize size);
// The program's icon.
QIcon program_icon();

}  // namespace vellumet::ui
