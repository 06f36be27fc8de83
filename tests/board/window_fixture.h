// Window tests: a main window in a temporary program folder, or a dialog alone; the test answers every modal window.
#pragma once

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "board/board_widget.h"
#include "board/main_window.h"
#include "model/puzzle_file.h"
#include "modal_answers.h"
#include "test_support.h"
#include "uikit/box_control.h"
#include "uikit/fn_dialog.h"
#include "uikit/msg_form.h"

namespace kelvane::ui {

namespace fs = std::filesystem;

using Msg = std::pair<std::string, std::string>;

// count records of one 5x5 board, numbered from first; even numbers Easy, odd Hard.
inline std::string records(int count, int first = 1) {
  std::string text;
  const std::string grid = "3-1-2+ - -2-3-1- - +1-2-3";
  for (int k = first; k < first + count; ++k) text += FormatRecord(k, k % 2 == 0, 5, 4, 11, grid, "21,11,1,3, 11");
  return text;
}

struct Program {
  test::TempDir dir;
  test::TempDir data;  // the player's progress and pasted puzzles
  Answers answers;
  ScopedAnswerer scoped{answers};
  std::unique_ptr<MainWindow> window;

  Program() {
    for (const char* f : {"all.col", "puzzles.kvl", "kelvane.htm", "k5x5.kvy", "k7x7.kvy", "k9x9.kvy"})
      fs::copy_file(std::string(KELVANE_BIN_DIR) + f, dir.File(f));
  }
  std::string Config() const { return dir.File("kelvane.cfg"); }
  // Writes a puzzle file into the folder and makes it the configured one.
  void UseFile(const std::string& name, const std::string& text) {
    test::WriteFile(dir.File(name), text);
    test::WriteFile(Config(), "Arial\r\n 16 \r\ndefault.col\r\n 0 \r\n" + dir.File(name) + "\r\n");
  }
  std::function<bool()> prefersDark = [] { return false; };  // the desktop's appearance at a first start
  MainWindow& Start() {
    window = std::make_unique<MainWindow>(Folders{dir.Folder(), dir.Folder(), data.Folder()});
    window->SetDesktopAppearance(prefersDark);
    window->Startup();
    return *window;
  }
  // Shows the window and makes it active, for tests that send keys.
  void Show() {
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  template <typename T>
  T* Find(const char* name) { return Named<T>(*window, name); }
  // Turns the event loop until the batch on the worker has ended and been shown.
  void WaitForBatch(int ms = 60000) { QTRY_VERIFY_WITH_TIMEOUT(!window->BatchRunning(), ms); }
  void Click(const char* name, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseClick(Find<QWidget>(name), b); }
  BoardWidget* Board() { return Find<BoardWidget>("Shape1"); }
  // A click in the middle of cell i; 0 is the overlay on the marked cell.
  void Cell(int i, Qt::MouseButton b = Qt::LeftButton) {
    QTest::mouseClick(Board(), b, {}, Board()->CellRect(i).center());
  }
  QString Text(const char* name) {
    if (auto* e = window->findChild<QLineEdit*>(name)) return e->text();
    return Find<QLabel>(name)->text();
  }
};

// Twelve puzzles of records(): odd numbers Hard, even Easy.
struct Twelve : Program {
  Twelve() { UseFile("twelve.kvl", records(12)); }
};

// The worked board first: the solution 21,11,1,3 through marked cell 1; 21,23,25,15,5 also sums to 0.
struct Worked : Program {
  Worked() {
    UseFile("worked.kvl", FormatRecord(1, true, 5, 4, 1, "1-2-3+ - -2-3-1- - -3-1+2", "21,11,1,3, 1") + records(9, 2));
  }
  // The chain and the sum shown beside the board.
  std::string Chain() { return window->State().ChainString + " sum " + Text("Label5").toStdString(); }
};

// A test's fixture: the window started on Twelve or Worked.
template <typename Puzzles>
struct Started : ::testing::Test, Puzzles {
  MainWindow& w = this->Start();
};
using TwelveWindow = Started<Twelve>;
using WorkedWindow = Started<Worked>;

// A dialog on its own: the derived fixture holds it and points root at it.
struct DialogTest : ::testing::Test {
  test::TempDir dir;
  Answers answers;
  ScopedAnswerer scoped{answers};
  MsgForm messages;
  QWidget* root = nullptr;

  template <typename T>
  T* Find(const char* name) { return Named<T>(*root, name); }
  std::string Edit(const char* name) { return Find<QLineEdit>(name)->text().toStdString(); }
  void Release(const char* button) { QTest::mouseClick(Find<BoxControl>(button), Qt::LeftButton); }
  void Choose() { QTest::mouseClick(Find<FNDialog>("gf1")->findChild<QPushButton*>(), Qt::LeftButton); }
};

}  // namespace kelvane::ui
