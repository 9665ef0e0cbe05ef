#include "deck_fixture.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "deck_pages.h"
#include "run_program.h"

// Under the leak sanitizer: Qt PDF 6.4 keeps a few small objects of a
// document whose loading failed (QPdfDocumentPrivate::
// initiateAsyncLoadWithTotalSizeKnown), out of the caller's reach.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libQt6Pdf.so\n";
}

namespace vellumet::testing {

void make_deck(const std::string& path, const std::vector<std::string>& args) {
  std::vector<std::string> all = {path};
  all.insert(all.end(), args.begin(), args.end());
  ProgramRun run = run_program(VELLUMET_MAKE_DECK, all, "/");
  ASSERT_EQ(run.status, 0) << run.err;
}

std::string pdf_of(const std::vector<std::string>& objects, const std::string& trailer) {
  std::string pdf = "%PDF-1.4\n";
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  std::size_t xref = pdf.size();
  pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (std::size_t offset : offsets) {
    char entry[21];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
    pdf += entry;
  }
  pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R " + trailer +
         " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
  return pdf;
}

std::map<std::string, std::string> snapshot(const std::string& folder) {
  std::map<std::string, std::string> tree;
  for (const auto& e : std::filesystem::recursive_directory_iterator(folder)) {
    std::string name = std::filesystem::relative(e.path(), folder).string();
    if (e.is_directory()) {
      tree[name] = "<folder>";
    } else if (e.is_regular_file()) {
      tree[name] = read_bytes(e.path().string());
    } else {
      tree[name] = "<other>";
    }
  }
  return tree;
}

::testing::AssertionResult shows_page_colour(const QImage& image, int page, int tolerance) {
  if (image.isNull()) return ::testing::AssertionFailure() << "no image";
  int x = static_cast<int>(image.width() * kSquareShare / 2);
  int y = static_cast<int>(image.height() * kSquareShare / 2);
  QRgb got = image.pixel(x, y);
  Rgb want = page_colour(page);
  if (std::abs(qRed(got) - want.r) <= tolerance && std::abs(qGreen(got) - want.g) <= tolerance &&
      std::abs(qBlue(got) - want.b) <= tolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "page " << page + 1 << " shows " << qRed(got) << "," << qGreen(got) << "," << qBlue(got)
         << " where " << want.r << "," << want.g << "," << want.b << " belongs";
}

deck::Options test_options(deck::ImageFormat format) {
  deck::Options options;
  options.format = format;
  options.jobs = 2;
  return options;
}

}  // namespace vellumet::testing
