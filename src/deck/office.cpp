#include "deck/office.h"

#include <unistd.h>

#include <QUrl>
#include <cstdlib>

#include "base/ascii.h"
#include "base/file_ops.h"
#include "base/text_file.h"
#include "deck/child_process.h"
#include "deck/files.h"

namespace vellumet::deck {

namespace {

// The last line LibreOffice printed that says something, as the reason of a
// failed conversion; at most a line's worth.
std::string last_line(const std::string& log) {
  std::string bytes;
  if (!read_file(log, bytes, 1 << 20).ok) return {};
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string_view line(bytes.data() + start, end - start);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
    // Its note about Java is printed on every run and says nothing of the file.
    if (!line.empty() && line.find("javaldx") == std::string_view::npos) lines.push_back(line);
    start = end + 1;
  }
  if (lines.empty()) return {};
  return std::string(lines.back().substr(0, 300));
}

}  // namespace

bool is_office_deck(std::string_view name) {
  for (const char* ext : kOfficeExtensions) {
    if (ends_with_folded(name, ext)) return true;
  }
  return false;
}

std::string find_office_program(const std::string& given) {
  if (!given.empty()) return given;
  const char* path = std::getenv("PATH");
  if (!path) return {};
  for (const char* name : {"soffice", "libreoffice"}) {
    for (std::string_view rest = path;;) {
      std::size_t colon = rest.find(':');
      std::string_view dir = rest.substr(0, colon);
      std::string candidate = std::string(dir.empty() ? "." : dir) + "/" + name;
      if (is_normal_file(candidate) && ::access(candidate.c_str(), X_OK) == 0) return candidate;
      if (colon == std::string_view::npos) break;
      rest.remove_prefix(colon + 1);
    }
  }
  return {};
}

Failure office_to_pdf(const std::string& deck, const std::string& work,
                      const OfficeSettings& settings, std::string& pdf, FileResult& why) {
  std::string name = name_of(deck);
  std::string ext = name.substr(name.find_last_of('.'));
  // A copy under a plain name: LibreOffice then never sees a name that starts
  // with "-", holds spaces or needs escaping in a URL.
  std::string copy = work + "/deck" + ext;
  FileResult copied = copy_file(deck, copy);
  auto fail = [&why, &name](Failure failure, int err, std::string reason) {
    why = failure_result(failure, name, err, std::move(reason));
    return failure;
  };
  if (!copied.ok) return fail(Failure::Write, copied.error, copied.reason);

  std::string profile =
      QUrl::fromLocalFile(QString::fromStdString(work + "/profile")).toString().toStdString();
  std::vector<std::string> argv = {settings.program,
                                   "--headless",
                                   "--norestore",
                                   "--nolockcheck",
                                   "-env:UserInstallation=" + profile,
                                   "--convert-to",
                                   "pdf:impress_pdf_Export",
                                   "--outdir",
                                   work + "/out",
                                   copy};
  std::string log = work + "/log.txt";
  ChildRun run = run_child(argv, log, settings.limit, settings.cancel);
  switch (run.end) {
    case ChildEnd::NotStarted:
      return fail(Failure::NoOffice, 0, run.reason);
    case ChildEnd::TimedOut:
      return fail(Failure::OfficeTimeout, 0, std::to_string(settings.limit.count()));
    case ChildEnd::Cancelled:
      return fail(Failure::Cancelled, 0, {});
    case ChildEnd::Exited:
      break;
  }
  pdf = work + "/out/deck.pdf";
  if (run.status != 0 || !is_normal_file(pdf))
    return fail(Failure::OfficeFailed, 0, last_line(log));
  return Failure::None;
}

}  // namespace vellumet::deck
