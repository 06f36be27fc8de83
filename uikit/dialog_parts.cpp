// Pieces the program's dialogs share: sizes, colouring, the two buttons and the file row.
#include "uikit/dialog_parts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>

#include "uikit/box_control.h"
#include "uikit/colours.h"
#include "uikit/fn_dialog.h"
#include "uikit/twips.h"

namespace kelvane::ui {
namespace dialog {

void Fill(QWidget* w, QPalette::ColorRole role, Colour colour) {
  if (role == QPalette::Window) SetColourRoles(w, {role, w->backgroundRole()}, colour);
  else SetColourRoles(w, {role}, colour);
}

BoxControl* Button(QWidget* parent, const char* name, const char* caption, const char* tip) {
  auto* b = new BoxControl(parent);
  b->setObjectName(name);
  b->SetCaption(caption);
  b->setToolTip(tip);
  b->setFixedSize(Px(ButtonWidth), Px(ButtonHeight));
  return b;
}

QHBoxLayout* ButtonRow(BoxControl* first, BoxControl* second) {
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(first);
  row->addSpacing(Px(Gap));
  row->addWidget(second);
  return row;
}

FileRow AddFileRow(QGroupBox* frame) {
  auto* row = new QHBoxLayout(frame);
  auto* fileNow = new QLineEdit(frame);
  fileNow->setObjectName("FileNow");
  fileNow->setMinimumWidth(Px(4200));
  auto* gf1 = new FNDialog(frame);
  gf1->setObjectName("gf1");
  gf1->setFixedSize(Px(ChooserWidth), fileNow->sizeHint().height());
  row->addWidget(fileNow, 1);
  row->addWidget(gf1);
  return {fileNow, gf1};
}

void ColourButtons(const std::array<Colour, 14>& palette, std::initializer_list<BoxControl*> buttons, FNDialog* chooser) {
  for (BoxControl* b : buttons) b->SetBackcolor(palette[DialogColourSlot]);
  chooser->SetBackcolor(palette[DialogColourSlot]);
}

}  // namespace dialog

void TagDialog::reject() {
  tag_ = "X";
  QDialog::reject();
}

void TagDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    Confirm();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace kelvane::ui
