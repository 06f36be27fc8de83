// The message box's style string ("vbYesNo+vbquestion") read into buttons and picture slots.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane::ui {

constexpr int MsgButtonSlots = 3;
constexpr int MsgPictureSlots = 11;

// One answer button: its caption and the code the box returns for it.
struct MsgButton {
  std::string caption;
  int code = 1;

  bool operator==(const MsgButton&) const = default;
};

// What a style asks for.
struct MsgStyle {
  std::vector<MsgButton> buttons;               // one to three, left to right
  std::array<bool, MsgPictureSlots> pictures{};  // visible picture slots

  // Index of the rightmost button (0, 1 or 2).
  int LastButton() const { return static_cast<int>(buttons.size()) - 1; }
};

// Reads a style: case-insensitive keywords joined by "+", blanks around them ignored,
// unknown and empty keywords skipped. Buttons beyond the third are dropped; with no
// button at all the style gets one "Ok" answering 1.
[[nodiscard]] MsgStyle ParseMsgStyle(std::string_view style);

}  // namespace kelvane::ui
