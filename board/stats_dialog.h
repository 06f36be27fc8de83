// The Statistics window: wins per size and difficulty and per stars, a chart of solve times, and CSV export.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "model/game_state.h"
#include "model/progress.h"
#include "model/statistics.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace kelvane::ui {

// The bars of solve times, drawn in a few lines of QPainter.
class SolveChart : public QWidget {
  Q_OBJECT

 public:
  explicit SolveChart(QWidget* parent = nullptr);
  void SetBars(std::vector<ChartBar> bars);
  const std::vector<ChartBar>& Bars() const { return bars_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<ChartBar> bars_;
  Colour bar_ = RGB(10, 100, 10);
};

class StatsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit StatsDialog(QWidget* parent = nullptr);

  // The wins are rated here, for the table by stars.
  void SetSolves(std::vector<Solve> solves);
  void ApplyPalette(const std::array<Colour, 14>& palette);
  // The file chooser for the export ("" when cancelled) and the message box.
  void SetAskFile(std::function<std::string()> ask) { askFile_ = std::move(ask); }
  void SetTell(std::function<void(const std::string&, const std::string&)> tell) { tell_ = std::move(tell); }
  // Writes every win as CSV to a file the user names.
  void Export();

 private:
  std::vector<Solve> solves_;
  QTableWidget* table_ = nullptr;
  QTableWidget* byStars_ = nullptr;
  QLabel* empty_ = nullptr;
  SolveChart* chart_ = nullptr;
  QPushButton* export_ = nullptr;
  QPushButton* close_ = nullptr;
  std::function<std::string()> askFile_;
  std::function<void(const std::string&, const std::string&)> tell_;
};

}  // namespace kelvane::ui
