// The About window "AboutForm": program text, picture, OK and the puzzle download link.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <QString>
#include <array>

#include "model/game_state.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kelvane::ui {

// The page that offers the project's puzzle collections.
inline constexpr char DownloadAddress[] = "https://kelvane.example/puzzles";

// A modal dialog; OK, Escape or a click into the text close it.
class AboutForm : public QDialog {
  Q_OBJECT

 public:
  explicit AboutForm(QWidget* parent = nullptr);

  // Background and text from slot 2, the OK button and the link from slot 5.
  void ApplyPalette(const std::array<Colour, 14>& palette);
  // A palette applied again on every activation (the owner's live one); nullptr for none.
  void FollowPalette(const std::array<Colour, 14>* palette) { followed_ = palette; }

  // Asks whether to open the download page and opens it on Yes; true when opened.
  bool OfferDownload();

  // The question OfferDownload asks.
  static QString DownloadQuestion();
  // The program's picture: a small board with a marked cell and a chain, side pixels square.
  static QPixmap ProgramPicture(int side);

 protected:
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  QPlainTextEdit* text_ = nullptr;
  QPushButton* ok_ = nullptr;
  QLabel* link_ = nullptr;
  QLabel* image_ = nullptr;
  const std::array<Colour, 14>* followed_ = nullptr;
};

}  // namespace kelvane::ui
