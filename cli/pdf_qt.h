// kelvane-cli's PDF pages, drawn by the same printing code as the window's.
#pragma once

#include "cli/commands.h"

namespace kelvane::cli {

// Starts a window-less Qt application for the drawing when none runs.
PdfOutcome WritePdf(const PdfRequest& request);

}  // namespace kelvane::cli
