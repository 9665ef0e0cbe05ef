#include "deck/make_show.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QPdfDocument>
#include <QPdfSelection>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <semaphore>
#include <thread>

#include "base/ascii.h"
#include "base/file_ops.h"
#include "deck/files.h"
#include "deck/office.h"
#include "deck/page_image.h"
#include "deck/show_folder.h"
#include "source/file_names.h"

namespace vellumet::deck {

namespace {

// What the decks of one call share: the cores, as tokens a page's rendering
// and encoding (or a LibreOffice run) holds, and the progress callback.
struct Shared {
  Shared(const Options& o, int n) : options(o), jobs(n), cores(n) {}
  const Options& options;
  int jobs;
  std::counting_semaphore<1024> cores;
  std::mutex progress_lock;

  bool cancelled() const { return options.cancel && options.cancel->load(); }
  // Counts one more of `done` and reports it, so that reports come in order.
  void report(std::size_t deck, std::atomic<long>& done, long pages) {
    std::lock_guard lock(progress_lock);
    long now = ++done;
    if (options.progress) options.progress({deck, now, pages});
  }
};

// Holds one of the shared cores for its lifetime.
class Core {
 public:
  explicit Core(Shared& shared) : shared_(shared) { shared_.cores.acquire(); }
  ~Core() { shared_.cores.release(); }
  Core(const Core&) = delete;
  Core& operator=(const Core&) = delete;

 private:
  Shared& shared_;
};

// An open file, closed when it goes.
struct Fd {
  int fd = -1;
  ~Fd() {
    if (fd >= 0) ::close(fd);
  }
};

// A folder removed with its contents when it goes.
struct TempFolder {
  std::string path;
  ~TempFolder() {
    if (!path.empty()) remove_tree(path);
  }
};

std::string temp_parent() {
  const char* tmp = std::getenv("TMPDIR");
  return tmp && *tmp ? tmp : "/tmp";
}

// A PDF ends in "%%EOF" within its last 1024 bytes; one that does not was cut
// short, whatever a reader would make of the part that is there.
bool ends_like_pdf(int fd) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return false;
  char tail[1024];
  off_t size = info.st_size;
  off_t start = std::max<off_t>(0, size - static_cast<off_t>(sizeof tail));
  ssize_t got = ::pread(fd, tail, static_cast<std::size_t>(size - start), start);
  return got > 0 && std::string_view(tail, static_cast<std::size_t>(got)).find("%%EOF") !=
                        std::string_view::npos;
}

Failure load_failure(QPdfDocument::Error error) {
  switch (error) {
    case QPdfDocument::Error::None:
      return Failure::None;
    case QPdfDocument::Error::IncorrectPassword:
    case QPdfDocument::Error::UnsupportedSecurityScheme:
      return Failure::Password;
    default:
      return Failure::Corrupt;
  }
}

// A page's text with its lines joined by LF and no blank ends.
std::string page_text(QPdfDocument& document, int page) {
  QString text = document.getAllText(page).text();
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text.trimmed().toStdString();
}

std::string first_line(const std::string& text) {
  std::string line = text.substr(0, text.find('\n'));
  return QString::fromStdString(line).trimmed().toStdString();
}

// The pages of one deck, shared by its workers.
struct PageWork {
  std::string pdf;  // a path to the open PDF that any thread can load
  int pages = 0;
  std::string staging;
  std::string show;
  std::size_t index = 0;
  std::vector<std::string>* texts = nullptr;

  std::atomic<int> next{0};
  std::atomic<long> done{0};
  std::atomic<bool> stop{false};
  std::mutex failure_lock;
  Result failure;

  void fail(Result result) {
    std::lock_guard lock(failure_lock);
    if (failure.ok()) failure = std::move(result);
    stop = true;
  }
};

// One worker: takes the next page until none is left, renders it with a
// document of its own (the PDF library runs one call at a time in the
// process; encoding and writing overlap it on the other cores).
void render_pages(PageWork& work, Shared& shared) {
  const Options& options = shared.options;
  QPdfDocument document;
  if (document.load(QString::fromStdString(work.pdf)) != QPdfDocument::Error::None) {
    work.fail(failed(Failure::Corrupt, work.show));
    return;
  }
  QByteArray bytes;
  for (int page; (page = work.next++) < work.pages;) {
    if (work.stop) return;
    if (shared.cancelled()) {
      work.fail(failed(Failure::Cancelled, work.show));
      return;
    }
    std::string name = slide_image_name(page + 1, extension(options.format));
    bool encoded = false;
    {
      Core core(shared);
      QImage image = render_page(document, page, options.width);
      (*work.texts)[page] = page_text(document, page);
      encoded = !image.isNull() && encode(image, options.format, bytes);
    }
    if (!encoded) {
      work.fail(failed(Failure::Corrupt, work.show));
      return;
    }
    FileResult written = write_new_file(work.staging + "/" + name,
                                        std::string_view(bytes.constData(), bytes.size()));
    if (!written.ok) {
      work.fail(failed(Failure::Write, work.show + "/" + name, written.reason));
      return;
    }
    shared.report(work.index, work.done, work.pages);
  }
}

// Checks what can be checked before anything is made; on success `kind_pdf`
// says whether the deck is a PDF (else an office file) and `use` what
// becomes of its show folder.
Result check_request(const Request& request, const Options& options, std::string& show,
                     FolderUse& use, Manifest& old) {
  if (options.width < kMinWidth || options.width > kMaxWidth)
    return failed(Failure::BadWidth, std::to_string(options.width));
  if (!can_write(options.format)) return failed(Failure::NoEncoder, format_name(options.format));
  if (!is_normal_file(request.deck)) return failed(Failure::NotFound, request.deck);
  if (!ends_with_folded(request.deck, ".pdf") && !is_office_deck(request.deck))
    return failed(Failure::NotDeck, request.deck);
  show = show_folder_for(request.deck, request.out_folder);
  if (show.empty()) return failed(Failure::NotDeck, request.deck);
  use = folder_use(show, !request.out_folder.empty(), old);
  if (use == FolderUse::Refuse) return failed(Failure::Foreign, show);
  return {};
}

Outcome make_one(std::size_t index, const Request& request, Shared& shared) {
  const Options& options = shared.options;
  Outcome outcome;
  Show& show = outcome.show;
  FolderUse use = FolderUse::Create;
  Manifest old;
  outcome.result = check_request(request, options, show.folder, use, old);
  if (!outcome.result.ok()) return outcome;

  std::string deck_name = name_of(request.deck);
  std::string pdf = request.deck;
  std::string download = deck_name;
  TempFolder office_work;
  if (is_office_deck(deck_name)) {
    OfficeSettings settings{find_office_program(options.office_program), options.office_limit,
                            options.cancel};
    if (settings.program.empty()) {
      outcome.result = failed(Failure::NoOffice, request.deck);
      return outcome;
    }
    FileResult made;
    office_work.path = make_private_folder(temp_parent(), "vellumet-office-", made);
    if (office_work.path.empty()) {
      outcome.result = failed(Failure::Write, temp_parent(), made.reason);
      return outcome;
    }
    std::atomic<long> none{-1};
    shared.report(index, none, 0);
    {
      Core core(shared);
      outcome.result = office_to_pdf(request.deck, office_work.path, settings, pdf);
    }
    if (!outcome.result.ok()) {
      outcome.result.file = request.deck;
      return outcome;
    }
    download = deck_name.substr(0, deck_name.find_last_of('.')) + ".pdf";
  }

  // Read through the open file from here on: every worker opens the same
  // file, whatever its name's bytes, even if it is renamed meanwhile.
  Fd file{::open(pdf.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
  struct stat info {};
  if (file.fd < 0 || ::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    outcome.result = failed(Failure::NotFound, request.deck);
    return outcome;
  }
  if (!ends_like_pdf(file.fd)) {
    outcome.result = failed(Failure::Corrupt, request.deck);
    return outcome;
  }
  std::string fd_path = "/proc/self/fd/" + std::to_string(file.fd);
  QPdfDocument document;
  Failure failure = load_failure(document.load(QString::fromStdString(fd_path)));
  if (failure == Failure::None && document.pageCount() <= 0) failure = Failure::NoPages;
  if (failure != Failure::None) {
    outcome.result = failed(failure, request.deck);
    return outcome;
  }

  Manifest& manifest = show.manifest;
  manifest.title =
      document.metaData(QPdfDocument::MetaDataField::Title).toString().simplified().toStdString();
  manifest.source = deck_name;
  manifest.download = download;
  manifest.image = extension(options.format);
  manifest.width = options.width;
  manifest.texts.assign(static_cast<std::size_t>(document.pageCount()), {});

  Staging staging;
  FileResult opened = staging.open(show.folder, use == FolderUse::Create);
  if (!opened.ok) {
    outcome.result = failed(Failure::Write, show.folder, opened.reason);
    return outcome;
  }

  PageWork work;
  work.pdf = fd_path;
  work.pages = document.pageCount();
  work.staging = staging.path();
  work.show = show.folder;
  work.index = index;
  work.texts = &manifest.texts;
  {
    std::vector<std::jthread> workers;
    for (int i = 0, n = std::min(shared.jobs, work.pages); i < n; ++i)
      workers.emplace_back([&work, &shared] { render_pages(work, shared); });
  }
  if (!work.failure.ok()) {
    outcome.result = work.failure;
    if (outcome.result.failure == Failure::Corrupt) outcome.result.file = request.deck;
    return outcome;
  }
  if (shared.cancelled()) {
    outcome.result = failed(Failure::Cancelled, request.deck);
    return outcome;
  }

  if (manifest.title.empty()) manifest.title = first_line(manifest.texts.front());
  FileResult written = copy_file(fd_path, staging.path() + "/" + download);
  if (!written.ok) {
    outcome.result = failed(Failure::Write, show.folder + "/" + download, written.reason);
    return outcome;
  }
  written = write_manifest(staging.path(), manifest);
  if (!written.ok) {
    outcome.result = failed(Failure::Write, show.folder + "/" + kManifestName, written.reason);
    return outcome;
  }
  std::vector<std::string> names = manifest_files(manifest);
  names.push_back(kManifestName);
  written = staging.commit(
      names, use == FolderUse::Update ? manifest_files(old) : std::vector<std::string>{});
  if (!written.ok) {
    outcome.result = failed(Failure::Write, show.folder, written.reason);
    return outcome;
  }
  show.updated = use == FolderUse::Update;
  return outcome;
}

int jobs_for(const Options& options) {
  return std::clamp(options.jobs > 0 ? options.jobs : machine_cores(), 1, 256);
}

}  // namespace

int machine_cores() {
  cpu_set_t set;
  if (::sched_getaffinity(0, sizeof set, &set) == 0) return std::max(1, CPU_COUNT(&set));
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

Outcome make_show(const Request& request, const Options& options) {
  Shared shared(options, jobs_for(options));
  return make_one(0, request, shared);
}

std::vector<Outcome> make_shows(const std::vector<Request>& requests, const Options& options) {
  Shared shared(options, jobs_for(options));
  std::vector<Outcome> outcomes(requests.size());
  std::atomic<std::size_t> next{0};
  std::vector<std::jthread> runners;
  for (int i = 0, n = static_cast<int>(std::min<std::size_t>(shared.jobs, requests.size())); i < n;
       ++i) {
    runners.emplace_back([&] {
      for (std::size_t k; (k = next++) < requests.size();)
        outcomes[k] = make_one(k, requests[k], shared);
    });
  }
  runners.clear();
  return outcomes;
}

}  // namespace vellumet::deck
