// Pictures of the tool buttons of the main window and the browse screen, drawn in code.
#pragma once

#include <QPixmap>

namespace kelvane::ui {

enum class ToolIcon { Save, Open, Print, Options, Copy, Previous, Random, Next, Browse, Solution, Undo, New, Hint, First, Last, Close };

// A square picture of `size` pixels on a transparent ground.
QPixmap DrawToolIcon(ToolIcon icon, int size);

}  // namespace kelvane::ui
