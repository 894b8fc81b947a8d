#include "app/windows/QtMessages.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTranslator>
#include <optional>

namespace {

QMessageBox::Icon qtIcon(Messages::Icon icon) {
  switch (icon) {
    case Messages::Icon::Error:
    case Messages::Icon::Stop:
      return QMessageBox::Critical;
    case Messages::Icon::Warning:
      return QMessageBox::Warning;
    case Messages::Icon::Question:
      return QMessageBox::Question;
    case Messages::Icon::Information:
      return QMessageBox::Information;
    case Messages::Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

// The hourglass of a command at work gives way to the arrow while the
// user is asked or told something, and comes back afterwards.
class ArrowWhileAsking {
 public:
  ArrowWhileAsking() {
    while (QGuiApplication::overrideCursor()) {
      QGuiApplication::restoreOverrideCursor();
      ++taken_;
    }
  }
  ~ArrowWhileAsking() {
    for (int i = 0; i < taken_; ++i)
      QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  }
  ArrowWhileAsking(const ArrowWhileAsking &) = delete;
  ArrowWhileAsking &operator=(const ArrowWhileAsking &) = delete;

 private:
  int taken_ = 0;
};

// The extension of a filter such as "PNG画像 (*.png)"; none for a filter of
// several types or of every file.
std::optional<QString> suffixOf(const QString &filter) {
  static const QRegularExpression single(
      QStringLiteral("\\(\\*\\.([A-Za-z0-9]+)\\)$"));
  const QRegularExpressionMatch match = single.match(filter);
  if (!match.hasMatch()) return std::nullopt;
  return match.captured(1);
}

QStringList runFileDialog(QWidget *parent, const Messages::FileDialog &d,
                          QFileDialog::AcceptMode mode, bool several) {
  ArrowWhileAsking arrow;
  QFileDialog dialog(parent, d.title);
  dialog.setAcceptMode(mode);
  dialog.setNameFilter(QtMessages::qtFilter(d.filter));
  dialog.setDefaultSuffix(d.defaultExtension);
  // A name typed without an extension takes the chosen type's.
  QObject::connect(
      &dialog, &QFileDialog::filterSelected, &dialog,
      [&dialog, &d](const QString &filter) {
        dialog.setDefaultSuffix(suffixOf(filter).value_or(d.defaultExtension));
      });
  dialog.setFileMode(several       ? QFileDialog::ExistingFiles
                     : d.mustExist ? QFileDialog::ExistingFile
                                   : QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !d.confirmOverwrite);
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  if (!d.folder.isEmpty()) dialog.setDirectory(d.folder);
  if (!d.fileName.isEmpty()) dialog.selectFile(d.fileName);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles();
}

}  // namespace

Messages::Answer QtMessages::show(const QString &text, Icon icon,
                                  Buttons buttons) {
  ArrowWhileAsking arrow;
  QMessageBox box(qtIcon(icon), QStringLiteral("Varnel"), text,
                  QMessageBox::NoButton, parent_);
  switch (buttons) {
    case Buttons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case Buttons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case Buttons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No |
                             QMessageBox::Cancel);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    case QMessageBox::Cancel:
      return Answer::Cancel;
    default:
      return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
  }
}

QString QtMessages::openFileName(const FileDialog &dialog) {
  return runFileDialog(parent_, dialog, QFileDialog::AcceptOpen, false)
      .value(0);
}

QStringList QtMessages::openFileNames(const FileDialog &dialog) {
  return runFileDialog(parent_, dialog, QFileDialog::AcceptOpen, true);
}

QString QtMessages::saveFileName(const FileDialog &dialog) {
  return runFileDialog(parent_, dialog, QFileDialog::AcceptSave, false)
      .value(0);
}

bool QtMessages::inputBox(const QString &caption, const QString &prompt,
                          QString &value) {
  ArrowWhileAsking arrow;
  bool ok = false;
  const QString text = QInputDialog::getText(parent_, caption, prompt,
                                             QLineEdit::Normal, value, &ok);
  if (ok) value = text;
  return ok;
}

void QtMessages::beep() { QApplication::beep(); }

QString QtMessages::qtFilter(const QString &pipeFilter) {
  static const QRegularExpression patternInParentheses(
      QStringLiteral("\\(\\*[^()]*\\)"));
  const QStringList parts = pipeFilter.split(QLatin1Char('|'));
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    // "*.*" means every file, also those without a dot in their names.
    patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
    // The program's descriptions name their patterns already, as in
    // "譜面ファイル(*.fum)": those go, so the dialog shows them once.
    QString description = parts[i];
    description.remove(patternInParentheses);
    filters << QStringLiteral("%1 (%2)").arg(description.trimmed(), patterns);
  }
  return filters.join(QStringLiteral(";;"));
}

bool QtMessages::installJapaneseQtTexts() {
  static QTranslator texts;
  if (!texts.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"),
                  QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return false;
  return QCoreApplication::installTranslator(&texts);
}
