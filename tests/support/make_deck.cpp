// Writes a PDF deck for the tests and benchmarks, with real (embedded,
// extractable) text:
//
//   vellumet_make_deck OUT.pdf [--pages N] [--title TITLE] [--photo PAGES]
//                              [--size WIDTHxHEIGHT] [--last-line TEXT]
//
// Each page has a square of its colour (deck_pages.h) in the top-left
// corner, a first line "Slide N 港の計画 N" and twelve lines of body text.
// --photo makes every page from PAGES on (1-based) a photograph-like picture
// behind the square and text (smooth shapes, gradients and grain, made anew
// for each page), or with "all" every page. --size gives the page size in
// points (default 960x540, a 16:9 slide). --title sets the document's title.
// --last-line adds TEXT as every page's last line.
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "deck_pages.h"

namespace {

// A picture with what a photograph has: large soft shapes, gradients, edges
// and grain.
QImage photo(int width, int height, quint32 seed) {
  QRandomGenerator random(seed);
  QImage image(width, height, QImage::Format_RGB32);
  QPainter painter(&image);
  QLinearGradient sky(0, 0, 0, height);
  sky.setColorAt(0, QColor::fromHsv(random.bounded(360), 120, 230));
  sky.setColorAt(1, QColor::fromHsv(random.bounded(360), 160, 90));
  painter.fillRect(image.rect(), sky);
  painter.setRenderHint(QPainter::Antialiasing);
  for (int i = 0; i < 60; ++i) {
    QRadialGradient blob(random.bounded(width), random.bounded(height),
                         20 + random.bounded(width / 4));
    QColor colour = QColor::fromHsv(random.bounded(360), 80 + random.bounded(150),
                                    60 + random.bounded(190), 160);
    blob.setColorAt(0, colour);
    colour.setAlpha(0);
    blob.setColorAt(1, colour);
    painter.fillRect(image.rect(), blob);
  }
  painter.end();
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      int grain = static_cast<int>(random.bounded(25)) - 12;
      QRgb c = line[x];
      line[x] = qRgb(std::clamp(qRed(c) + grain, 0, 255), std::clamp(qGreen(c) + grain, 0, 255),
                     std::clamp(qBlue(c) + grain, 0, 255));
    }
  }
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: %s OUT.pdf [--pages N] [--title T] [--photo FROM|all] [--size WxH] "
                 "[--last-line TEXT]\n",
                 argv[0]);
    return 2;
  }
  int pages = 3;
  int photo_from = 0;
  QString title;
  QString last_line;
  double page_w = 960, page_h = 540;
  for (int i = 2; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--pages")) pages = std::atoi(argv[i + 1]);
    if (!std::strcmp(argv[i], "--title")) title = QString::fromUtf8(argv[i + 1]);
    if (!std::strcmp(argv[i], "--last-line")) last_line = QString::fromUtf8(argv[i + 1]);
    if (!std::strcmp(argv[i], "--photo"))
      photo_from = std::strcmp(argv[i + 1], "all") ? std::atoi(argv[i + 1]) : 1;
    if (!std::strcmp(argv[i], "--size")) std::sscanf(argv[i + 1], "%lfx%lf", &page_w, &page_h);
  }
  QPdfWriter writer(QString::fromLocal8Bit(argv[1]));
  writer.setPageSize(QPageSize(QSizeF(page_w, page_h), QPageSize::Point));
  writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  writer.setResolution(72);
  if (!title.isEmpty()) writer.setTitle(title);
  QPainter painter(&writer);
  QFont font(QStringLiteral("IPAGothic"));
  for (int page = 0; page < pages; ++page) {
    if (page > 0) writer.newPage();
    QRect area = painter.viewport();
    double w = area.width(), h = area.height();
    if (photo_from > 0 && page + 1 >= photo_from)
      painter.drawImage(area, photo(960, 540, 1000u + static_cast<quint32>(page)));
    auto [r, g, b] = vellumet::testing::page_colour(page);
    double share = vellumet::testing::kSquareShare;
    painter.fillRect(QRectF(0, 0, w * share, h * share), QColor(r, g, b));
    font.setPixelSize(static_cast<int>(h / 14));
    painter.setFont(font);
    painter.drawText(QPointF(w * 0.3, h * 0.12),
                     QStringLiteral("Slide %1 港の計画 %1").arg(page + 1));
    font.setPixelSize(static_cast<int>(h / 30));
    painter.setFont(font);
    for (int line = 0; line < 12; ++line) {
      painter.drawText(
          QPointF(w * 0.05, h * (0.35 + line * 0.05)),
          QStringLiteral("Point %1 of slide %2: the harbour opens at dawn, 朝に港が開く")
              .arg(line + 1)
              .arg(page + 1));
    }
    if (!last_line.isEmpty()) painter.drawText(QPointF(w * 0.05, h * 0.97), last_line);
  }
  return painter.end() ? 0 : 1;
}
