// A main window in a temporary program folder, with every modal window answered by the test.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <deque>
#include <filesystem>

#include "board/main_window.h"
#include "model/puzzle_file.h"
#include "modal_answers.h"
#include "test_support.h"

namespace kelvane::ui {

namespace fs = std::filesystem;

inline std::string records(int count, int first = 1) {
  std::string text;
  const std::string grid = "3-1-2+ - -2-3-1- - +1-2-3";
  for (int k = first; k < first + count; ++k) text += FormatRecord(k, k % 2 == 0, 5, 4, 11, grid, "21,11,1,3, 11");
  return text;
}

struct Program {
  test::TempDir dir;
  Answers answers;
  ScopedAnswerer scoped{answers};
  std::unique_ptr<MainWindow> w;

  Program() {
    for (const char* f : {"all.col", "puzzles.kvl", "kelvane.htm", "k5x5.kvy", "k7x7.kvy", "k9x9.kvy"})
      fs::copy_file(std::string(KELVANE_BIN_DIR) + f, dir.File(f));
  }
  std::string Config() const { return dir.File("kelvane.cfg"); }
  void WriteConfig(const std::string& puzzleFile, const std::string& scheme = "default.col") {
    test::WriteFile(Config(), "Arial\r\n 16 \r\n" + scheme + "\r\n 0 \r\n" + puzzleFile + "\r\n");
  }
  // Writes a puzzle file into the folder and makes it the configured one.
  void UseFile(const std::string& name, const std::string& text) {
    test::WriteFile(dir.File(name), text);
    WriteConfig(dir.File(name));
  }
  MainWindow& Start() {
    w = std::make_unique<MainWindow>(Folders{dir.Folder(), dir.Folder()});
    w->Startup();
    return *w;
  }
  template <typename T>
  T* Find(const char* name) {
    T* found = w->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  // Turns the event loop until the batch on the worker has ended and been shown.
  void WaitForBatch(int ms = 60000) { QTRY_VERIFY_WITH_TIMEOUT(!w->BatchRunning(), ms); }
  void Click(const char* name, Qt::MouseButton button = Qt::LeftButton) { QTest::mouseClick(Find<QWidget>(name), button); }
  QString Text(const char* name) {
    if (auto* e = w->findChild<QLineEdit*>(name)) return e->text();
    return Find<QLabel>(name)->text();
  }
};

}  // namespace kelvane::ui
