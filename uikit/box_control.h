// BoxControl, the program's flat push button, and the kit's colour conversion.
#pragma once

#include <QFont>
#include <optional>
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QWidget>

#include "model/game_state.h"
#include "uikit/colours.h"
#include "uikit/tool_icons.h"

namespace kelvane::ui {

// Button codes of MouseDown/MouseUp: 1 left, 2 right, 4 middle (0 for any other).
int MouseButtonCode(Qt::MouseButton button);
// Shift codes: 1 Shift, 2 Ctrl, 4 Alt, added.
int ShiftCode(Qt::KeyboardModifiers modifiers);

// A flat raised box with a centred caption and an optional picture. It reports mouse
// presses and releases with the button used, and keys as the same reports: Space or
// Enter is the left button, Shift+Enter or the Menu key the right one, pressed at the
// box's centre. Tab reaches it; a click does not take the focus.
class BoxControl : public QWidget {
  Q_OBJECT

 public:
  static constexpr Colour SystemButtonText = 0x80000012;
  static constexpr Colour SystemButtonFace = 0x8000000F;

  explicit BoxControl(QWidget* parent = nullptr);

  Colour ForeColor() const { return foreColor_; }
  void SetForeColor(Colour colour);
  // A disabled box ignores the mouse; changing this does not redraw.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  QFont Font() const { return font_; }
  void SetFont(const QFont& font);
  // Repaints at once.
  void Refresh();
  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  float FontSize() const { return static_cast<float>(font_.pointSizeF()); }
  void SetFontSize(float points);
  bool FontBold() const { return font_.bold(); }
  void SetFontBold(bool bold);
  Colour Backcolor() const { return backColor_; }
  void SetBackcolor(Colour colour);
  // The picture is drawn at its own size (times the scale) over the middle of the box.
  QIcon Picture() const { return picture_; }
  QSize PictureSize() const { return pictureSize_; }
  void SetPicture(const QPixmap& picture);
  void SetPicture(const QIcon& picture, QSize size);
  // A tool picture, drawn again for every back colour so that its lines read.
  void SetToolPicture(ToolIcon icon, QSize size);
  void ClearPicture();
  bool FontItalic() const { return font_.italic(); }
  void SetFontItalic(bool italic);

  // Design size times scale = the size on screen; the host sets it when it resizes
  // the box. Caption font, bevel inset, picture and the reported positions follow it.
  double Scale() const { return scale_; }
  void SetScale(double scale);

  // 1 while a mouse button or an activating key is held on the box (the one-line border), else 0.
  int BorderStyle() const { return borderStyle_; }

 signals:
  // x and y are the pointer's position inside the box in twips of the design size.
  void MouseDown(int button, int shift, double x, double y);
  void MouseUp(int button, int shift, double x, double y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void Changed();
  // The held key's release: MouseUp at the centre with the button it pressed.
  void releaseKey(int shift);

  Colour foreColor_ = SystemButtonText;
  // The back colour as red, green and blue, a system colour looked up.
  Colour face() const { return FromQColor(ToQColor(backColor_)); }
  Colour backColor_ = SystemButtonFace;
  bool enabled_ = true;
  QFont font_;
  QString caption_;
  QIcon picture_;
  std::optional<ToolIcon> toolIcon_;
  QSize pictureSize_;
  double scale_ = 1.0;
  int borderStyle_ = 0;
  int heldKey_ = 0;     // the activating key held down, 0 for none
  int heldButton_ = 0;  // the button code it pressed
};

}  // namespace kelvane::ui
