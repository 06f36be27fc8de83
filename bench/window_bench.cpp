// Speed in the window: New, a batch on its worker beside the bare batch (and clicks answered meanwhile), a browse
// page with and without ticks, a winning move, the status line, a printed book.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <chrono>
#include <atomic>
#include <filesystem>
#include <unordered_set>

#include "board/main_window.h"
#include "engine/batch.h"
#include "uikit/modal.h"
#include "test_support.h"

namespace kelvane::ui {
namespace {

namespace fs = std::filesystem;

struct Silent : ModalAnswerer {
  int Message(const std::string&, const std::string&) override { return 1; }
  std::string FileName(const FileRequest&) override { return {}; }
  int PlainMessage(const std::string&, bool) override { return 1; }
};

struct Window {
  test::TempDir dir;
  test::TempDir data;
  Silent answers;
  ScopedAnswerer scoped{answers};
  std::unique_ptr<MainWindow> w;
  Window() {
    for (const char* f : {"all.col", "puzzles.kvl", "kelvane.htm", "k5x5.kvy", "k7x7.kvy", "k9x9.kvy"})
      fs::copy_file(std::string(KELVANE_BIN_DIR) + f, dir.File(f));
    w = std::make_unique<MainWindow>(Folders{dir.Folder(), dir.Folder(), data.Folder()});
    w->Startup();
  }
};

// A left click on New with 9x9 and Hard: make, write the scratch file, show.
void BM_NewButton9x9Hard(benchmark::State& state) {
  Window win;
  win.w->findChild<QLabel*>("Label3")->setText("9x9");
  win.w->findChild<QLabel*>("Label4")->setText("Hard");
  for (auto _ : state) win.w->NewPuzzle();
}
BENCHMARK(BM_NewButton9x9Hard)->Unit(benchmark::kMicrosecond);

BatchOptions options(const std::string& out, int count) {
  BatchOptions o;
  o.count = count;
  o.size = 9;
  o.easy = false;
  o.outFile = out;
  o.seed = 3;
  o.threads = 1;
  return o;
}

// 10,000 Hard 9x9 puzzles through the window: the worker makes them while the
// window shows the progress. A click on the busy panel every 20 ms (answered No)
// measures how soon the window answers during the batch.
struct Clicker : Silent {
  std::chrono::steady_clock::time_point posted;
  double worstMs = 0, totalMs = 0;
  int answered = 0;
  int Message(const std::string& text, const std::string&) override {
    if (text != "Cancel?") return 1;
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - posted).count();
    worstMs = std::max(worstMs, ms);
    totalMs += ms;
    ++answered;
    return 7;
  }
};

void BM_WindowBatch10000(benchmark::State& state) {
  Window win;
  Clicker clicker;
  ScopedAnswerer scoped{clicker};
  QWidget* panel = win.w->findChild<QWidget*>("busylabel");
  int k = 0;
  for (auto _ : state) {
    BatchResult r;
    QEventLoop loop;
    win.w->StartBatch(options(win.dir.File("w" + std::to_string(k++) + ".kvl"), 10000), [&](const BatchResult& result) {
      r = result;
      loop.quit();
    });
    QTimer clicks;
    QObject::connect(&clicks, &QTimer::timeout, [&] {
      clicker.posted = std::chrono::steady_clock::now();
      const QPointF at(5, 5);
      QCoreApplication::postEvent(panel, new QMouseEvent(QEvent::MouseButtonPress, at, panel->mapToGlobal(at),
                                                         Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
      QCoreApplication::postEvent(panel, new QMouseEvent(QEvent::MouseButtonRelease, at, panel->mapToGlobal(at),
                                                         Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    });
    clicks.start(20);
    if (win.w->BatchRunning()) loop.exec();
    if (r.added != 10000) state.SkipWithError("short batch");
  }
  state.counters["puzzles/s"] = benchmark::Counter(10000.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["clicks"] = clicker.answered;
  state.counters["click_ms_mean"] = clicker.answered ? clicker.totalMs / clicker.answered : 0;
  state.counters["click_ms_worst"] = clicker.worstMs;
}
BENCHMARK(BM_WindowBatch10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same batch as kelvane-cli create --threads 1 runs it.
void BM_BareBatch10000(benchmark::State& state) {
  test::TempDir dir;
  ChainListCache lists(KELVANE_BIN_DIR);
  std::atomic<bool> cancel{false};
  int k = 0;
  for (auto _ : state) {
    PuzzleFileIndexes files;
    const BatchResult r = CreateBatch(options(dir.File("b" + std::to_string(k++) + ".kvl"), 10000), lists, files, cancel);
    if (r.added != 10000) state.SkipWithError("short batch");
  }
  state.counters["puzzles/s"] = benchmark::Counter(10000.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BareBatch10000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kelvane::ui

#include "model/progress.h"
#include "model/puzzle_file.h"
#include "output/browse_screen_qt.h"
#include "output/printing_qt.h"
#include "uikit/msg_form.h"

namespace kelvane::ui {
namespace {

// A 9x9 grid whose first number cells spell k, so that every puzzle of a file is its own.
std::string gridOf(int k) {
  std::string grid;
  for (int i = 0; i < 81; ++i) grid += (i / 9) % 2 == 0 && (i % 9) % 2 == 0 ? static_cast<char>('1' + i % 9) : '-';
  for (int digit = 0, cell = 0; digit < 6; ++digit, cell += 2, k /= 9) grid[static_cast<std::size_t>(cell)] = static_cast<char>('1' + k % 9);
  return grid;
}

// The last page of a 50,000-puzzle 9x9 file: read its sixteen records and paint the window; with
// ticks, 10,000 of the file's puzzles are solved (among them every fifth of the page).
void browsePage(benchmark::State& state, bool ticks) {
  test::TempDir dir;
  const std::string path = dir.File("many.kvl");
  std::string text;
  std::unordered_set<std::string> solved;
  for (int k = 1; k <= 50000; ++k) {
    text += FormatRecord(k, k % 2 == 0, 9, 2, 41, gridOf(k), "1,3, 41");
    if (k % 5 == 0) solved.insert(PuzzleKey(gridOf(k), 41));
  }
  test::WriteFile(path, text);
  Silent answers;
  ScopedAnswerer scoped{answers};
  GameState g;
  g.CurrentFile = path;
  g.PuzzleCount = CountPuzzles(g.Files, path);
  MsgForm messages;
  BrowseScreen screen(g, messages, [](int) {});
  if (ticks) screen.SetSolved([&](const std::string& key) { return solved.count(key) > 0; });
  for (auto _ : state) {
    screen.DrawPage(49985);
    QPixmap shot = screen.grab();
    benchmark::DoNotOptimize(shot);
  }
  if (screen.Page().calls.empty()) state.SkipWithError("nothing drawn");
}
void BM_BrowsePage50000(benchmark::State& state) { browsePage(state, false); }
BENCHMARK(BM_BrowsePage50000)->Unit(benchmark::kMicrosecond);
void BM_BrowsePageTicks50000(benchmark::State& state) { browsePage(state, true); }
BENCHMARK(BM_BrowsePageTicks50000)->Unit(benchmark::kMicrosecond);

// The move that wins, as a click plays it: the win kept in the store, the status line, the message.
// Each iteration wins another of 2,000 puzzles, so that every win is recorded.
void BM_WinningMove(benchmark::State& state) {
  Window win;
  BatchOptions o;
  o.count = 2000;
  o.size = 5;
  o.outFile = win.dir.File("wins.kvl");
  o.seed = 5;
  ChainListCache lists(KELVANE_BIN_DIR);
  PuzzleFileIndexes files;
  std::atomic<bool> cancel{false};
  if (CreateBatch(o, lists, files, cancel, {}).added != 2000) state.SkipWithError("no puzzles");
  GameState& g = win.w->State();
  g.CurrentFile = o.outFile;
  int k = 0;
  for (auto _ : state) {
    state.PauseTiming();
    win.w->ShowPuzzleNumber(++k);
    std::vector<int> cells;
    for (std::size_t p = 0, comma; (comma = g.Solution.find(',', p)) != std::string::npos; p = comma + 1)
      cells.push_back(std::stoi(g.Solution.substr(p, comma - p)));
    for (std::size_t i = 0; i + 1 < cells.size(); ++i) win.w->CellReleased(cells[i], 1);
    state.ResumeTiming();
    win.w->CellReleased(cells.back(), 1);
  }
  if (win.w->Progress().Solves().size() != static_cast<std::size_t>(k)) state.SkipWithError("a win was not kept");
}
BENCHMARK(BM_WinningMove)->Unit(benchmark::kMillisecond)->Iterations(2000);

// The status line written again and painted, as the clock's timer does every second.
void BM_StatusLinePaint(benchmark::State& state) {
  Window win;
  auto* line = win.w->findChild<QLabel*>("StatusLine");
  for (auto _ : state) {
    win.w->showStatus();
    QPixmap shot = line->grab();
    benchmark::DoNotOptimize(shot);
  }
}
BENCHMARK(BM_StatusLinePaint)->Unit(benchmark::kMicrosecond);

// 1,000 solutions of 9x9 puzzles at 24 a page into a PDF file: the range check, then the pages.
void BM_PrintSolutionsPdf1000(benchmark::State& state) {
  test::TempDir dir;
  BatchOptions o;
  o.count = 1000;
  o.outFile = dir.File("book.kvl");
  o.seed = 11;
  ChainListCache lists(KELVANE_BIN_DIR);
  PuzzleFileIndexes files;
  std::atomic<bool> cancel{false};
  if (CreateBatch(o, lists, files, cancel, {}).added != 1000) state.SkipWithError("no puzzles");
  const FilePrintJob job{o.outFile, 1, 1000, GridMode::Solution, 24};
  GameState g;
  int pages = 0;
  for (auto _ : state) {
    if (!PrintRangeProblem(g.Files, job).empty()) state.SkipWithError("range");
    const PrintResult r = PrintToPdf(dir.File("book.pdf"), QPageSize(QPageSize::A4),
                                     [&](QPagedPaintDevice& device) { return PrintFileRange(g, device, job); });
    pages = r.pages;
  }
  state.counters["pages"] = pages;
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(dir.File("book.pdf")));
}
BENCHMARK(BM_PrintSolutionsPdf1000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kelvane::ui

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
