#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "ui/app_setup.h"

int main(int argc, char** argv) {
  // The windows never need a screen here; test discovery runs without one too.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt's file dialog keeps its state in the user's settings: a fresh place per
  // run, so no run depends on an earlier one and nothing of the user's is touched.
  QTemporaryDir settings;
  qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
  QApplication app(argc, argv);
  vellumet::ui::set_up_application(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
