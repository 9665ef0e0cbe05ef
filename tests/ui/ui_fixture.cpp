#include "ui_fixture.h"

#include <sys/stat.h>

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <filesystem>

namespace vellumet::ui::testing {

namespace {

// Templates carrying the markers the page writers replace, one file per layout.
void write_program_folder(const std::string& dir) {
  using vellumet::testing::write_bytes;
  ::mkdir((dir + "/Template").c_str(), 0755);
  ::mkdir((dir + "/buttons").c_str(), 0755);
  const char* layouts[] = {"index_c_l.htm", "index_c_r.htm", "index_r_u.htm", "index_r_d.htm"};
  for (const char* name : layouts) {
    write_bytes(dir + "/Template/" + name,
                std::string("<HTML><!-- ") + name +
                    " -->\r\n<SCRIPT>\r\nvar LastSlide = 0;\r\nvar Ext = \"GIF\";\r\n</SCRIPT>\r\n"
                    "<FRAME SRC=\"navbtn0.htm\">\r\n</HTML>\r\n");
  }
  for (const char* name : {"navbtn_c.htm", "navbtn_r.htm"}) {
    write_bytes(dir + "/Template/" + name,
                std::string("<!-- ") + name +
                    " -->\r\n<IMG SRC=\"T_BUTTON\"><IMG SRC=\"S_BUTTON\">\r\n"
                    "<A HREF=\"sld000.htm\">player</A>\r\n<A HREF=\"DOWNLOAD_FILE\">dl</A>\r\n"
                    "Go(0,0)\r\n<SELECT>\r\n</SELECT>\r\n");
  }
  write_bytes(dir + "/Template/sld000.htm",
              "<HTML><HEAD>\r\n<TITLE>x</TITLE>\r\n</HEAD><IMG SRC=\"/img0/p.gif\"></HTML>\r\n");
  write_bytes(dir + "/buttons/top.gif", "GIF89a");
  std::string list;
  for (int i = 1; i <= 8; ++i) list += "buttons/b" + std::to_string(i) + ".gif\r\n";
  write_bytes(dir + "/VellumetDefault.ini", list + "0\r\n");
  write_bytes(dir + "/Vellumet.ini", list + "2\r\n");
}

}  // namespace

void copy_folder(const std::string& from, const std::string& to) {
  std::filesystem::create_directories(to);
  for (const auto& entry : std::filesystem::directory_iterator(from)) {
    if (entry.is_regular_file())
      std::filesystem::copy_file(entry.path(), to + "/" + entry.path().filename().string());
  }
}

void UiTest::SetUp() {
  write_program_folder(program.path());
  copy_folder(VELLUMET_SAMPLE_DIR, sample());
  ::mkdir((work.path() + "/empty").c_str(), 0755);
  if (!start_later) start();
}

void UiTest::start(std::vector<Volume> volumes) {
  Form1::Setup setup;
  setup.program_dir = program.path();
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
