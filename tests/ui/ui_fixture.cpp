#include "ui_fixture.h"

#include <sys/stat.h>

#include <QAction>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QUrl>
#include <filesystem>

#include "program_folder.h"

namespace vellumet::ui::testing {

void copy_folder(const std::string& from, const std::string& to) {
  std::filesystem::create_directories(to);
  for (const auto& entry : std::filesystem::directory_iterator(from)) {
    if (entry.is_regular_file())
      std::filesystem::copy_file(entry.path(), to + "/" + entry.path().filename().string());
  }
}

bool drop_onto(QWidget* target, const QStringList& paths) {
  QMimeData data;
  QList<QUrl> urls;
  for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
  data.setUrls(urls);
  data.setText(paths.join(' '));  // as file managers add
  const QPoint at = target->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &enter);
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  if (enter.isAccepted()) QCoreApplication::sendEvent(target, &drop);
  QCoreApplication::processEvents();  // what was dropped opens once the drop is over
  return enter.isAccepted() && drop.isAccepted();
}

void UiTest::SetUp() {
  vellumet::testing::make_program_folder(program.path());
  copy_folder(VELLUMET_SAMPLE_DIR, sample());
  ::mkdir((work.path() + "/empty").c_str(), 0755);
  if (!start_later) start();
}

void UiTest::start(std::vector<Volume> volumes) {
  Form1::Setup setup;
  setup.program_folder = program.path();
  setup.start_folder = work.path();
  setup.volumes = std::move(volumes);
  setup.dialogs = &dialogs;
  form = std::make_unique<Form1>(setup);
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
}

void UiTest::TearDown() {
  form.reset();
  settle();
}

QAction* UiTest::action(const char* name) const {
  return find<QAction>(name);
}

void UiTest::open_dir_row(const QString& label) {
  auto* dir1 = find<QListWidget>("Dir1");
  const auto items = dir1->findItems(label, Qt::MatchExactly);
  ASSERT_EQ(items.size(), 1) << "Dir1 row " << label.toStdString();
  dir1->scrollToItem(items[0]);
  const QRect rect = dir1->visualItemRect(items[0]);
  QTest::mouseClick(dir1->viewport(), Qt::LeftButton, {}, rect.center());
  QTest::mouseDClick(dir1->viewport(), Qt::LeftButton, {}, rect.center());
}

QStringList UiTest::dir_rows() const {
  QStringList rows;
  auto* dir1 = find<QListWidget>("Dir1");
  for (int i = 0; i < dir1->count(); ++i) rows << dir1->item(i)->text();
  return rows;
}

void UiTest::click(const char* name) {
  QWidget* w = find(name);
  ASSERT_TRUE(w->isVisible()) << name << " is not visible";
  QTest::mouseClick(w, Qt::LeftButton);
}

QString UiTest::text(const char* name) const {
  QWidget* w = find(name);
  if (auto* line = qobject_cast<QLineEdit*>(w)) return line->text();
  if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) return edit->toPlainText();
  return {};
}

void UiTest::settle() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

}  // namespace vellumet::ui::testing
