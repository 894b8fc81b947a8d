#include "app/core/ProgramSession.h"

#include <QDir>
#include <QFileInfo>

#include "app/core/SettingsFile.h"
#include "base/core/FileErrors.h"
#include "base/core/Messages.h"
#include "files/core/CourseContents.h"
#include "files/core/PageFormat.h"
#include "score/core/Decimal.h"

namespace {

const QString Fum = QStringLiteral("Fum");
const QString RecentSection = QStringLiteral("RecentFiles");
const QString VrnSection = QStringLiteral("Vrn");

QString recentKey(int n) { return QStringLiteral("r%1").arg(n); }

// The folder as the system names it, links resolved; as given when it
// does not exist.
QString canonicalFolder(const QString &folder) {
  const QString canonical = QFileInfo(folder).canonicalFilePath();
  return canonical.isEmpty() ? folder : canonical;
}

}  // namespace

ProgramSession::ProgramSession(Messages &messages, SettingsFile &settings,
                               const QString &programFolder)
    : messages_(messages),
      settings_(settings),
      programFolder_(programFolder),
      startFolder_(QDir::currentPath()),
      currentFolder_(canonicalFolder(programFolder)) {}

void ProgramSession::setCurrentFolder(const QString &folder) {
  currentFolder_ = canonicalFolder(folder);
}

QString ProgramSession::defaultContentsPath() const {
  return programFolder_ + QStringLiteral("Data/Varnel.vrn");
}

QString ProgramSession::chooseFile(const Messages::FileDialog &dialog,
                                   bool forSaving) {
  const QString chosen = forSaving ? messages_.saveFileName(dialog)
                                   : messages_.openFileName(dialog);
  // The next dialog starts where the user went in this one.
  if (!chosen.isEmpty()) setCurrentFolder(QFileInfo(chosen).absolutePath());
  return chosen;
}

void ProgramSession::setExecutive(bool executive) {
  executive_ = executive;
  emit executiveChanged(executive_);
}

void ProgramSession::addRecentFile(const QString &path) {
  recent_.add(path);
  emit recentFilesChanged();
}

void ProgramSession::dropRecentFile(int tag) {
  recent_.setEntry(tag, QString());
  addRecentFile(QString());
}

WindowLayout ProgramSession::read() {
  // A line length the page writer cannot use is brought to the nearer
  // bound, and stored so at shut-down.
  maxChar_ = page_format::clampMaxChar(settings_.readInteger(
      Fum, QStringLiteral("MaxChar"), page_format::DefaultMaxChar));
  executive_ = settings_.readBool(Fum, QStringLiteral("Executive"), false);
  folder_ = settings_.readString(Fum, QStringLiteral("Folder"), QString());
  for (int n = 1; n <= RecentFiles::Count; ++n)
    recent_.setEntry(n, settings_.readString(RecentSection, recentKey(n), {}));
  if (!folder_.isEmpty() && QFileInfo(folder_).isDir())
    currentFolder_ = canonicalFolder(folder_);
  const WindowLayout layout = window_layout::read(settings_);
  if (settings_.readInPart())
    messages_.warning(
        QStringLiteral("設定ファイル「%1」は大きすぎるため、始めの %2 MB・"
                       "%3 行までだけを読みました（終了時に、読めた設定だけを"
                       "書き直します）。")
            .arg(settings_.path())
            .arg(SettingsFile::MaxBytes / (1024 * 1024))
            .arg(SettingsFile::MaxLines));
  emit executiveChanged(executive_);
  emit recentFilesChanged();
  return layout;
}

bool ProgramSession::write(const WindowLayout &layout,
                           const CourseContents &course) {
  bool ok = window_layout::write(settings_, layout);
  auto integer = [&](const QString &section, const QString &key, int value) {
    if (ok) ok = settings_.writeInteger(section, key, value);
  };
  // A path with a line break cannot be stored: its slot is left empty
  // rather than the shut-down failing on it every time.
  auto text = [&](const QString &section, const QString &key,
                  const QString &value) {
    const bool holdable = SettingsFile::canHold(section, key, value);
    if (ok)
      ok = settings_.writeString(section, key, holdable ? value : QString());
  };
  integer(Fum, QStringLiteral("MaxChar"), maxChar_);
  if (ok)
    ok = settings_.writeBool(Fum, QStringLiteral("Executive"), executive_);
  text(Fum, QStringLiteral("Folder"), folder_);
  // A contents file whose name cannot be a key (such as "a=b.vrn") is not
  // remembered.
  const QString contentsKey = CourseContents::rememberKey(course.ContentsPath);
  if (!course.ContentsPath.isEmpty() &&
      SettingsFile::canHold(VrnSection, contentsKey, QString()))
    integer(VrnSection, contentsKey, course.ContentsIndex);
  for (int n = 1; n <= RecentFiles::Count; ++n)
    text(RecentSection, recentKey(n), recent_.entry(n));
  // Every value goes to the file in one write, which either stores all of
  // them or leaves the old file as it was.
  QString error;
  writeFailed_ = !(ok && settings_.save(&error));
  if (!writeFailed_) return true;
  messages_.generalError(
      error.isEmpty() ? QStringLiteral("「%1」に書き込めません（%2）")
                            .arg(settings_.path(),
                                 file_errors::writeReason(settings_.path(), 0))
                      : error);
  return false;
}

void ProgramSession::askLineLength() {
  QString typed = QString::number(maxChar_);
  if (!messages_.inputBox(QStringLiteral("一行の文字数設定"),
                          QStringLiteral("標準は半角79文字です。"), typed))
    return;
  const std::optional<int> value = parseDecimal(typed.trimmed().toUtf8());
  if (!value) {
    messages_.notAnInteger(typed);
    return;
  }
  maxChar_ = page_format::clampMaxChar(*value);
  // The page writer cannot wrap lines shorter or longer than this.
  if (maxChar_ != *value)
    messages_.warning(
        QStringLiteral("一行の文字数は %1～%2 です。%3 にしました。")
            .arg(page_format::MinMaxChar)
            .arg(page_format::MaxMaxChar)
            .arg(maxChar_));
}
