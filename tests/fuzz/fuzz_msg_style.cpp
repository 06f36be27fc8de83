// Fuzz target: the message box's style string.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "uikit/msg_style.h"

using namespace kelvane::ui;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const MsgStyle style = ParseMsgStyle(text);
  FUZZ_REQUIRE(!style.buttons.empty() && style.buttons.size() <= static_cast<std::size_t>(MsgButtonSlots));
  FUZZ_REQUIRE(style.LastButton() >= 0 && style.LastButton() < MsgButtonSlots);
  for (const MsgButton& b : style.buttons) FUZZ_REQUIRE(!b.caption.empty() && b.code >= 0 && b.code <= 7);

  // Keywords are read in any case.
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const MsgStyle again = ParseMsgStyle(upper);
  FUZZ_REQUIRE(again.buttons == style.buttons && again.pictures == style.pictures);
  return 0;
}
