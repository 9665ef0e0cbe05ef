#include "ui/art_picture.h"

#include <QPainter>
#include <QSvgRenderer>

#include "ui/artwork.h"

namespace vellumet::ui {

ArtPicture::ArtPicture(QWidget* parent) : QWidget(parent) {}

ArtPicture::~ArtPicture() = default;

void ArtPicture::set_art(const QString& name) {
  renderer_ = std::make_unique<QSvgRenderer>(artwork_path(name));
  update();
}

void ArtPicture::paintEvent(QPaintEvent*) {
  if (!renderer_ || !renderer_->isValid()) return;
  QPainter painter(this);
  renderer_->render(&painter, rect());
}

}  // namespace vellumet::ui
