#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>

#include "ui/app_setup.h"

int main(int argc, char** argv) {
  // The windows never need a screen here; test discovery runs without one too.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::setlocale(LC_ALL, "");
  vellumet::ui::apply_window_font(app);
  vellumet::ui::install_japanese_translation(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
