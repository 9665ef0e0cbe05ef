// The program: the command line when asked for, else the main window over the
// program folder's data.

#include <QApplication>
#include <clocale>

#include "base/program_folder.h"
#include "cli/run.h"
#include "ui/app_setup.h"
#include "ui/artwork.h"
#include "ui/form1.h"

int main(int argc, char* argv[]) {
  // No application object on this path: it needs no display.
  if (vellumet::cli::command_line_wanted(argc, argv))
    return vellumet::cli::command_line_main(argc, argv);
  QApplication app(argc, argv);
  // Qt sets the locale from the environment; the file-name code page follows it.
  std::setlocale(LC_ALL, "");
  app.setApplicationName(QStringLiteral("Vellumet"));
  app.setDesktopFileName(QStringLiteral("vellumet"));
  app.setWindowIcon(vellumet::ui::program_icon());
  vellumet::ui::apply_window_font(app);
  vellumet::ui::install_japanese_translation(app);

  vellumet::ui::Form1::Setup setup;
  setup.program_folder = vellumet::program_folder();
  vellumet::ui::Form1 form1(setup);
  form1.show();
  return app.exec();
}
