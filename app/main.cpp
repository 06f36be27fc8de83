// Kelvane: starts the application and opens the main window.
#include <QApplication>

#include "board/board_accessible.h"
#include "board/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Kelvane");
  QApplication::setOrganizationName("Kelvane");
  QGuiApplication::setDesktopFileName("io.github.kelvane.Kelvane");
  kelvane::ui::InstallAccessibleFactory();  // before the first widget, whose interface a screen reader may ask for at once
  kelvane::ui::MainWindow window(kelvane::ui::FindFolders());
  window.Startup();
  window.show();
  return QApplication::exec();
}
