// One puzzle of the record buffer drawn as a grid: printed pages, board pictures and browse thumbnails.
#include "output/grid_drawing.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "model/geometry.h"
#include "model/text_rules.h"

namespace kelvane {

namespace {

bool IsBlankText(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

// Two cells of a line two columns or two rows apart, with one cell between.
bool AreNeighbours(const Geometry& geo, int a, int b) {
  const int dr = std::abs(geo.RowOf(a) - geo.RowOf(b));
  const int dc = std::abs(geo.ColOf(a) - geo.ColOf(b));
  return (dr == 0 && dc == 2) || (dr == 2 && dc == 0);
}

// Marks the path cells of the solution text and the cells between consecutive ones.
void MarkPath(const Geometry& geo, std::string_view solution, std::array<bool, MaxGridCells + 1>& onPath,
              GridDrawn& drawn) {
  const std::size_t lastComma = solution.rfind(',');
  if (lastComma == std::string_view::npos) return;
  solution = solution.substr(0, lastComma);  // the marked cell follows the last comma
  int previous = 0;
  std::size_t start = 0;
  while (start <= solution.size()) {
    std::size_t end = solution.find(',', start);
    if (end == std::string_view::npos) end = solution.size();
    const int cell = IntValue(solution.substr(start, end - start));
    if (geo.OnBoard(cell)) {
      onPath[cell] = true;
      if (previous != 0) {
        if (AreNeighbours(geo, previous, cell))
          onPath[Geometry::Between(previous, cell)] = true;
        else
          ++drawn.skippedSteps;
      }
      previous = cell;
    } else {
      ++drawn.skippedItems;
      previous = 0;
    }
    start = end + 1;
  }
}

// A check mark ending at (right, top): two strokes, each three lines a pixel apart so that it reads at the
// smallest size.
void DrawSolvedTick(Canvas& canvas, int right, int top, Colour colour) {
  constexpr int u = 20;
  const int x = right - 8 * u, y = top - 9 * u;
  for (int d = 0; d < 45; d += 15) {
    canvas.Line(x, y + 4 * u + d, x + 3 * u, y + 7 * u + d, colour);
    canvas.Line(x + 3 * u, y + 7 * u + d, x + 8 * u, y + d, colour);
  }
}

FontSpec Font(std::string_view name, double points, bool bold) { return {std::string(name), points, bold}; }

}  // namespace

std::string FooterText() { return "Free Download at " + std::string(PrintedAddress); }

std::string PictureTitle() { return "Kelvane from " + std::string(PrintedAddress); }

GridStyle PrintStyle(int code, std::string_view fontName, int titleRise) {
  const GridFonts sizes = FontSizesFor(code);
  GridStyle s;
  s.captionFont = Font(fontName, sizes.caption, true);
  s.title = {true, TextIndent, -titleRise, Font(fontName, sizes.title, false)};
  // The captions' bold face carries over to the footer.
  s.footer = {true, TextIndent, FooterDrop, Font(fontName, sizes.footer, true)};
  s.footerText = FooterText();
  return s;
}

GridStyle PictureStyle(std::string_view fontName) {
  GridStyle s;
  s.captionFont = Font(fontName, 18, true);
  s.title = {true, 10, 25 - PictureGridTop, Font(fontName, 7, false)};
  return s;
}

PageSize PictureSize(int size) {
  return {static_cast<double>(size) * CellPitch + 100, static_cast<double>(size) * CellPitch + 300};
}

GridStyle ThumbnailStyle(std::string_view fontName, Colour markedFill, Colour outline) {
  GridStyle s;
  s.pitch = ThumbnailPitch;
  s.box = 155;
  s.captionDx = 35;
  s.captionDy = -30;
  s.captionFont = Font(fontName, 8, true);
  s.outline = outline;
  s.markedFill = markedFill;
  s.title = {true, 0, -ThumbnailGridDrop, Font(fontName, 8, false)};
  s.marksSolved = true;
  return s;
}

GridDrawn DrawGrid(Canvas& canvas, const GameState& g, const GridStyle& style, GridMode mode, int left, int top,
                   std::string_view title) {
  GridDrawn drawn;
  const int size = g.RecSize;
  if (size < 1 || size > 9) return drawn;
  const Geometry geo{size};
  drawn.ok = true;
  drawn.side = size * style.pitch;

  if (style.title.shown && !title.empty())
    canvas.Text(left + style.title.dx, top + style.title.dy, title, style.title.font);

  std::array<bool, MaxGridCells + 1> onPath{};
  if (mode == GridMode::Solution) MarkPath(geo, g.RecSolution, onPath, drawn);
  const int marked = geo.OnBoard(g.RecMarkedCell) ? g.RecMarkedCell : 0;

  for (int k = 1; k <= geo.CellCount(); ++k) {
    const int x = left + (geo.ColOf(k) - 1) * style.pitch;
    const int y = top + (geo.RowOf(k) - 1) * style.pitch;
    const bool showsMarker = k == marked && !onPath[k];
    if (onPath[k])
      canvas.FilledBox(x, y, x + style.box, y + style.box, style.pathFill);
    else if (showsMarker)
      canvas.FilledBox(x, y, x + style.box, y + style.box, style.markedFill);
    canvas.Box(x, y, x + style.box, y + style.box, style.outline);
    const std::string& caption = g.RecCells[showsMarker ? 0 : k];
    if (!IsBlankText(caption)) canvas.Text(x + style.captionDx, y + style.captionDy, caption, style.captionFont);
  }

  // In the frame's top-right corner, above the grid and right of the title.
  if (style.marksSolved && style.solved) DrawSolvedTick(canvas, left + ThumbnailTickRight, top, style.tick);

  if (style.footer.shown)
    canvas.Text(left + style.footer.dx, top + drawn.side + style.footer.dy, style.footerText, style.footer.font);
  return drawn;
}

std::string GridTitle(GridMode mode, std::string_view numberText, std::string_view difficulty) {
  std::string title = mode == GridMode::Solution ? "Sol#" : "Puz#";
  title += numberText;
  title += ' ';
  title += DifficultyWord(difficulty);
  return title;
}

std::string BoardGridTitle(GridMode mode, std::string_view numberBoxText, bool easy) {
  return GridTitle(mode, numberBoxText, easy ? "Easy" : "Hard");
}

std::string RecordGridTitle(GridMode mode, int n, std::string_view recordTitle) {
  return GridTitle(mode, std::to_string(n), recordTitle);
}

void FillRecordFromBoard(GameState& g) {
  const int count = std::clamp(g.CellCount, 0, MaxGridCells);
  for (int i = 0; i <= MaxGridCells; ++i) g.RecCells[i] = i <= count ? g.Cell[i].Caption : std::string();
  g.RecSize = g.PuzzleSize;
  g.RecMarkedCell = g.MarkedCell;
  g.RecSolution = g.Solution;
  g.RecSolutionLength = g.SolutionLength;
}

FilePuzzleDrawn DrawFilePuzzle(Canvas& canvas, GameState& g, const std::string& path, int n, const GridStyle& style,
                               GridMode mode, int left, int top) {
  FilePuzzleDrawn out;
  std::string recordTitle;
  out.status = ReadRecord(g, path, n, recordTitle);
  std::string title;
  if (out.status == ReadStatus::Ok) title = RecordGridTitle(mode, n, recordTitle);
  out.grid = DrawGrid(canvas, g, style, mode, left, top, title);
  return out;
}

}  // namespace kelvane
