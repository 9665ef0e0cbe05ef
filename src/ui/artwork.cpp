#include "ui/artwork.h"

#include <QPainter>
#include <QSvgRenderer>

// The pictures are compiled into this static library; registering them here
// keeps the linker from dropping them.
static void register_artwork() {
  Q_INIT_RESOURCE(artwork);
}

namespace vellumet::ui {

QString artwork_path(const QString& name) {
  static const bool registered = (register_artwork(), true);
  (void)registered;
  return QStringLiteral(":/art/%1.svg").arg(name);
}

QPixmap artwork(const QString& name, QSize size) {
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QSvgRenderer renderer(artwork_path(name));
  QPainter painter(&pixmap);
  renderer.render(&painter);
  return pixmap;
}

QIcon program_icon() {
  QIcon icon;
  for (int side : {16, 32, 48, 64})
    icon.addPixmap(artwork(QStringLiteral("vellumet"), {side, side}));
  return icon;
}

}  // namespace vellumet::ui
