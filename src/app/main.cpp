// The program: the main window over the program folder's data.

#include "ui/run_window.h"

int main(int argc, char* argv[]) {
  return vellumet::ui::run_window(argc, argv);
}
