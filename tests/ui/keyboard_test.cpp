#include <QApplication>
#include <QTest>

#include "ui/form2.h"
#include "ui_fixture.h"

namespace vellumet::ui::testing {
namespace {

class KeyboardTest : public UiTest {
 protected:
  // The controls Tab visits, starting at `first`, until it comes back there.
  static QStringList tab_chain(QWidget* window, QWidget* first) {
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    first->setFocus();
    QStringList visited;
    for (QWidget* at = first; at != nullptr && visited.size() < 20;) {
      visited << at->objectName();
      QTest::keyClick(at, Qt::Key_Tab);
      at = QApplication::focusWidget();
      if (at == first) break;
    }
    return visited;
  }
};

TEST_F(KeyboardTest, TabFollowsTheScreenAndLeavesTheLeftoverList) {
  open_dir_row("sample");  // shows "HTML作成" and "削除"
  dialogs.files = {"/srv/slides.zip"};
  click("Check2");  // shows Text5
  const QString leftovers = text("Text4");
  EXPECT_EQ(tab_chain(form.get(), find("Drive1")).join(' ').toStdString(),
            "Drive1 Dir1 Text2 Check1 Check2 Text5 Command5 Text4 Text3 Command2 Command3");
  EXPECT_EQ(text("Text4").toStdString(), leftovers.toStdString());  // no TAB typed into it
  QTest::keyClicks(find("Text4"), "x\t");
  EXPECT_EQ(text("Text4").toStdString(), leftovers.toStdString());  // read-only to the user
}

TEST_F(KeyboardTest, FrameStyleDialogKeysBindNeitherButton) {
  action("set_frame")->trigger();
  Form2* dialog = form->form2();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
  auto* frame3 = dialog->findChild<QWidget*>("Option1_2");
  QTest::mouseClick(frame3, Qt::LeftButton);
  const QStringList chain = tab_chain(dialog, dialog->findChild<QWidget*>("Command1"));
  EXPECT_EQ(chain.mid(0, 3).join(' ').toStdString(), "Command1 Command2 Option1_2");

  // Esc, Enter and Return on the option, on "Set" and on "Cancel" change nothing.
  for (const char* name : {"Option1_2", "Command1", "Command2"}) {
    QWidget* control = dialog->findChild<QWidget*>(name);
    control->setFocus();
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
      QTest::keyClick(control, key);
      settle();
      ASSERT_EQ(form->form2(), dialog) << name << " " << key;
      EXPECT_TRUE(dialog->isVisible()) << name << " " << key;
    }
  }
  EXPECT_EQ(form->job().state.frame_style, 0);
}

}  // namespace
}  // namespace vellumet::ui::testing
