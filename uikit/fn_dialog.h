// FNDialog, the "..." button that runs the open or save file dialog.
#pragma once

#include <QFont>
#include <QIcon>
#include <QString>
#include <QWidget>
#include <string>

#include "model/game_state.h"
#include "uikit/modal.h"

class QMouseEvent;
class QPushButton;

namespace kelvane::ui {

// A button filling the control; the host fills in the properties and calls GetFileName.
class FNDialog : public QWidget {
  Q_OBJECT

 public:
  explicit FNDialog(QWidget* parent = nullptr);

  Colour Backcolor() const { return backColor_; }
  void SetBackcolor(Colour colour);
  // Stored only; it colours nothing.
  int ForeColor() const { return foreColor_; }
  void SetForeColor(int colour) { foreColor_ = colour; }
  bool Enabled() const { return isEnabled(); }
  void SetEnabled(bool enabled) { setEnabled(enabled); }
  QFont Font() const;
  void SetFont(const QFont& font);
  // Patterns joined by ";", e.g. "*.kvl;*.txt;*.dat".
  std::string FileTypes() const { return fileTypes_; }
  void SetFileTypes(const std::string& types) { fileTypes_ = types; }
  std::string Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }
  // Description of the patterns, e.g. "Kelvane Files".
  std::string FileTypesName() const { return fileTypesName_; }
  void SetFileTypesName(const std::string& name) { fileTypesName_ = name; }
  // Start folder; empty (or missing) means the current folder.
  std::string DefaultDir() const { return defaultDir_; }
  void SetDefaultDir(const std::string& dir) { defaultDir_ = dir; }

  // mode "SAVE" in any letter case runs the save dialog, anything else the open
  // dialog. Returns the chosen file's full path, or "" when cancelled. The process's
  // current folder is the same afterwards. With an answerer installed nothing is shown.
  std::string GetFileName(const std::string& mode);

  QString Caption() const;
  void SetCaption(const QString& caption);
  QIcon Picture() const;
  void SetPicture(const QIcon& picture);

  // The request GetFileName would make for mode.
  FileRequest Request(const std::string& mode) const;
  // The filter text for Qt: "Kelvane Files (*.kvl *.txt *.dat)".
  static QString NameFilter(const std::string& typesName, const std::string& types);

  // Off in tests, so the dialog is a Qt widget that can be found and answered.
  void SetUseNativeDialog(bool native) { native_ = native; }

 signals:
  void Click();
  // Codes as for BoxControl: button 1 left, 2 right, 4 middle; shift 1, 2, 4; twips.
  void MouseDown(int button, int shift, double x, double y);
  void MouseUp(int button, int shift, double x, double y);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Report(bool down, const QMouseEvent& event);

  QPushButton* command1_;
  Colour backColor_ = 0x8000000F;
  int foreColor_ = 0;
  std::string fileTypes_;
  std::string title_;
  std::string fileTypesName_;
  std::string defaultDir_;
  bool native_ = true;
};

}  // namespace kelvane::ui
