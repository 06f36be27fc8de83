// The message box's style string read into buttons and picture slots.
#include "uikit/msg_style.h"

#include <cctype>
#include <initializer_list>

namespace kelvane::ui {

namespace {

struct Keyword {
  std::string_view name;
  std::initializer_list<MsgButton> buttons;
  int picture;  // -1 = none
};

const MsgButton Ok{"Ok", 1};
const MsgButton Cancel{"Cancel", 2};
const MsgButton Abort{"Abort", 3};
const MsgButton Retry{"Retry", 4};
const MsgButton Ignore{"Ignore", 5};
const MsgButton Yes{"Yes", 6};
const MsgButton No{"No", 7};
const MsgButton Continue{"Continue", 6};

const Keyword* Find(std::string_view token) {
  static const Keyword table[] = {
      {"vbok", {Ok}, -1},
      {"vbokonly", {Ok}, -1},
      {"vbokcancel", {Ok, Cancel}, -1},
      {"vbcancelok", {Ok, Cancel}, -1},
      {"vbnormal", {MsgButton{"Ok", 0}}, -1},
      {"vbyes", {Yes}, -1},
      {"vbno", {No}, -1},
      {"vbyesno", {Yes, No}, -1},
      {"vbyesnocancel", {Yes, No, Cancel}, -1},
      {"vbcancel", {Cancel}, -1},
      {"vbabort", {Abort}, -1},
      {"vbretry", {Retry}, -1},
      {"vbignore", {Ignore}, -1},
      {"vbretrycancel", {Retry, Cancel}, -1},
      {"vbabortretryignore", {Abort, Retry, Ignore}, -1},
      {"vbcontinuecancel", {Continue, Cancel}, 2},
      {"vbquestion", {}, 0},
      {"vbexclamation", {}, 1},
      {"vbinformation", {}, 2},
      {"vberror", {}, 3},
      {"vbcritical", {}, 4},
      {"vbhappy", {}, 5},
      {"vbtrash", {}, 6},
      {"vbprint", {}, 7},
      {"vblighton", {}, 8},
      {"vbcustom", {}, 10},
  };
  for (const Keyword& k : table) {
    if (k.name == token) return &k;
  }
  return nullptr;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

MsgStyle ParseMsgStyle(std::string_view style) {
  std::string lower(style);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));

  MsgStyle result;
  std::string_view rest = lower;
  while (true) {
    const std::size_t plus = rest.find('+');
    const Keyword* k = Find(Trim(rest.substr(0, plus)));
    if (k != nullptr) {
      if (k->picture >= 0) result.pictures[static_cast<std::size_t>(k->picture)] = true;
      for (const MsgButton& b : k->buttons) {
        if (result.buttons.size() < MsgButtonSlots) result.buttons.push_back(b);
      }
    }
    if (plus == std::string_view::npos) break;
    rest.remove_prefix(plus + 1);
  }
  if (result.buttons.empty()) result.buttons.push_back(Ok);
  return result;
}

}  // namespace kelvane::ui
