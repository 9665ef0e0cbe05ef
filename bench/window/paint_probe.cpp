// Preloaded into a Qt Widgets program (LD_PRELOAD). It notes when the first
// window has been painted; in memory mode it then browses to a folder and
// reads the peak resident size; in folder mode it opens a folder and its
// parent in turn from the folder list and times each opening of the folder.
// The result goes to the file named in VELLUMET_PROBE_OUT and the process
// ends at once.
//
//   VELLUMET_PROBE_T0      start time, ns since the epoch (date +%s%N)
//   VELLUMET_PROBE_MODE    "startup" (default), "memory" or "folder"
//   VELLUMET_PROBE_FOLDER  memory and folder mode: the folder to open; in
//                          folder mode a sub-folder of the working folder
//   VELLUMET_PROBE_RUNS    folder mode: how many times (default 9)
#include <time.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

long long now_ns() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

double cpu_ms() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

long peak_kb() {
  FILE* f = std::fopen("/proc/self/status", "r");
  if (f == nullptr) return -1;
  char line[256];
  long kb = -1;
  while (std::fgets(line, sizeof line, f) != nullptr) {
    if (std::strncmp(line, "VmHWM:", 6) == 0) kb = std::strtol(line + 6, nullptr, 10);
  }
  std::fclose(f);
  return kb;
}

[[noreturn]] void finish(const std::string& result) {
  if (const char* out = std::getenv("VELLUMET_PROBE_OUT")) {
    if (FILE* f = std::fopen(out, "w")) {
      std::fputs(result.c_str(), f);
      std::fclose(f);
    }
  }
  std::fflush(nullptr);
  std::_Exit(0);
}

// The widget of that name in a shown window (hidden windows may hold one too).
QWidget* find_widget(const char* name) {
  QWidget* hidden = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    QList<QWidget*> found = top->findChildren<QWidget*>(QLatin1String(name));
    if (top->objectName() == QLatin1String(name)) found.prepend(top);
    for (QWidget* w : found) {
      if (w->window()->isVisible()) return w;
      if (hidden == nullptr) hidden = w;
    }
  }
  return hidden;
}

// Points the folder list at `folder`: activates its entry when the list
// shows it (as a double click does), or uses a setter the list offers.
std::string browse(const QString& folder) {
  QObject* dir = find_widget("Dir1");
  if (dir == nullptr) return "no Dir1";
  if (auto* list = qobject_cast<QListWidget*>(dir)) {
    const QString name = QFileInfo(folder).fileName();
    for (int i = 0; i < list->count(); ++i) {
      QListWidgetItem* item = list->item(i);
      if (item->text().trimmed() == name) {
        list->setCurrentItem(item);
        emit list->itemActivated(item);
        return "activating its entry in Dir1";
      }
    }
    QStringList shown;
    for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text();
    return "nothing: no entry " + name.toStdString() + " in Dir1 (" +
           shown.join(", ").toStdString() + ")";
  }
  for (const char* method : {"setPath", "setDirectory", "setCurrentPath", "setFolder"}) {
    if (QMetaObject::invokeMethod(dir, method, Qt::DirectConnection, Q_ARG(QString, folder))) {
      return method;
    }
  }
  if (dir->setProperty("path", folder)) return "path property";
  return "started in the folder";
}

class Probe : public QObject {
 public:
  bool eventFilter(QObject* obj, QEvent* event) override {
    if (!seen_ && event->type() == QEvent::Paint && obj->isWidgetType()) {
      seen_ = true;
      // Once the paint in progress is done, the window counts as painted.
      QTimer::singleShot(0, this, [this] { painted(); });
    }
    return false;
  }

 private:
  void painted() {
    const long long t0 =
        std::atoll(std::getenv("VELLUMET_PROBE_T0") ? std::getenv("VELLUMET_PROBE_T0") : "0");
    const double ms = static_cast<double>(now_ns() - t0) / 1e6;
    const char* mode = std::getenv("VELLUMET_PROBE_MODE");
    // A box at start-up (a missing icon list, say) would be what was painted.
    std::string modal;
    if (QWidget* box = QApplication::activeModalWidget()) {
      modal = "modal=" + box->windowTitle().toStdString() + "\n";
    }
    if (mode == nullptr || (std::strcmp(mode, "memory") != 0 && std::strcmp(mode, "folder") != 0)) {
      finish("startup_ms=" + std::to_string(ms) + "\nstartup_cpu_ms=" + std::to_string(cpu_ms()) +
             "\n" + modal);
    }
    if (!modal.empty()) finish("browse=nothing: " + modal);
    if (std::strcmp(mode, "folder") == 0) {
      // Once the start-up's own work is done.
      QTimer::singleShot(200, this, [this] { change_folders(); });
      return;
    }
    try_browse(50);
  }

  // Opens the folder and its parent in turn; the openings of the folder are
  // timed (process CPU time, up to the window painted again).
  void change_folders() {
    const char* folder = std::getenv("VELLUMET_PROBE_FOLDER");
    const char* runs_text = std::getenv("VELLUMET_PROBE_RUNS");
    const QFileInfo info(QString::fromLocal8Bit(folder ? folder : "."));
    const QString parent = QFileInfo(info.absolutePath()).absoluteFilePath();
    const int runs = runs_text ? std::atoi(runs_text) : 9;
    std::vector<double> cpu, wall;
    std::string count;
    for (int i = 0; i < runs; ++i) {
      const double c0 = cpu_ms();
      const long long w0 = now_ns();
      const std::string how = browse(info.absoluteFilePath());
      if (how.rfind("nothing", 0) == 0) finish("browse=" + how + "\n");
      if (QWidget* w = find_widget("Dir1")) w->window()->repaint();
      cpu.push_back(cpu_ms() - c0);
      wall.push_back(static_cast<double>(now_ns() - w0) / 1e6);
      if (auto* text2 = qobject_cast<QLineEdit*>(find_widget("Text2"))) {
        count = text2->text().toStdString();
      }
      const std::string back = browse(parent);
      if (back.rfind("nothing", 0) == 0) finish("browse=" + back + "\n");
      if (QWidget* w = find_widget("Dir1")) w->window()->repaint();
    }
    finish("folder_ms=" + std::to_string(median(cpu)) +
           "\nfolder_wall_ms=" + std::to_string(median(wall)) + "\ncount=" + count + "\n");
  }

  // The folder list may be filled after the first paint: try again for a while.
  void try_browse(int tries_left) {
    const char* folder = std::getenv("VELLUMET_PROBE_FOLDER");
    how_ = browse(QString::fromLocal8Bit(folder ? folder : "."));
    if (how_.rfind("nothing", 0) == 0 && tries_left > 0) {
      QTimer::singleShot(100, this, [this, tries_left] { try_browse(tries_left - 1); });
      return;
    }
    // Let the listing and the preview settle, then read the peak.
    QTimer::singleShot(3000, this, [this] {
      QWidget* preview = find_widget("Image3");
      const bool shown = preview != nullptr && preview->isVisible();
      finish("peak_kb=" + std::to_string(peak_kb()) + "\npreview=" + (shown ? "yes" : "no") +
             "\nbrowse=" + how_ + "\n");
    });
  }
  bool seen_ = false;
  std::string how_;
};

void install() {
  qApp->installEventFilter(new Probe);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(install)
