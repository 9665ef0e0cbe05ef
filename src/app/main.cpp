// The program: the main window over the program folder's data.

#include <QApplication>

#include "base/program_folder.h"
#include "ui/app_setup.h"
#include "ui/artwork.h"
#include "ui/form1.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  vellumet::ui::set_up_application(app);
  app.setApplicationName(QStringLiteral("Vellumet"));
  app.setDesktopFileName(QStringLiteral("vellumet"));
  app.setWindowIcon(vellumet::ui::program_icon());

  vellumet::ui::Form1::Setup setup;
  setup.program_folder = vellumet::program_folder();
  vellumet::ui::Form1 form1(setup);
  form1.show();
  return app.exec();
}
