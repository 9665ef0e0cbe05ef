#pragma once

#include <QByteArray>
#include <QImage>

#include "deck/image_format.h"
#include "deck/image_size.h"

class QPdfDocument;

namespace vellumet::deck {

// Puts a rendered page (ARGB, not premultiplied, transparent where the page
// paints nothing) onto white, in place; the image becomes RGB32.
void flatten_on_white(QImage& image);

// Page `page` of `document` as a slide image `width` pixels wide (see
// image_size), on white. Null when the page cannot be rendered.
QImage render_page(QPdfDocument& document, int page, int width);

// The image in the file format, with the settings chosen for slides; false
// when Qt's writer fails.
bool encode(const QImage& image, ImageFormat format, QByteArray& bytes);

}  // namespace vellumet::deck
