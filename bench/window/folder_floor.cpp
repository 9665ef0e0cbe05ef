// The folder-change floor: the visible work of opening a folder, done with
// Qt directly. A folder list (named Dir1, as the program's) holds a folder
// and its parent; opening either lists it once, sorts the names, and sets
// them into a plain text box and a hidden list.
#include <dirent.h>

#include <QApplication>
#include <QFileInfo>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) return 2;
  const QString folder = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
  const QString parent = QFileInfo(folder).absolutePath();

  QWidget window;
  window.resize(523, 316);
  auto* dirs = new QListWidget(&window);
  dirs->setObjectName(QStringLiteral("Dir1"));
  for (const QString& path : {parent, folder}) {
    auto* item = new QListWidgetItem(QFileInfo(path).fileName(), dirs);
    item->setData(Qt::UserRole, path);
  }
  auto* text = new QPlainTextEdit(&window);
  auto* files = new QListWidget(&window);
  files->hide();
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(dirs);
  layout->addWidget(text);

  QObject::connect(dirs, &QListWidget::itemActivated, [&](QListWidgetItem* item) {
    std::vector<std::string> names;
    if (DIR* d = ::opendir(item->data(Qt::UserRole).toString().toLocal8Bit().constData())) {
      while (const dirent* e = ::readdir(d)) {
        if (e->d_name[0] != '.') names.emplace_back(e->d_name);
      }
      ::closedir(d);
    }
    std::sort(names.begin(), names.end());
    QStringList list;
    list.reserve(static_cast<qsizetype>(names.size()));
    for (const std::string& n : names) list.append(QString::fromUtf8(n));
    files->clear();
    files->addItems(list);
    text->setPlainText(list.join(QLatin1Char('\n')));
  });
  window.show();
  return app.exec();
}
