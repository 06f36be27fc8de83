// An answerer for every modal window: scripted answers, and a record of what was asked.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "uikit/modal.h"

namespace kelvane::ui {

// Answers every modal window in place of the user and remembers what was asked.
class Answers : public ModalAnswerer {
 public:
  std::vector<std::pair<std::string, std::string>> messages;
  std::deque<int> codes;          // answers to the message box, in order; then 1
  std::deque<std::string> files;  // answers to the file chooser; then ""
  std::deque<int> plainCodes;     // answers to the plain message box; then 1
  std::vector<FileRequest> requests;
  std::vector<std::string> plain;
  std::vector<bool> plainYesNo;
  // Runs while a message is open, before it is answered: what the user does meanwhile.
  std::function<void(const std::string&)> whileOpen;

  int Message(const std::string& text, const std::string& style) override {
    messages.emplace_back(text, style);
    if (whileOpen) whileOpen(text);
    return Next(codes, 1);
  }
  std::string FileName(const FileRequest& request) override {
    requests.push_back(request);
    return Next(files, std::string());
  }
  int PlainMessage(const std::string& text, bool yesNo) override {
    plain.push_back(text);
    plainYesNo.push_back(yesNo);
    return Next(plainCodes, 1);
  }

 private:
  template <typename T>
  static T Next(std::deque<T>& queue, T otherwise) {
    if (queue.empty()) return otherwise;
    T first = queue.front();
    queue.pop_front();
    return first;
  }
};

}  // namespace kelvane::ui
