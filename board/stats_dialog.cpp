// The Statistics window: tables per size and difficulty and per stars, a QPainter chart of solve times, CSV export.
#include "board/stats_dialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "engine/rating.h"
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
  const auto newTable = [this](const char* name, const QStringList& headers) {
    auto* t = new QTableWidget(0, static_cast<int>(headers.size()), this);
    t->setObjectName(name);
    t->setHorizontalHeaderLabels(headers);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->setFocusPolicy(Qt::NoFocus);
    return t;
  };
  table_ = newTable("StatsTable", {"Size", "Difficulty", "Solved", "Median", "Best", "Clean"});
  byStars_ = newTable("StatsByStars", {"Stars", "Solved", "Median", "Best", "Clean"});
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
  layout->addWidget(byStars_);
  layout->addWidget(empty_);
  layout->addWidget(caption);
  layout->addWidget(chart_, 1);
  layout->addLayout(buttons);
  connect(export_, &QPushButton::clicked, this, &StatsDialog::Export);
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);
  resize(560, 520);
}

void StatsDialog::SetSolves(std::vector<Solve> solves) {
  solves_ = std::move(solves);
  RateSolves(solves_);
  const auto fill = [](QTableWidget* table, const std::vector<StatsRow>& rows, int labels) {
    table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
      const StatsRow& s = rows[static_cast<std::size_t>(r)];
      QStringList cells;
      if (labels == 2) cells << QString::fromStdString(SizeText(s.size)) << (s.easy ? "Easy" : "Hard");
      else cells << QString::fromStdString(StarsText(s.stars));
      cells << QString::number(s.solved) << QString::fromStdString(ClockText(s.medianSeconds))
            << QString::fromStdString(ClockText(s.bestSeconds)) << QString::number(s.clean);
      for (int c = 0; c < static_cast<int>(cells.size()); ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        item->setTextAlignment(c < labels ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
        if (labels == 1 && c == 0) item->setData(Qt::AccessibleTextRole, QString::number(s.stars) + (s.stars == 1 ? " star" : " stars"));
        table->setItem(r, c, item);
      }
    }
    // As tall as its rows: the chart takes the rest.
    table->setFixedHeight(table->horizontalHeader()->sizeHint().height() + 2 * table->frameWidth() +
                          std::max<int>(1, static_cast<int>(rows.size())) * table->verticalHeader()->defaultSectionSize());
  };
  const std::vector<StatsRow> rows = SummariseSolves(solves_);
  fill(table_, rows, 2);
  const std::vector<StatsRow> byStars = SummariseSolvesByStars(solves_);
  fill(byStars_, byStars, 1);
  byStars_->setVisible(!byStars.empty());
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
