// What the desktop asks of the program's looks: a dark or a light appearance.
#pragma once

namespace kelvane::ui {

// True when the desktop asks for a dark appearance: Qt's own colour scheme where the Qt
// version has it, else the freedesktop portal's org.freedesktop.appearance color-scheme,
// else a dark window colour in the application palette.
bool DesktopPrefersDark();

}  // namespace kelvane::ui
