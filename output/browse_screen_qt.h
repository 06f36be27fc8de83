// BrowseScreen ("Form2"): a puzzle file sixteen thumbnails to a page, with paging, picking and printing.
#pragma once

#include <QDialog>
#include <QImage>
#include <QPoint>
#include <array>
#include <functional>
#include <random>

#include "model/game_state.h"
#include "output/canvas.h"

class QLabel;

namespace kelvane::ui {

class BoxControl;
class MsgForm;

// Modal; hidden, not destroyed, when closed or when a puzzle is picked.
class BrowseScreen : public QDialog {
  Q_OBJECT

 public:
  // The designed client area in twips; the smallest size of the window.
  static constexpr int DesignWidth = 9240;
  static constexpr int DesignHeight = 8200;

  // pick(n) shows puzzle n of g.CurrentFile on the owner's board.
  BrowseScreen(GameState& g, MsgForm& messages, std::function<void(int)> pick, QWidget* parent = nullptr);

  // Makes `first` (at least 1) the page's first puzzle, BrowseFirst, and reads
  // the page's records once; painting replays them.
  void DrawPage(int first);
  // Page 1 and the caption "Total Puzzles = n", as the owner opens the screen.
  void OpenAtFirstPage();

  // The command of arrows_index, as any mouse button released on it runs it.
  void Command(int index);
  // A mouse button released on the window at (x, y), twips of the design.
  void PickAt(double x, double y);
  // The keys' thumbnail, 1..16 on the page (0 on an empty page): the arrows move it,
  // Enter or Space picks it. It is framed while the page has the keys.
  int KeyThumbnail() const { return keyThumb_; }

  // Receives the window's image when printing is confirmed and tells whether the
  // page was printed; prints nothing by default.
  void SetPrintImage(std::function<bool(const QImage&)> printImage) { printImage_ = std::move(printImage); }
  // Tells which puzzles the player has solved, by key; they get a tick.
  void SetSolved(std::function<bool(const std::string&)> solved) { solved_ = std::move(solved); }

  // Pixels per 15 twips of the design; 1 at the smallest size.
  double Scale() const { return scale_; }
  // Where the designed area's top-left corner lies in the window, in pixels.
  QPoint DesignOrigin() const { return origin_; }
  // The page as drawn, in twips: each thumbnail's frame, then its title and cells.
  const RecordingCanvas& Page() const { return page_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void layOut();
  void applyColours();
  void refreshCount();
  // Shows puzzle n on the owner's board and closes; nothing for a number outside the file.
  void pick(int n);
  int onPage() const;
  void moveKeyThumbnail(int columns, int rows);

  GameState& g_;
  MsgForm& messages_;
  std::function<void(int)> pick_;
  std::function<bool(const QImage&)> printImage_ = [](const QImage&) { return false; };
  std::function<bool(const std::string&)> solved_;
  std::mt19937_64 random_;
  RecordingCanvas page_;
  double scale_ = 1.0;
  QPoint origin_;
  int keyThumb_ = 1;

  std::array<BoxControl*, 7> arrows{};
  QLabel* Label1 = nullptr;
};

}  // namespace kelvane::ui
