// The seam for modal windows: tests install an answerer, the program shows real windows.
#include "uikit/modal.h"

namespace kelvane::ui {

namespace {
// The one test hook of the process; nullptr in the program.
ModalAnswerer* installed = nullptr;
}  // namespace

ModalAnswerer* InstalledAnswerer() { return installed; }

ScopedAnswerer::ScopedAnswerer(ModalAnswerer& answerer) : previous_(installed) { installed = &answerer; }
ScopedAnswerer::~ScopedAnswerer() { installed = previous_; }

}  // namespace kelvane::ui
