// A main window in a temporary program folder, with every modal window answered by the test.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <deque>
#include <filesystem>

#include "board/main_window.h"
#include "model/puzzle_file.h"
#include "uikit/modal.h"
#include "test_support.h"

namespace kelvane::ui {

namespace fs = std::filesystem;


// Answers every modal window in place of the user and remembers what was asked.
class Answers : public ModalAnswerer {
 public:
  std::vector<std::pair<std::string, std::string>> messages;
  std::deque<int> codes;          // answers to the message box, in order; then 1
  std::deque<std::string> files;  // answers to the file chooser; then ""
  std::vector<FileRequest> requests;
  std::vector<std::string> plain;

  int Message(const std::string& text, const std::string& style) override {
    messages.emplace_back(text, style);
    if (codes.empty()) return 1;
    const int c = codes.front();
    codes.pop_front();
    return c;
  }
  std::string FileName(const FileRequest& request) override {
    requests.push_back(request);
    if (files.empty()) return "";
    std::string f = files.front();
    files.pop_front();
    return f;
  }
  int PlainMessage(const std::string& text, bool) override {
    plain.push_back(text);
    return 1;
  }
};

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
  void Click(const char* name, Qt::MouseButton button = Qt::LeftButton) { QTest::mouseClick(Find<QWidget>(name), button); }
  QString Text(const char* name) {
    if (auto* e = w->findChild<QLineEdit*>(name)) return e->text();
    return Find<QLabel>(name)->text();
  }
};

}  // namespace kelvane::ui
