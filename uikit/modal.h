// The seam for modal windows: tests install an answerer, the program shows real windows.
#pragma once

#include <string>

namespace kelvane::ui {

// What a file chooser was asked for.
struct FileRequest {
  bool save = false;
  std::string title;
  std::string fileTypes;      // "*.kvl;*.txt;*.dat"
  std::string fileTypesName;  // "Kelvane Files"
  std::string defaultDir;
};

// Answers in place of the user. Installed by tests; while one is installed no
// modal window is shown.
class ModalAnswerer {
 public:
  virtual ~ModalAnswerer() = default;
  // The program's message box: the code of the button pressed.
  virtual int Message(const std::string& text, const std::string& style) = 0;
  // A file chooser: the chosen path, or "" for cancel.
  virtual std::string FileName(const FileRequest& request) = 0;
  // The platform's plain message box; yesNo false means an OK button only.
  // Returns 6 for Yes, 7 for No, 1 for OK.
  virtual int PlainMessage(const std::string& text, bool yesNo) = 0;
};

// The installed answerer, or nullptr.
ModalAnswerer* InstalledAnswerer();

// Installs an answerer for its lifetime (tests only).
class ScopedAnswerer {
 public:
  explicit ScopedAnswerer(ModalAnswerer& answerer);
  ~ScopedAnswerer();
  ScopedAnswerer(const ScopedAnswerer&) = delete;
  ScopedAnswerer& operator=(const ScopedAnswerer&) = delete;

 private:
  ModalAnswerer* previous_;
};

}  // namespace kelvane::ui
