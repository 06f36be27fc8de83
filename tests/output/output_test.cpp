// The Qt-free output core on recording canvases: page layouts on real printable areas, grids in every style
// with their titles, footers and solution paths, and printing ranges of a file page by page.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "model/puzzle_file.h"
#include "output/file_printing.h"
#include "output/grid_drawing.h"
#include "output/page_layout.h"
#include "test_support.h"

namespace kelvane {
namespace {

using Kind = CanvasCall::Kind;

// Printable areas in twips, portrait: the page the layouts were drawn for,
// A4 with 10 mm margins, Letter with quarter-inch margins, A4 without margins.
const std::vector<PageSize> Printables = {{11568, 15960}, {10772, 15704}, {11520, 15120}, {11906, 16838}};

constexpr double Tolerance = 1e-6;

// The grids a page of a file's printout; 15 and 24 a page are landscape.
const int Codes[] = {1, 2, 4, 6, 15, 24};

TEST(PageLayout, EveryCodeFitsAnyPageWithSquareUnitsAndItsGridsStayOnItApart) {
  for (int code : Codes) {
    EXPECT_TRUE(IsGridsPerPageCode(code));
    const PageLayout layout = *FilePageLayout(code);
    const bool landscape = code > 6;
    EXPECT_EQ(layout.orientation, landscape ? Orientation::Landscape : Orientation::Portrait) << code;
    EXPECT_EQ(layout.places.size(), static_cast<std::size_t>(code));
    const Rect page{0, 0, layout.scale.width, layout.scale.height};
    for (const PageSize& portrait : Printables) {
      for (const PageSize& given : {portrait, PageSize{portrait.height, portrait.width}}) {
        SCOPED_TRACE(testing::Message() << code << " on " << given.width << " x " << given.height);
        const PageFit fit = FitPage(layout, given);
        ASSERT_TRUE(fit.ok);
        EXPECT_GE(fit.page.width + Tolerance, layout.scale.width);
        EXPECT_GE(fit.page.height + Tolerance, layout.scale.height);
        EXPECT_EQ(fit.page.width > fit.page.height, landscape);
        const bool widthBinds = std::abs(fit.page.width - layout.scale.width) < Tolerance;
        const bool heightBinds = std::abs(fit.page.height - layout.scale.height) < Tolerance;
        EXPECT_TRUE(widthBinds || heightBinds);
        EXPECT_LE(60 + FontUnits(layout.fonts.caption, fit.unitsPerTwip), 500);  // the caption fits its cell
        for (int size : {5, 7, 9}) {
          const std::string widest = GridTitle(GridMode::Solution, "99999", "Hard");
          const std::vector<GridRects> rects = LayoutRects(code, size, given, widest, FooterText());
          ASSERT_EQ(rects.size(), layout.places.size());
          for (std::size_t i = 0; i < rects.size(); ++i) {
            const GridRects& r = rects[i];
            EXPECT_EQ(r.grid.right - r.grid.left, size * 500.0);
            EXPECT_EQ(std::tie(r.grid.left, r.grid.top), std::make_tuple(double(layout.places[i].left),
                                                                         double(layout.places[i].top)));
            EXPECT_TRUE(Contains(page, r.all));
            EXPECT_LE(r.title.bottom, r.grid.top);
            EXPECT_LE(r.grid.bottom, r.footer.top);
            EXPECT_TRUE(Contains(r.all, r.title) && Contains(r.all, r.grid) && Contains(r.all, r.footer));
            EXPECT_TRUE(r.title.right > r.title.left && r.title.bottom > r.title.top);
            EXPECT_TRUE(r.footer.right > r.footer.left && r.footer.bottom > r.footer.top);
            for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(Overlaps(r.all, rects[j].all)) << i << " and " << j;
          }
        }
      }
    }
    // 5 points on the landscape page of 24 grids is 248 units, a line of 286: that title rises further.
    EXPECT_EQ(FitPage(layout, Printables[0]).titleRise, code == 24 ? 286 : 250) << code;
  }
  // Codes outside the table: no layout, no pages, the middle fonts.
  for (int code : {0, 3, 5, 14, 16, 25, -1}) {
    EXPECT_FALSE(IsGridsPerPageCode(code));
    EXPECT_FALSE(FilePageLayout(code));
    EXPECT_TRUE(PagePlan(code, 1, 5).empty());
    EXPECT_TRUE(LayoutRects(code, 9, Printables[0], "t", "f").empty());
  }
  EXPECT_EQ(FontSizesFor(3), (GridFonts{10, 18, 7}));
  EXPECT_EQ(FontSizesFor(16), (GridFonts{5, 8, 5}));
  for (int size : {0, 10, -1}) EXPECT_TRUE(LayoutRects(2, size, Printables[0], "t", "f").empty());
  // Rects that only touch do not overlap; one that sticks out on any side is not contained.
  const Rect square{0, 0, 10, 10};
  for (const Rect& touching : {Rect{10, 0, 20, 10}, Rect{0, 10, 10, 20}})
    EXPECT_FALSE(Overlaps(square, touching) || Overlaps(touching, square));
  EXPECT_TRUE(Overlaps(square, {9, 9, 20, 20}));
  for (const Rect& out : {Rect{-1, 0, 10, 10}, Rect{0, -1, 10, 10}, Rect{0, 0, 11, 10}, Rect{0, 0, 10, 11}})
    EXPECT_FALSE(Contains(square, out));
  const PageLayout two = *FilePageLayout(2);
  EXPECT_FALSE(FitPage(two, {0, 15960}).ok);
  EXPECT_FALSE(FitPage(two, {11568, -1}).ok);
  EXPECT_FALSE(FitPage(two, {11568, 0}).ok);
  EXPECT_DOUBLE_EQ(FitPage(two, Printables[0]).unitsPerTwip, 1.0);
}

// Ctrl+P's page: the puzzle above its solution, both on the page whatever the printable area.
TEST(PageLayout, CurrentPuzzlePageHoldsThePuzzleAboveItsSolution) {
  const PageLayout layout = CurrentPuzzleLayout();
  EXPECT_EQ(layout.orientation, Orientation::Portrait);
  EXPECT_EQ(FitPage(layout, Printables[0]).titleRise, 250);
  for (const PageSize& printable : Printables) {
    const std::vector<GridRects> rects = LayoutRects(layout, 9, printable, "Sol#99999 Hard", FooterText());
    ASSERT_EQ(rects.size(), 2u);
    for (const GridRects& r : rects) EXPECT_TRUE(Contains({0, 0, layout.scale.width, layout.scale.height}, r.all));
    EXPECT_LT(rects[0].all.bottom, rects[1].all.top);
  }
}

// A 5 x 5 record whose solution climbs 21, 11, 13, 3 through the marked cell 13.
GameState FiveByFive() {
  GameState g;
  const std::string cells = "1+2-3- + -2-3+1+ - +3+1-2";
  g.RecSize = 5;
  for (int k = 1; k <= 25; ++k) g.RecCells[k] = std::string(1, cells[k - 1]);
  g.RecMarkedCell = 13;
  g.RecCells[0] = "3";
  g.RecSolution = "21,11,13,3, 13";
  return g;
}

// A record of side S whose cell k reads k mod 10, marked cell 1.
GameState Numbered(int size) {
  GameState g;
  g.RecSize = size;
  for (int k = 1; k <= size * size; ++k) g.RecCells[k] = std::to_string(k % 10);
  g.RecMarkedCell = 1;
  g.RecCells[0] = "1";
  g.RecSolution = "1, 1";
  return g;
}

// A box a cell, in rows from the top-left corner, for boards of side 1 to 9; nothing for other sizes.
TEST(GridDrawing, EveryCellGetsABoxForBoardsOfOneToNine) {
  for (int size : {1, 5, 7, 9, 0, -3, 10, 1000}) {
    GameState g = Numbered(std::clamp(size, 1, 9));
    g.RecSize = size;
    RecordingCanvas canvas;
    const GridDrawn drawn = DrawGrid(canvas, g, PrintStyle(2, "Arial"), GridMode::Solution, 1100, 1400, "");
    std::vector<std::tuple<int, int, int, int>> boxes, expected;
    for (const CanvasCall& b : canvas.Of(Kind::Box)) boxes.emplace_back(b.x1, b.y1, b.x2, b.y2);
    const int shown = size >= 1 && size <= 9 ? size : 0;
    for (int k = 0; k < shown * shown; ++k)
      expected.emplace_back(1100 + k % size * 500, 1400 + k / size * 500, 1600 + k % size * 500, 1900 + k / size * 500);
    EXPECT_EQ(boxes, expected) << size;
    EXPECT_EQ(std::tie(drawn.ok, drawn.side), std::make_tuple(shown > 0, shown * 500));
    EXPECT_EQ(canvas.calls.empty(), shown == 0) << size;
  }
}

// What a style places where, from a grid drawn at (1000, 2400); a footer size of 0 means no footer. Each grid is
// drawn as solved unless told; only a thumbnail ticks it.
struct StyleRow {
  std::string name;
  GridStyle style;
  int titleDx, titleDy;
  GridFonts fonts;
  int pitch, box, captionDx, captionDy;
  Colour marked, outline;
  bool solved = true;
  bool ticked = false;
};

TEST(GridDrawing, EachStylePlacesTitleCaptionsFooterAndMarker) {
  std::vector<StyleRow> rows = {
      {"picture", PictureStyle("Arial"), 10, -175, {7, 18, 0}, 500, 500, 160, 60, MarkedFillColour, RGB(20, 20, 20)},
      {"thumbnail", ThumbnailStyle("Arial", RGB(120, 120, 120), RGB(1, 2, 3)), 0, -200, {8, 8, 0}, 175, 155, 35, -30,
       RGB(120, 120, 120), RGB(1, 2, 3), true, true},
      {"thumbnail, unsolved", ThumbnailStyle("Arial", RGB(120, 120, 120), RGB(1, 2, 3)), 0, -200, {8, 8, 0}, 175, 155,
       35, -30, RGB(120, 120, 120), RGB(1, 2, 3), false},
  };
  for (int code : Codes) {
    rows.push_back({"code " + std::to_string(code), PrintStyle(code, "Arial"), 10, -250, FontSizesFor(code), 500, 500,
                    160, 60, MarkedFillColour, RGB(20, 20, 20)});
  }
  for (const StyleRow& row : rows) {
    SCOPED_TRACE(row.name);
    // The clipboard picture is of the board: its captions go through the record buffer.
    GameState g = Numbered(9);
    LayOutBoard(g, 9);
    g.PuzzleSize = 9;
    for (int k = 1; k <= 81; ++k) g.Cell[k].Caption = g.RecCells[k];
    g.Cell[0].Caption = "M";
    g.MarkedCell = 41;
    FillRecordFromBoard(g);
    RecordingCanvas canvas;
    GridStyle style = row.style;
    style.solved = row.solved;
    style.tick = RGB(0, 140, 1);
    const GridDrawn drawn = DrawGrid(canvas, g, style, GridMode::Puzzle, 1000, 2400, "Puz#5 Hard");
    ASSERT_TRUE(drawn.ok);
    EXPECT_EQ(drawn.side, 9 * row.pitch);
    // The title, one caption a cell (the marked one shows the marker's) and the footer.
    const auto texts = canvas.Of(Kind::Text);
    ASSERT_EQ(texts.size(), row.fonts.footer > 0 ? 83u : 82u);
    EXPECT_EQ(std::tie(texts[0].text, texts[0].x1, texts[0].y1),
              std::tuple("Puz#5 Hard", 1000 + row.titleDx, 2400 + row.titleDy));
    EXPECT_EQ(texts[0].font, (FontSpec{"Arial", row.fonts.title, false}));
    EXPECT_EQ(texts[41].text, "M");
    const int last = 8 * row.pitch;
    EXPECT_EQ(std::tie(texts[81].text, texts[81].x1, texts[81].y1),
              std::tuple("1", 1000 + last + row.captionDx, 2400 + last + row.captionDy));
    EXPECT_EQ(texts[81].font, (FontSpec{"Arial", row.fonts.caption, true}));
    if (row.fonts.footer > 0) {
      EXPECT_EQ(std::tie(texts.back().text, texts.back().x1, texts.back().y1),
                std::tuple(FooterText(), 1010, 2400 + 4500 + 100));
      EXPECT_EQ(texts.back().font, (FontSpec{"Arial", row.fonts.footer, true}));
    }
    const auto fills = canvas.Of(Kind::FilledBox);
    ASSERT_EQ(fills.size(), 1u);
    const int mid = 4 * row.pitch;
    EXPECT_EQ(std::tie(fills[0].x1, fills[0].y1, fills[0].x2, fills[0].y2, fills[0].colour),
              std::tuple(1000 + mid, 2400 + mid, 1000 + mid + row.box, 2400 + mid + row.box, row.marked));
    const auto boxes = canvas.Of(Kind::Box);
    ASSERT_EQ(boxes.size(), 81u);
    EXPECT_EQ(std::tie(boxes.back().x1, boxes.back().y2, boxes.back().colour),
              std::tuple(1000 + last, 2400 + last + row.box, row.outline));
    // The tick: two strokes of three lines each, in the band above the grid and right of the title, meeting at
    // their lowest point.
    const auto lines = canvas.Of(Kind::Line);
    ASSERT_EQ(lines.size(), row.ticked ? 6u : 0u);
    for (std::size_t k = 0; k + 1 < lines.size(); k += 2) {  // down, then up, from where the first stroke ends
      const CanvasCall &down = lines[k], &up = lines[k + 1];
      EXPECT_TRUE(down.colour == RGB(0, 140, 1) && up.colour == down.colour && down.x2 == up.x1 && down.y2 == up.y1);
      EXPECT_TRUE(down.x1 < down.x2 && up.x1 < up.x2 && down.y1 < down.y2 && up.y2 < up.y1);
      EXPECT_TRUE(down.x1 >= 1000 + 1400 && up.x2 <= 1000 + ThumbnailTickRight && up.y2 > 2400 - 200 && down.y2 < 2400);
    }
  }
  // The board's title takes the main window's difficulty; a file's take their records' (FillsPagesInSlotOrder...).
  EXPECT_EQ(BoardGridTitle(GridMode::Puzzle, "012", true), "Puz#012 Easy");
  EXPECT_EQ(BoardGridTitle(GridMode::Solution, "7", false), "Sol#7 Hard");
  // The picture's surface holds a 5 x 5 grid below its title.
  const PageSize surface = PictureSize(5);
  EXPECT_EQ(std::tie(surface.width, surface.height), std::tuple(2600.0, 2800.0));
  const TextExtent title = EstimateText(PictureTitle(), 7, 1);
  EXPECT_LE(10 + title.width, surface.width);
  EXPECT_LE(25 + title.height, PictureGridTop);
}

// A solution fills the path cells and the signs between them; the marked cell shows its own caption once it is
// on the path, else the marker's number. Damaged solution lines: what is on the board is drawn and the rest
// skipped, never read outside the grid.
TEST(GridDrawing, SolutionFillsItsPathAndSkipsWhatIsNotOnTheBoard) {
  const struct {
    const char* solution;
    int skippedItems, skippedSteps;
    std::set<int> filled;
  } rows[] = {
      {"21,11,13,3, 13", 0, 0, {21, 16, 11, 12, 13, 8, 3}}, {"99,11,x,-5,13,3, 13", 3, 0, {11, 13, 8, 3}},
      {"", 0, 0, {}}, {"21", 0, 0, {}},
      {"0,26,2147483647,99999999999, 13", 4, 0, {}}, {"1,25, 13", 0, 1, {1, 25}}, {",,,, 1", 4, 0, {}},
      {"5,3,1,15, 1", 0, 1, {5, 4, 3, 2, 1, 15}}, {"21,25,3, 13", 0, 2, {21, 25, 3}},  // no steps: 4 apart
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.solution);
    GameState g = FiveByFive();
    g.RecSolution = row.solution;
    g.RecCells[0] = "9";  // the marker's number; cell 13 reads "3"
    RecordingCanvas canvas;
    const GridDrawn drawn = DrawGrid(canvas, g, PrintStyle(2, "Arial"), GridMode::Solution, 0, 0, "");
    ASSERT_TRUE(drawn.ok);
    EXPECT_EQ(std::tie(drawn.skippedItems, drawn.skippedSteps), std::tie(row.skippedItems, row.skippedSteps));
    std::map<int, Colour> last;  // the last fill of each cell
    for (const CanvasCall& c : canvas.Of(Kind::FilledBox)) last[c.y1 / 500 * 5 + c.x1 / 500 + 1] = c.colour;
    std::set<int> filled;
    for (const auto& [cell, colour] : last)
      if (colour == PathFillColour) filled.insert(cell);
    EXPECT_EQ(filled, row.filled);
    std::string caption;  // cell 13's
    for (const CanvasCall& c : canvas.Of(Kind::Text))
      if (c.x1 == 1000 + 160 && c.y1 == 1000 + 60) caption = c.text;
    EXPECT_EQ(caption, row.filled.count(13) ? "3" : "9");
    EXPECT_EQ(canvas.Of(Kind::Box).size(), 25u);
    for (const CanvasCall& box : canvas.Of(Kind::Box)) EXPECT_EQ(box.colour, RGB(20, 20, 20));
  }
}

// count records of side 9 (any 81 captions do for printing); even numbers Easy, odd Hard.
std::string Records(int count) {
  std::string text;
  for (int k = 1; k <= count; ++k)
    text += FormatRecord(k, k % 2 == 0, 9, 5, 41, std::string(81, '5'), "73,55,37,19,1, 41");
  return text;
}

// A printer that cannot start a second page.
struct OnePageOnly final : PageCanvas {
  void Line(int, int, int, int, Colour) override {}
  void Box(int, int, int, int, Colour) override {}
  void FilledBox(int, int, int, int, Colour) override {}
  void Text(int, int, std::string_view, const FontSpec&) override {}
  bool NewPage() override { return false; }
};

TEST(PrintTag, RoundTripsAndKeepsCommasInThePath) {
  const std::string tag = PrintTag("/home/a,b/puz.kvl", "2", "17", GridMode::Solution, 24);
  EXPECT_EQ(tag, "/home/a,b/puz.kvl,2,17, 1, 24");
  const auto job = ParsePrintTag(tag);
  ASSERT_TRUE(job);
  EXPECT_EQ(*job, (FilePrintJob{"/home/a,b/puz.kvl", 2, 17, GridMode::Solution, 24}));
  EXPECT_EQ(ParsePrintTag(PrintTag("p.kvl", " 3.6", "x", GridMode::Puzzle, 1)),
            (FilePrintJob{"p.kvl", 4, 0, GridMode::Puzzle, 1}));
  for (const char* bad : {"X", "", "p.kvl,1,2, 0", ",1,2, 0, 1", "p.kvl,1,2, 0, 3"})
    EXPECT_FALSE(ParsePrintTag(bad)) << bad;
}

// A PDF written over a puzzle file lost the puzzles: only new, empty or PDF files are targets.
TEST(PdfTarget, RefusesThePuzzleFileAndEveryFileThatIsNoPdf) {
  test::TempDir dir;
  std::filesystem::create_directory(dir.File("folder.pdf"));
  // (name, what it holds or nullptr for no file written, refused)
  const std::tuple<const char*, const char*, bool> rows[] = {
      {"p.kvl", "#1\r\nEasy\r\n", true}, {"new.pdf", nullptr, false}, {"old.pdf", "%PDF-1.4 ...", false},
      {"empty.pdf", "", false}, {"notes.pdf", "%PD", true}, {"folder.pdf", nullptr, true}};
  for (const auto& [name, holds, refused] : rows) {
    if (holds) test::WriteFile(dir.File(name), holds);
    EXPECT_EQ(!PdfTargetProblem(dir.File(name), dir.File("p.kvl")).empty(), refused) << name;
  }
  // The puzzle file itself, also by another name for it.
  const std::string itself = PdfTargetProblem(dir.Folder() + "./p.kvl", dir.File("p.kvl"));
  EXPECT_NE(itself.find("puzzle file itself"), std::string::npos) << itself;
}

TEST(PrintRange, NamesWhatStandsInTheWayBeforeAndDuringTheRun) {
  test::TempDir dir;
  const std::string good = dir.File("good.kvl"), empty = dir.File("empty.kvl"), cut = dir.File("cut.kvl");
  test::WriteFile(good, Records(5));
  test::WriteFile(empty, "no records here\r\n");
  const std::string five = Records(5);
  test::WriteFile(cut, Records(2) + "#3\r\nHard\r\n" + five.substr(five.find("#4")));
  PuzzleFileIndexes files;
  const std::tuple<std::string, int, int, int, std::string> cases[] = {  // file, first, last, grids a page, problem
      {good, 1, 5, 24, ""},
      {good, 5, 2, 1, ""},  // prints nothing, no problem
      {good, 0, 3, 1, "Invalid from or to puzzle number"},
      {good, 1, 6, 1, "Invalid from or to puzzle number"},
      {empty, 1, 1, 1, "No puzzles in this file: " + empty},
      {dir.File("missing.kvl"), 1, 1, 1, "No puzzles in this file: " + dir.File("missing.kvl")},
      {cut, 1, 2, 1, ""},
      {cut, 2, 4, 1, "Puzzle 3 of " + cut + " cannot be read.\n" + DescribeReadStatus(ReadStatus::Incomplete)},
      {good, 1, 2, 3, "There is no page layout for 3 grids per page."},
  };
  for (const auto& [file, first, last, code, problem] : cases)
    EXPECT_EQ(PrintRangeProblem(files, {file, first, last, GridMode::Puzzle, code}), problem)
        << file << " " << first << ".." << last;

  // The file went bad after the check: the run stops at the record, on its page, and names the read problem.
  GameState g;
  RecordingPageCanvas canvas;
  const FilePrintOutcome out = DrawFileRange(canvas, g, {cut, 1, 4, GridMode::Puzzle, 1}, PrintStyle(1, "Arial"));
  EXPECT_FALSE(out.ok);
  EXPECT_EQ(std::tie(out.grids, out.pages), std::make_tuple(2, 3));
  EXPECT_EQ(out.message,
            "Puzzle 3 of " + cut + " could not be read any more.\n" + DescribeReadStatus(ReadStatus::Incomplete));
  // A page the printer cannot start stops the run and is named.
  OnePageOnly printer;
  const FilePrintOutcome stopped = DrawFileRange(printer, g, {good, 1, 5, GridMode::Puzzle, 4}, PrintStyle(4, "Arial"));
  EXPECT_EQ(std::tie(stopped.ok, stopped.grids, stopped.pages, stopped.message),
            std::make_tuple(false, 4, 1, std::string("Page 2 could not be started.")));
}

// A record that cannot be read after a good one drew the good one's marker and path on empty boxes.
TEST(GridDrawing, AnUnreadableRecordIsEmptyBoxesWithoutTitleMarkerOrPath) {
  test::TempDir dir;
  const std::string path = dir.File("one.kvl");
  test::WriteFile(path, Records(1));
  for (GridMode mode : {GridMode::Puzzle, GridMode::Solution}) {
    GameState g;
    RecordingCanvas first, second;
    ASSERT_EQ(DrawFilePuzzle(first, g, path, 1, PrintStyle(2, "Arial"), mode, 0, 0).status, ReadStatus::Ok);
    const FilePuzzleDrawn out = DrawFilePuzzle(second, g, path, 2, PrintStyle(2, "Arial"), mode, 0, 0);
    EXPECT_NE(out.status, ReadStatus::Ok);
    EXPECT_EQ(std::make_tuple(second.Of(Kind::Box).size(), second.Of(Kind::FilledBox).size()),
              std::make_tuple(std::size_t{81}, std::size_t{0}));
    for (const CanvasCall& c : second.Of(Kind::Text)) EXPECT_EQ(c.text.find('#'), std::string::npos) << c.text;
  }
}

// Printed titles took the main window's difficulty for every puzzle; each now carries its own record's.
// A first number above the last prints nothing.
TEST(PrintRange, FillsPagesInSlotOrderForEveryCode) {
  test::TempDir dir;
  const std::string path = dir.File("nine.kvl");
  test::WriteFile(path, Records(30));
  for (int code : Codes) {
    SCOPED_TRACE(code);
    const PageLayout layout = *FilePageLayout(code);
    const int per = static_cast<int>(layout.places.size());
    for (auto [first, last] : {std::pair{1, 30}, std::pair{4, 4}, std::pair{3, 3 + per}, std::pair{3, 2}}) {
      const GridMode mode = first == 4 ? GridMode::Solution : GridMode::Puzzle;
      GameState g;
      g.EasyFlag = true;
      RecordingPageCanvas canvas;
      const FilePrintOutcome out = DrawFileRange(canvas, g, {path, first, last, mode, code}, PrintStyle(code, "Arial"));
      ASSERT_TRUE(out.ok) << out.message;
      const int grids = std::max(0, last - first + 1);
      EXPECT_EQ(out.grids, grids);
      EXPECT_EQ(out.pages, (grids + per - 1) / per);
      ASSERT_EQ(static_cast<int>(canvas.pages.size()), out.pages);
      int n = first;
      for (const RecordingCanvas& page : canvas.pages) {
        // Each grid's title, and its first box, the top-left cell, at the slot's corner.
        std::vector<std::string> titles;
        for (const CanvasCall& c : page.Of(Kind::Text))
          if (c.text.find('#') != std::string::npos) titles.push_back(c.text);
        std::vector<std::pair<int, int>> corners, slots;
        for (const CanvasCall& c : page.Of(Kind::Box))
          for (const GridSlot& s : layout.places)
            if (c.x1 == s.left && c.y1 == s.top) corners.emplace_back(c.x1, c.y1);
        for (std::size_t k = 0; k < titles.size(); ++k) slots.emplace_back(layout.places[k].left, layout.places[k].top);
        EXPECT_EQ(corners, slots);
        // A puzzle fills its marked cell; a solution its five cells, four signs and the marked cell.
        EXPECT_EQ(page.Of(Kind::FilledBox).size(), titles.size() * (mode == GridMode::Solution ? 10 : 1));
        for (std::size_t k = 0; k < titles.size(); ++k, ++n)
          EXPECT_EQ(titles[k], (mode == GridMode::Solution ? "Sol#" : "Puz#") + std::to_string(n) +
                                   (n % 2 == 0 ? " Easy" : " Hard"));
      }
      EXPECT_EQ(n, first + grids);
    }
  }
}

}  // namespace
}  // namespace kelvane
