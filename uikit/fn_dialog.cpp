// FNDialog, the "..." button that runs the open or save file dialog.
#include "uikit/fn_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <algorithm>
#include <cctype>
#include <functional>
#include <utility>

#include "uikit/box_control.h"
#include "uikit/twips.h"

namespace kelvane::ui {

namespace {

// The inner button; it reports a release after its own handling, so Click comes first.
class Command : public QPushButton {
 public:
  using Report = std::function<void(bool down, const QMouseEvent&)>;
  Command(const QString& text, QWidget* parent, Report report) : QPushButton(text, parent), report_(std::move(report)) {}

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    report_(true, *event);
    QPushButton::mousePressEvent(event);
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    QPointer<Command> alive(this);
    QPushButton::mouseReleaseEvent(event);
    if (alive) report_(false, *event);
  }

 private:
  Report report_;
};

bool IsSave(const std::string& mode) {
  std::string lower = mode;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower == "save";
}

}  // namespace

FNDialog::FNDialog(QWidget* parent)
    : QWidget(parent),
      command1_(new Command(QStringLiteral("..."), this, [this](bool down, const QMouseEvent& e) { Report(down, e); })) {
  command1_->setObjectName(QStringLiteral("command1"));
  command1_->setAutoDefault(false);
  connect(command1_, &QPushButton::clicked, this, &FNDialog::Click);
  command1_->setGeometry(rect());
}

void FNDialog::SetBackcolor(Colour colour) {
  backColor_ = colour;
  QPalette palette = command1_->palette();
  palette.setColor(QPalette::Button, ToQColor(colour));
  command1_->setPalette(palette);
}

QFont FNDialog::Font() const { return command1_->font(); }
void FNDialog::SetFont(const QFont& font) { command1_->setFont(font); }
QString FNDialog::Caption() const { return command1_->text(); }
void FNDialog::SetCaption(const QString& caption) { command1_->setText(caption); }
QIcon FNDialog::Picture() const { return command1_->icon(); }
void FNDialog::SetPicture(const QIcon& picture) { command1_->setIcon(picture); }

FileRequest FNDialog::Request(const std::string& mode) const {
  FileRequest request;
  request.save = IsSave(mode);
  request.title = title_;
  request.fileTypes = fileTypes_;
  request.fileTypesName = fileTypesName_;
  request.defaultDir = defaultDir_;
  return request;
}

QString FNDialog::NameFilter(const std::string& typesName, const std::string& types) {
  QStringList patterns;
  for (const QString& p : QString::fromStdString(types).split(QLatin1Char(';'))) {
    const QString trimmed = p.trimmed();
    if (!trimmed.isEmpty()) patterns << trimmed;
  }
  if (patterns.isEmpty()) return QString();
  const QString name = QString::fromStdString(typesName).trimmed();
  const QString list = patterns.join(QLatin1Char(' '));
  return name.isEmpty() ? list : name + QStringLiteral(" (") + list + QLatin1Char(')');
}

std::string FNDialog::GetFileName(const std::string& mode) {
  const FileRequest request = Request(mode);
  if (ModalAnswerer* answerer = InstalledAnswerer()) return answerer->FileName(request);

  const QString before = QDir::currentPath();
  QString start = QString::fromStdString(request.defaultDir);
  if (start.isEmpty() || !QFileInfo(start).isDir()) start = before;

  QFileDialog dialog(window(), QString::fromStdString(request.title), start);
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // Like the program's callers expect: no existence check, no overwrite question.
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setOption(QFileDialog::DontUseNativeDialog, !native_);
  const QString filter = NameFilter(request.fileTypesName, request.fileTypes);
  if (!filter.isEmpty()) dialog.setNameFilter(filter);

  std::string result;
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    result = QDir::cleanPath(QFileInfo(dialog.selectedFiles().first()).absoluteFilePath()).toStdString();
  }
  QDir::setCurrent(before);
  return result;
}

void FNDialog::Report(bool down, const QMouseEvent& event) {
  const int button = MouseButtonCode(event.button());
  if (button == 0) return;
  const int shift = ShiftCode(event.modifiers());
  const QPointF at = event.position();
  if (down) {
    emit MouseDown(button, shift, Twips(at.x()), Twips(at.y()));
  } else {
    emit MouseUp(button, shift, Twips(at.x()), Twips(at.y()));
  }
}

void FNDialog::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  command1_->setGeometry(rect());
}

}  // namespace kelvane::ui
