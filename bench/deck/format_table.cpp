// How each slide-image format and setting does on the pages of a deck:
// bytes per slide, encoding time, and closeness to the lossless render (PSNR
// over the three channels, and SSIM of the luma in 8 x 8 windows).
//
//   vellumet_format_table DECK.pdf LABEL [WIDTH]
//
// Prints one Markdown table row per setting.
#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QPdfDocument>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "deck/page_image.h"

namespace {

struct Setting {
  const char* format;
  int quality;  // Qt's writer quality; for PNG it sets the zlib level
  const char* label;
};

double psnr(const QImage& a, const QImage& b) {
  double sum = 0;
  for (int y = 0; y < a.height(); ++y) {
    auto* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
    auto* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
    for (int x = 0; x < a.width(); ++x) {
      for (int shift : {0, 8, 16}) {
        double d = int((pa[x] >> shift) & 0xff) - int((pb[x] >> shift) & 0xff);
        sum += d * d;
      }
    }
  }
  double mse = sum / (3.0 * a.width() * a.height());
  return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

double luma(QRgb c) {
  return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
}

double ssim(const QImage& a, const QImage& b) {
  const double c1 = 6.5025, c2 = 58.5225;
  double total = 0;
  int windows = 0;
  for (int y0 = 0; y0 + 8 <= a.height(); y0 += 8) {
    for (int x0 = 0; x0 + 8 <= a.width(); x0 += 8) {
      double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
      for (int y = y0; y < y0 + 8; ++y) {
        for (int x = x0; x < x0 + 8; ++x) {
          double va = luma(a.pixel(x, y)), vb = luma(b.pixel(x, y));
          sa += va, sb += vb, saa += va * va, sbb += vb * vb, sab += va * vb;
        }
      }
      double ma = sa / 64, mb = sb / 64;
      double va = saa / 64 - ma * ma, vb = sbb / 64 - mb * mb, cov = sab / 64 - ma * mb;
      total += ((2 * ma * mb + c1) * (2 * cov + c2)) / ((ma * ma + mb * mb + c1) * (va + vb + c2));
      ++windows;
    }
  }
  return total / windows;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  int width = argc > 3 ? std::atoi(argv[3]) : 1920;
  QPdfDocument document;
  if (document.load(QString::fromLocal8Bit(argv[1])) != QPdfDocument::Error::None) return 1;
  const Setting settings[] = {
      {"jpg", 75, "JPEG q75"},    {"jpg", 85, "JPEG q85"},   {"jpg", 90, "JPEG q90"},
      {"jpg", 95, "JPEG q95"},    {"png", -1, "PNG zlib 6"}, {"png", 50, "PNG zlib 4"},
      {"png", 90, "PNG zlib 0"},  {"webp", 75, "WebP q75"},  {"webp", 90, "WebP q90"},
      {"webp", 100, "WebP q100"},
  };
  std::vector<QImage> pages;
  for (int i = 0; i < document.pageCount(); ++i)
    pages.push_back(vellumet::deck::render_page(document, i, width));
  for (const Setting& s : settings) {
    double bytes = 0, ms = 0, p = 0, q = 0;
    for (const QImage& page : pages) {
      QByteArray data;
      QBuffer buffer(&data);
      buffer.open(QIODevice::WriteOnly);
      QImageWriter writer(&buffer, s.format);
      writer.setQuality(s.quality);
      auto start = std::chrono::steady_clock::now();
      writer.write(page);
      ms += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
      bytes += static_cast<double>(data.size());
      QImage back = QImage::fromData(data).convertToFormat(QImage::Format_RGB32);
      p += psnr(page, back);
      q += ssim(page, back);
    }
    double n = static_cast<double>(pages.size());
    std::printf("| %s | %s | %.0f KB | %.1f ms | %.1f dB | %.4f |\n", argv[2], s.label,
                bytes / n / 1024, ms / n, p / n, q / n);
  }
  return 0;
}
