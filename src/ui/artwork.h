#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace vellumet::ui {

// The resource path of one of the program's own pictures (":/art/<name>.svg").
QString artwork_path(const QString& name);
// That picture drawn into a pixmap of `size` pixels.
QPixmap artwork(const QString& name, QSize size);
// The program's icon.
QIcon program_icon();

}  // namespace vellumet::ui
