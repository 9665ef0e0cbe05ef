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
#include "base/messages.h"
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

// A path to the open file that any thread can load.
std::string fd_path(const Fd& file) {
  return "/proc/self/fd/" + std::to_string(file.fd);
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

Outcome failed(Failure failure, std::string file, int err = 0, std::string reason = {}) {
  Outcome outcome;
  outcome.failure = failure;
  outcome.result = failure_result(failure, std::move(file), err, std::move(reason));
  return outcome;
}

// Writing `file` failed as `why` says.
Outcome write_failed(std::string file, const FileResult& why) {
  return failed(Failure::Write, std::move(file), why.error, why.reason);
}

// The pages of one deck, shared by its workers.
struct PageWork {
  std::string pdf;  // a path to the open PDF that any thread can load
  int pages = 0;
  std::string staging;
  std::string show;
  std::string deck;
  std::size_t index = 0;
  std::vector<std::string>* texts = nullptr;

  std::atomic<int> next{0};
  std::atomic<long> done{0};
  std::atomic<bool> stop{false};
  std::mutex failure_lock;
  Outcome failure;

  void fail(Outcome outcome) {
    std::lock_guard lock(failure_lock);
    if (failure.ok()) failure = std::move(outcome);
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
    work.fail(failed(Failure::Corrupt, work.deck));
    return;
  }
  QByteArray bytes;
  for (int page; (page = work.next++) < work.pages;) {
    if (work.stop) return;
    if (shared.cancelled()) {
      work.fail(failed(Failure::Cancelled, work.deck));
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
      work.fail(failed(Failure::Corrupt, work.deck));
      return;
    }
    FileResult written = write_new_file(work.staging + "/" + name,
                                        std::string_view(bytes.constData(), bytes.size()));
    if (!written.ok) {
      work.fail(write_failed(work.show + "/" + name, written));
      return;
    }
    shared.report(work.index, work.done, work.pages);
  }
}

// Checks what can be checked before anything is made or read: the options,
// the deck's name and size, LibreOffice for an office file, and what becomes of the
// show folder (`use`; for an update `old` is its manifest). Sets the show's
// folder and the manifest's source, download, image and width.
Outcome check_request(const Request& request, const Options& options, FolderUse& use,
                      Manifest& old) {
  if (options.width < kMinWidth || options.width > kMaxWidth)
    return failed(Failure::BadWidth, std::to_string(options.width));
  if (!can_write(options.format)) return failed(Failure::NoEncoder, format_name(options.format));
  if (!is_normal_file(request.deck)) return failed(Failure::NotFound, request.deck);
  if (!is_deck_name(request.deck)) return failed(Failure::NotDeck, request.deck);
  // LibreOffice makes a blank page of an empty file; it has none.
  struct stat st {};
  if (::stat(request.deck.c_str(), &st) == 0 && st.st_size == 0)
    return failed(Failure::NoPages, request.deck);
  Outcome outcome;
  Show& show = outcome.show;
  show.folder = show_folder_for(request.deck, request.out_folder);
  if (show.folder.empty()) return failed(Failure::NotDeck, request.deck);
  if (is_office_deck(request.deck) && find_office_program(options.office_program).empty())
    return failed(Failure::NoOffice, request.deck);
  use = folder_use(show.folder, !request.out_folder.empty(), old);
  if (use == FolderUse::Refuse) return failed(Failure::Foreign, show.folder);
  show.updated = use == FolderUse::Update;
  Manifest& manifest = show.manifest;
  manifest.source = name_of(request.deck);
  manifest.download = manifest.source;
  // An office file is offered as the PDF made of it, never as itself.
  if (is_office_deck(manifest.source))
    manifest.download = manifest.source.substr(0, manifest.source.find_last_of('.')) + ".pdf";
  manifest.image = extension(options.format);
  manifest.width = options.width;
  return outcome;
}

// Opens the PDF `pdf` (the deck, or the PDF made of it) for reading through
// `file` and loads it into `document`: the title and one empty text a page
// go into `manifest`. `deck` is the name failures give.
Outcome open_pdf(const std::string& pdf, const std::string& deck, Fd& file, QPdfDocument& document,
                 Manifest& manifest) {
  // Read through the open file from here on: every worker opens the same
  // file, whatever its name's bytes, even if it is renamed meanwhile.
  file.fd = ::open(pdf.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  struct stat info {};
  if (file.fd < 0 || ::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode))
    return failed(Failure::NotFound, deck);
  if (!ends_like_pdf(file.fd)) return failed(Failure::Corrupt, deck);
  Failure failure = load_failure(document.load(QString::fromStdString(fd_path(file))));
  if (failure == Failure::None && document.pageCount() <= 0) failure = Failure::NoPages;
  if (failure != Failure::None) return failed(failure, deck);
  manifest.title =
      document.metaData(QPdfDocument::MetaDataField::Title).toString().simplified().toStdString();
  manifest.texts.assign(static_cast<std::size_t>(document.pageCount()), {});
  return {};
}

Outcome make_one(std::size_t index, const Request& request, Shared& shared) {
  const Options& options = shared.options;
  FolderUse use = FolderUse::Create;
  Manifest old;
  Outcome outcome = check_request(request, options, use, old);
  if (!outcome.ok()) return outcome;
  Show& show = outcome.show;
  Manifest& manifest = show.manifest;

  std::string pdf = request.deck;
  TempFolder office_work;
  if (is_office_deck(request.deck)) {
    OfficeSettings settings{find_office_program(options.office_program), options.office_limit,
                            options.cancel};
    FileResult made;
    office_work.path = make_private_folder(temp_parent(), "vellumet-office-", made);
    if (office_work.path.empty()) return write_failed(temp_parent(), made);
    std::atomic<long> none{-1};
    shared.report(index, none, 0);
    Failure failure = Failure::None;
    FileResult why;
    {
      Core core(shared);
      failure = office_to_pdf(request.deck, office_work.path, settings, pdf, why);
    }
    if (failure != Failure::None) return failed(failure, request.deck, why.error, why.reason);
  }

  Fd file;
  QPdfDocument document;
  if (Outcome opened = open_pdf(pdf, request.deck, file, document, manifest); !opened.ok())
    return opened;

  // What runs ended by force left goes first; a folder such a run made and
  // left with nothing else is made anew.
  if (use != FolderUse::Create || path_exists(show.folder)) remove_dead_work_folders(show.folder);
  if (use == FolderUse::Create) ::rmdir(show.folder.c_str());
  Staging staging;
  FileResult opened = staging.open(show.folder, use == FolderUse::Create);
  if (!opened.ok) return write_failed(show.folder, opened);

  PageWork work;
  work.pdf = fd_path(file);
  work.pages = document.pageCount();
  work.staging = staging.path();
  work.show = show.folder;
  work.deck = request.deck;
  work.index = index;
  work.texts = &manifest.texts;
  {
    std::vector<std::jthread> workers;
    for (int i = 0, n = std::min(shared.jobs, work.pages); i < n; ++i)
      workers.emplace_back([&work, &shared] { render_pages(work, shared); });
  }
  if (!work.failure.ok()) return std::move(work.failure);
  if (shared.cancelled()) return failed(Failure::Cancelled, request.deck);

  if (manifest.title.empty()) manifest.title = first_line(manifest.texts.front());
  FileResult written = copy_file(work.pdf, staging.path() + "/" + manifest.download);
  if (!written.ok) return write_failed(show.folder + "/" + manifest.download, written);
  written = write_manifest(staging.path(), manifest);
  if (!written.ok) return write_failed(show.folder + "/" + kManifestName, written);
  std::vector<std::string> names = manifest_files(manifest);
  names.push_back(kManifestName);
  written = staging.commit(
      names, use == FolderUse::Update ? manifest_files(old) : std::vector<std::string>{});
  if (!written.ok) return write_failed(show.folder, written);
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

std::string progress_message(const std::string& name, const Progress& progress) {
  if (progress.pages == 0) return msg::fill(msg::kDeckConverting, {name});
  return msg::fill(msg::kDeckPage,
                   {name, std::to_string(progress.done), std::to_string(progress.pages)});
}

bool is_deck_name(std::string_view name) {
  return ends_with_folded(name, ".pdf") || is_office_deck(name);
}

std::vector<std::string> deck_extensions() {
  std::vector<std::string> extensions = {".pdf"};
  extensions.insert(extensions.end(), kOfficeExtensions.begin(), kOfficeExtensions.end());
  return extensions;
}

Outcome plan_show(const Request& request, const Options& options) {
  FolderUse use = FolderUse::Create;
  Manifest old;
  Outcome outcome = check_request(request, options, use, old);
  if (!outcome.ok() || is_office_deck(request.deck)) return outcome;
  Fd file;
  QPdfDocument document;
  Outcome opened = open_pdf(request.deck, request.deck, file, document, outcome.show.manifest);
  return opened.ok() ? outcome : opened;
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
