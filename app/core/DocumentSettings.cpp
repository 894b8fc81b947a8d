// The document's start-up and shut-down: the settings file and the start
// file.
#include <QDir>
#include <QFileInfo>

#include "app/core/Document.h"
#include "app/core/SettingsFile.h"
#include "base/core/FileErrors.h"
#include "base/core/Messages.h"
#include "files/core/PageFormat.h"
#include "files/core/PathLookup.h"

namespace {

const QString Fum = QStringLiteral("Fum");
const QString RecentSection = QStringLiteral("RecentFiles");
const QString VrnSection = QStringLiteral("Vrn");

QString recentKey(int n) { return QStringLiteral("r%1").arg(n); }

}  // namespace

void Document::FormCreate() {
  course_.ContentsIndex = 0;
  page_.StaffCount = ScorePage::DefaultStaffCount;
  page_.StaffWidth = ScorePage::DefaultStaffWidth;
  editor_.PaletteTag = 3;
  editor_.PaletteButtonActive = true;
  startFolder_ = QDir::currentPath();
  QDir::setCurrent(programFolder_);
  editor_.AdministratorMode = false;
}

WindowLayout Document::readSettings() {
  // A line length the page writer cannot use is brought to the nearer
  // bound, and stored so at shut-down.
  maxChar_ = page_format::clampMaxChar(settings_.readInteger(
      Fum, QStringLiteral("MaxChar"), page_format::DefaultMaxChar));
  executive_ = settings_.readBool(Fum, QStringLiteral("Executive"), false);
  folder_ = settings_.readString(Fum, QStringLiteral("Folder"), QString());
  for (int n = 1; n <= RecentFiles::Count; ++n)
    recent_.setEntry(n, settings_.readString(RecentSection, recentKey(n), {}));
  if (!folder_.isEmpty() && QFileInfo(folder_).isDir())
    QDir::setCurrent(folder_);
  ApplyExecutiveOption();
  emit recentFilesChanged();
  return window_layout::read(settings_);
}

void Document::openStartFile(const QStringList &arguments) {
  QString startFile = DefaultContentsPath();
  if (!arguments.isEmpty() && !arguments.first().isEmpty()) {
    // A relative name means what it meant where the user typed it; the
    // program's own folder is asked only when it is not found there.
    const QString typed = arguments.first();
    startFile = expandLongPath(QDir(startFolder_).absoluteFilePath(typed));
    if (startFile.isEmpty()) startFile = expandLongPath(typed);
  }
  if (!startFile.isEmpty() && QFileInfo(startFile).isFile())
    OpenFile(startFile);
  else
    NewPage();
}

void Document::FormClose() { folder_ = QDir::currentPath(); }

bool Document::writeSettings(const WindowLayout &layout) {
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
  const QString contentsKey = CourseContents::rememberKey(course_.ContentsPath);
  if (!course_.ContentsPath.isEmpty() &&
      SettingsFile::canHold(VrnSection, contentsKey, QString()))
    integer(VrnSection, contentsKey, course_.ContentsIndex);
  for (int n = 1; n <= RecentFiles::Count; ++n)
    text(RecentSection, recentKey(n), recent_.entry(n));
  // Every value goes to the file in one write, which either stores all of
  // them or leaves the old file as it was.
  QString error;
  if (ok && settings_.save(&error)) return true;
  messages_.generalError(
      error.isEmpty() ? QStringLiteral("「%1」に書き込めません（%2）")
                            .arg(settings_.path(),
                                 file_errors::writeReason(settings_.path(), 0))
                      : error);
  return false;
}
