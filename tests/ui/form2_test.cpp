#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "ui/form2.h"
#include "ui/frame_preview.h"
#include "ui_fixture.h"

namespace vellumet::ui::testing {
namespace {

class Form2Test : public UiTest {
 protected:
  Form2* open() {
    action("set_frame")->trigger();
    Form2* dialog = form->form2();
    EXPECT_NE(dialog, nullptr);
    if (dialog) {
      EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog));
    }
    return dialog;
  }
  QRadioButton* option(Form2* dialog, int i) {
    return dialog->findChild<QRadioButton*>(QStringLiteral("Option1_%1").arg(i));
  }
  int checked_option(Form2* dialog) {
    int found = -1;
    for (int i = 0; i < 4; ++i)
      if (option(dialog, i)->isChecked()) found = i;
    return found;
  }
  void press(Form2* dialog, const char* name) {
    QTest::mouseClick(dialog->findChild<QPushButton*>(name), Qt::LeftButton);
    settle();
  }
};

TEST_F(Form2Test, OpensOnceModelessAndKeepsTheSelection) {
  Form2* dialog = open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(dialog->isModal());
  EXPECT_EQ(dialog->size(), QSize(315, 167));
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("オプション ・・・ Frame 形式の設定"));
  EXPECT_EQ(checked_option(dialog), 0);
  QTest::mouseClick(option(dialog, 2), Qt::LeftButton);
  EXPECT_EQ(open(), dialog);  // brought to the front, not loaded again
  EXPECT_EQ(checked_option(dialog), 2);
  EXPECT_EQ(form->job().state.frame_style, 0);

  // The main window stays usable meanwhile.
  action("mott_option")->trigger();
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_TRUE(dialog->isVisible());
}

TEST_F(Form2Test, CancelKeepsTheStyleAndSetAppliesIt) {
  Form2* dialog = open();
  QTest::mouseClick(option(dialog, 2), Qt::LeftButton);
  press(dialog, "Command2");  // Cancel
  EXPECT_EQ(form->form2(), nullptr);
  EXPECT_EQ(form->job().state.frame_style, 0);

  dialog = open();  // a new dialog shows the old choice
  EXPECT_EQ(checked_option(dialog), 0);
  EXPECT_EQ(dialog->findChild<FramePreview*>("Picture1")->style(), 0);
  QTest::mouseClick(option(dialog, 3), Qt::LeftButton);
  press(dialog, "Command1");  // Set
  EXPECT_EQ(form->form2(), nullptr);
  EXPECT_EQ(form->job().state.frame_style, 3);

  dialog = open();
  EXPECT_EQ(checked_option(dialog), 3);
  dialog->close();  // through the frame: like Cancel
  settle();
  EXPECT_EQ(form->job().state.frame_style, 3);

  action("icon_server")->trigger();  // the icon list's style replaces the choice
  EXPECT_EQ(form->job().state.frame_style, 0);
}

TEST_F(Form2Test, PreviewLineLiesAtTheBandEdgeAndSurvivesRepaints) {
  struct Case {
    int style;
    bool vertical;
    int at;  // column or row of the line inside the 161 x 121 box
  };
  // A tenth of the box: 16.1 and 144.9 across, 12.1 and 108.9 down.
  const Case cases[] = {{0, true, 16}, {1, true, 145}, {2, false, 12}, {3, false, 109}};
  Form2* dialog = open();
  auto* picture = dialog->findChild<FramePreview*>("Picture1");
  ASSERT_EQ(picture->size(), QSize(161, 121));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    QTest::mouseClick(option(dialog, c.style), Qt::LeftButton);
    EXPECT_EQ(picture->style(), c.style);
    picture->update();
    settle();
    const QImage image = picture->grab().toImage();
    const int length = c.vertical ? image.height() : image.width();
    int black_on_line = 0, black_elsewhere = 0;
    for (int i = 0; i < length; ++i) {
      for (int offset = -3; offset <= 3; ++offset) {
        const int pos = c.at + offset;
        const QRgb px = c.vertical ? image.pixel(pos, i) : image.pixel(i, pos);
        const bool black = qGray(px) < 64;
        if (offset == 0)
          black_on_line += black;
        else if (black)
          ++black_elsewhere;
      }
    }
    EXPECT_EQ(black_on_line, length);
    EXPECT_EQ(black_elsewhere, 0);
    const int away = c.at < 60 ? c.at + 20 : c.at - 20;
    EXPECT_EQ(image.pixel(c.vertical ? away : 80, c.vertical ? 60 : away), QColor(Qt::white).rgb());
  }
}

TEST_F(Form2Test, AnOpenDialogOutlivesTheClosedMainWindow) {
  Form2* dialog = open();
  bool dialog_still_open = false, timed_out = false;
  // Inside the program's event loop: closing the main window through its frame
  // asks nothing and does not end the program while the dialog is open.
  // Local timers, so nothing is left pending when the loop has ended.
  QTimer close_form, close_dialog, give_up;
  for (QTimer* t : {&close_form, &close_dialog, &give_up}) t->setSingleShot(true);
  QObject::connect(&close_form, &QTimer::timeout, [&] { form->close(); });
  QObject::connect(&close_dialog, &QTimer::timeout, [&] {
    dialog_still_open = dialog->isVisible();
    dialog->close();  // the last window: now the program ends
  });
  QObject::connect(&give_up, &QTimer::timeout, [&] {
    timed_out = true;
    QCoreApplication::quit();
  });
  close_form.start(0);
  close_dialog.start(100);
  give_up.start(5000);
  QApplication::exec();
  EXPECT_TRUE(dialog_still_open);
  EXPECT_FALSE(timed_out);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Form2Test, StyleOutsideTheRangeSelectsNothingAndDrawsNoLine) {
  form->job().state.frame_style = 7;
  Form2* dialog = open();
  EXPECT_EQ(checked_option(dialog), -1);
  auto* picture = dialog->findChild<FramePreview*>("Picture1");
  EXPECT_TRUE(picture->line().isNull());
  const QImage image = picture->grab().toImage();
  for (int y = 0; y < image.height(); y += 5)
    for (int x = 0; x < image.width(); x += 5)
      ASSERT_EQ(image.pixel(x, y), QColor(Qt::white).rgb());
  press(dialog, "Command1");  // Set with nothing selected changes nothing
  EXPECT_EQ(form->job().state.frame_style, 7);
}

}  // namespace
}  // namespace vellumet::ui::testing
