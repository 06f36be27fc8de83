// Window test helpers: an answerer for every modal window, named children, and acting on a window that is open.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <string>
#include <type_traits>
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

  // Whether the messages asked are these, in order: each holds its part of the text and has its style.
  testing::AssertionResult Told(const std::vector<std::pair<std::string, std::string>>& told) const {
    bool same = messages.size() == told.size();
    for (std::size_t i = 0; same && i < told.size(); ++i)
      same = messages[i].first.find(told[i].first) != std::string::npos && messages[i].second == told[i].second;
    if (same) return testing::AssertionSuccess();
    testing::AssertionResult asked = testing::AssertionFailure() << messages.size() << " messages:";
    for (const auto& [text, style] : messages) asked << "\n  " << text << " [" << style << "]";
    return asked;
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

// A named child of a window; a missing one fails the test.
template <typename T>
T* Named(const QObject& root, const QString& name) {
  T* child = root.findChild<T*>(name);
  EXPECT_NE(child, nullptr) << name.toStdString();
  return child;
}

// Acts on the modal window as soon as it is open, as the user would; one still open after act fails the test
// and is closed, so that the test goes on.
template <typename T = QWidget>
void WhenOpen(std::type_identity_t<std::function<void(T&)>> act) {
  QTimer::singleShot(0, [act = std::move(act)] {
    T* open = qobject_cast<T*>(QApplication::activeModalWidget());
    ASSERT_NE(open, nullptr) << "no " << T::staticMetaObject.className() << " is open";
    act(*open);
    if (!open->isVisible()) return;
    ADD_FAILURE() << "the window is still open";
    open->close();
  });
}

}  // namespace kelvane::ui
