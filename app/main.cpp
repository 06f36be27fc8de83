// Kelvane: starts the application and opens the main window.
#include <QApplication>

#include "board/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Kelvane");
  QApplication::setOrganizationName("Kelvane");
  QGuiApplication::setDesktopFileName("io.github.kelvane.Kelvane");
  kelvane::ui::MainWindow window(kelvane::ui::FindFolders());
  window.Startup();
  window.show();
  return QApplication::exec();
}
