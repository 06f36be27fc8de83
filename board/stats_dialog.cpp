// The Statistics window: a table per size and difficulty, a QPainter chart of solve times, CSV export.
#include "board/stats_dialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "model/navigation.h"
#include "model/play_clock.h"
#include "model/puzzle_file.h"
#include "uikit/colours.h"

namespace kelvane::ui {

SolveChart::SolveChart(QWidget* parent) : QWidget(parent) {
  setObjectName("SolveChart");
  setMinimumSize(360, 160);
}

void SolveChart::SetBars(std::vector<ChartBar> bars) {
  bars_ = std::move(bars);
  update();
}

void SolveChart::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QFontMetrics fm(font());
  const int labelH = fm.height() + 4;
  const int n = static_cast<int>(bars_.size());
  if (n == 0) return;
  int most = 1;
  for (const ChartBar& b : bars_) most = std::max(most, b.count);
  const double slot = static_cast<double>(width()) / n;
  const int plotH = height() - 2 * labelH;
  p.setPen(palette().color(QPalette::WindowText));
  for (int i = 0; i < n; ++i) {
    const ChartBar& b = bars_[static_cast<std::size_t>(i)];
    const int h = plotH * b.count / most;
    const QRectF bar(i * slot + slot * 0.15, labelH + plotH - h, slot * 0.7, h);
    p.fillRect(bar, ToQColor(bar_));
    p.drawText(QRectF(i * slot, labelH + plotH - h - labelH, slot, labelH), Qt::AlignCenter, QString::number(b.count));
    p.drawText(QRectF(i * slot, height() - labelH, slot, labelH), Qt::AlignCenter, QString::fromStdString(b.label));
  }
  p.drawLine(0, labelH + plotH, width(), labelH + plotH);
}

StatsDialog::StatsDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("StatsForm");
  setWindowTitle("Statistics");
  setModal(true);
  setAttribute(Qt::WA_QuitOnClose, false);
  auto* layout = new QVBoxLayout(this);
  table_ = new QTableWidget(0, 6, this);
  table_->setObjectName("StatsTable");
  table_->setHorizontalHeaderLabels({"Size", "Difficulty", "Solved", "Median", "Best", "Clean"});
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionMode(QAbstractItemView::NoSelection);
  table_->setFocusPolicy(Qt::NoFocus);
  empty_ = new QLabel("No puzzles solved yet.", this);
  empty_->setObjectName("StatsEmpty");
  auto* caption = new QLabel("Solve times", this);
  chart_ = new SolveChart(this);
  auto* buttons = new QHBoxLayout;
  export_ = new QPushButton("&Export CSV...", this);
  export_->setObjectName("StatsExport");
  close_ = new QPushButton("&Close", this);
  close_->setObjectName("StatsClose");
  close_->setDefault(true);
  buttons->addStretch();
  buttons->addWidget(export_);
  buttons->addWidget(close_);
  layout->addWidget(table_);
  layout->addWidget(empty_);
  layout->addWidget(caption);
  layout->addWidget(chart_, 1);
  layout->addLayout(buttons);
  connect(export_, &QPushButton::clicked, this, &StatsDialog::Export);
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);
  resize(560, 440);
}

void StatsDialog::SetSolves(std::vector<Solve> solves) {
  solves_ = std::move(solves);
  const std::vector<StatsRow> rows = SummariseSolves(solves_);
  table_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const StatsRow& s = rows[static_cast<std::size_t>(r)];
    const QString cells[] = {QString::fromStdString(SizeText(s.size)), s.easy ? "Easy" : "Hard",
                             QString::number(s.solved), QString::fromStdString(ClockText(s.medianSeconds)),
                             QString::fromStdString(ClockText(s.bestSeconds)), QString::number(s.clean)};
    for (int c = 0; c < 6; ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      item->setTextAlignment(c < 2 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
      table_->setItem(r, c, item);
    }
  }
  empty_->setVisible(rows.empty());
  export_->setEnabled(!solves_.empty());
  chart_->SetBars(SolveTimeBars(solves_));
}

void StatsDialog::ApplyPalette(const std::array<Colour, 14>& palette) {
  SetColourRoles(this, {QPalette::Window}, palette[2]);
}

void StatsDialog::Export() {
  if (!askFile_) return;
  const std::string path = askFile_();
  if (path.empty()) return;
  const WriteResult w = ReplaceFile(path, SolvesCsv(solves_));
  if (tell_) tell_(w.ok ? "Done" : w.message + "\n" + w.reason, w.ok ? "vbok+vbinformation" : "vbok+vbcritical");
}

}  // namespace kelvane::ui
