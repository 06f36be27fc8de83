// Pictures of the tool buttons of the main window and the browse screen, drawn in code.
#pragma once

#include <QPixmap>

#include "model/game_state.h"

namespace kelvane::ui {

enum class ToolIcon { Save, Open, Print, Options, Copy, Previous, Random, Next, Browse, Solution, Undo, New, Hint, First, Last, Close };

// A square picture of `size` pixels on a transparent ground, its lines in a colour that
// reads on the button's back (dark on light buttons, light on dark ones).
QPixmap DrawToolIcon(ToolIcon icon, int size, Colour back = RGB(255, 255, 255));

}  // namespace kelvane::ui
