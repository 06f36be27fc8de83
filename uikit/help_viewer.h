// The help viewer window "Form4": the help page in a text browser with Back, Forward and Exit.
#pragma once

#include <QString>
#include <QWidget>
#include <array>

#include "model/game_state.h"

class QKeyEvent;
class QPushButton;
class QTextBrowser;

namespace kelvane::ui {

// A non-modal, resizable top-level window. Closing it only hides it; the owner
// creates it once and shows it again on every use.
class HelpViewer : public QWidget {
  Q_OBJECT

 public:
  explicit HelpViewer(QWidget* parent = nullptr);

  // The start page, a local HTML file; shown at once and on every activation.
  void SetPage(const QString& path);
  const QString& Page() const { return page_; }

  // Background from slot 2, the three buttons from DialogColourSlot.
  void ApplyPalette(const std::array<Colour, 14>& palette);
  // A palette applied again on every activation (the owner's live one); nullptr for none.
  void FollowPalette(const std::array<Colour, 14>* palette) { followed_ = palette; }

  // Shows the start page from its top, or a note when the file is missing.
  void ShowStartPage();
  // History steps, taken only while the address has a "#" part.
  void Back();
  void Forward();

  QTextBrowser* View() const { return view_; }

 protected:
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  bool HandleKey(const QKeyEvent* e);
  void LayOutView();
  bool AtAnchor() const;

  QPushButton* back_ = nullptr;
  QPushButton* forward_ = nullptr;
  QPushButton* exit_ = nullptr;
  QTextBrowser* view_ = nullptr;
  QString page_;
  const std::array<Colour, 14>* followed_ = nullptr;
};

}  // namespace kelvane::ui
