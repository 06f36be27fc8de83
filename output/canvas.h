// The drawing surface of printed pages, board pictures and thumbnails, and a canvas that records.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/game_state.h"

namespace kelvane {

struct FontSpec {
  std::string name;
  double points = 10;
  bool bold = false;

  bool operator==(const FontSpec&) const = default;
};

// Positions are in the surface's own units (twips, or the printer's scaled
// units); texts are placed by the top-left corner of their line.
class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void Line(int x1, int y1, int x2, int y2, Colour colour) = 0;
  virtual void Box(int x1, int y1, int x2, int y2, Colour outline) = 0;
  virtual void FilledBox(int x1, int y1, int x2, int y2, Colour fill) = 0;
  virtual void Text(int x, int y, std::string_view text, const FontSpec& font) = 0;
};

struct CanvasCall {
  enum class Kind { Line, Box, FilledBox, Text };
  Kind kind = Kind::Line;
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;  // equal to x1 for a text
  int y2 = 0;
  Colour colour = 0;
  std::string text;
  FontSpec font;
};

class RecordingCanvas final : public Canvas {
 public:
  void Line(int x1, int y1, int x2, int y2, Colour colour) override {
    calls.push_back({CanvasCall::Kind::Line, x1, y1, x2, y2, colour, {}, {}});
  }
  void Box(int x1, int y1, int x2, int y2, Colour outline) override {
    calls.push_back({CanvasCall::Kind::Box, x1, y1, x2, y2, outline, {}, {}});
  }
  void FilledBox(int x1, int y1, int x2, int y2, Colour fill) override {
    calls.push_back({CanvasCall::Kind::FilledBox, x1, y1, x2, y2, fill, {}, {}});
  }
  void Text(int x, int y, std::string_view text, const FontSpec& font) override {
    calls.push_back({CanvasCall::Kind::Text, x, y, x, y, 0, std::string(text), font});
  }

  std::vector<CanvasCall> Of(CanvasCall::Kind kind) const {
    std::vector<CanvasCall> out;
    for (const CanvasCall& c : calls)
      if (c.kind == kind) out.push_back(c);
    return out;
  }

  std::vector<CanvasCall> calls;
};

}  // namespace kelvane
