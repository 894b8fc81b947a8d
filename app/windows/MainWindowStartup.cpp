// The main window's start-up and shut-down: the settings file, the window
// layout, the start file and dropped files.
#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QPixmap>

#include "app/core/Messages.h"
#include "app/core/PagePlayer.h"
#include "app/core/SettingsFile.h"
#include "app/windows/MainWindow.h"
#include "app/windows/TextWindow.h"
#include "files/core/PageFormat.h"
#include "files/core/PathLookup.h"
#include "score/render/GlyphSet.h"

namespace {

const QString MainForm = QStringLiteral("MainForm");
const QString TextForm = QStringLiteral("TextForm");
const QString Fum = QStringLiteral("Fum");
const QString RecentSection = QStringLiteral("RecentFiles");
const QString VrnSection = QStringLiteral("Vrn");

QString recentKey(int n) { return QStringLiteral("r%1").arg(n); }

}  // namespace

QString TForm1::DefaultContentsPath() const {
  return programFolder_ + QStringLiteral("Data/Varnel.vrn");
}

void TForm1::FormCreate() {
  // The program's icon is its treble clef.
  setWindowIcon(QIcon(QPixmap::fromImage(GlyphSet::instance().image(32))));
  course.ContentsIndex = 0;
  page.StaffCount = ScorePage::DefaultStaffCount;
  page.StaffWidth = ScorePage::DefaultStaffWidth;
  editor.PaletteTag = 3;
  editor.PaletteButtonActive = true;
  QDir::setCurrent(programFolder_);
  editor.AdministratorMode = false;
  MidiPresent = player_.outputPresent();
  if (!MidiPresent) GMON1->setEnabled(false);
}

void TForm1::FormShow() {
  if (Form3) Form3->show();
  move(settings_.readInteger(MainForm, QStringLiteral("Left"), 0),
       settings_.readInteger(MainForm, QStringLiteral("Top"), 0));
  resize(settings_.readInteger(MainForm, QStringLiteral("Width"), 640),
         settings_.readInteger(MainForm, QStringLiteral("Height"), 455));
  if (settings_.readBool(MainForm, QStringLiteral("Maximized"), false))
    setWindowState(windowState() | Qt::WindowMaximized);
  else
    setWindowState(windowState() & ~Qt::WindowMaximized);

  // A line length the page writer cannot use is brought to the nearer
  // bound, and stored so at shut-down.
  MaxChar = page_format::clampMaxChar(settings_.readInteger(
      Fum, QStringLiteral("MaxChar"), page_format::DefaultMaxChar));
  Executive = settings_.readBool(Fum, QStringLiteral("Executive"), false);
  Folder = settings_.readString(Fum, QStringLiteral("Folder"), QString());
  for (int n = 1; n <= RecentFiles::Count; ++n)
    Recent.setEntry(n, settings_.readString(RecentSection, recentKey(n), {}));

  const QSize screen = screenSize_();
  if (y() >= screen.height()) move(x(), screen.height() - 200);
  if (x() >= screen.width()) move(screen.width() - 200, y());
  if (Form3) {
    if (Form3->y() >= screen.height())
      Form3->move(Form3->x(), screen.height() - 100);
    if (Form3->x() >= screen.width())
      Form3->move(screen.width() - 100, Form3->y());
  }

  if (!Folder.isEmpty() && QFileInfo(Folder).isDir()) QDir::setCurrent(Folder);
  ApplyExecutiveOption();
  updateRecentCaptions();

  QString startFile = DefaultContentsPath();
  if (!arguments_.isEmpty() && !arguments_.first().isEmpty())
    startFile = expandLongPath(arguments_.first());
  if (!startFile.isEmpty() && QFileInfo(startFile).isFile())
    OpenFile(startFile);
  else
    NewPage();
}

void TForm1::FormActivate() { Panel1->setFocus(); }

bool TForm1::writeSettings() {
  bool ok = true;
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
  const bool maximized = isMaximized();
  if (ok)
    ok = settings_.writeBool(MainForm, QStringLiteral("Maximized"), maximized);
  if (!maximized) {
    integer(MainForm, QStringLiteral("Left"), x());
    integer(MainForm, QStringLiteral("Top"), y());
    integer(MainForm, QStringLiteral("Width"), width());
    integer(MainForm, QStringLiteral("Height"), height());
  }
  if (Form3) {
    integer(TextForm, QStringLiteral("Left"), Form3->x());
    integer(TextForm, QStringLiteral("Top"), Form3->y());
    integer(TextForm, QStringLiteral("Width"), Form3->width());
    integer(TextForm, QStringLiteral("Height"), Form3->height());
  }
  integer(Fum, QStringLiteral("MaxChar"), MaxChar);
  if (ok) ok = settings_.writeBool(Fum, QStringLiteral("Executive"), Executive);
  text(Fum, QStringLiteral("Folder"), Folder);
  // A contents file whose name cannot be a key (such as "a=b.vrn") is not
  // remembered.
  const QString contentsKey = CourseContents::rememberKey(course.ContentsPath);
  if (!course.ContentsPath.isEmpty() &&
      SettingsFile::canHold(VrnSection, contentsKey, QString()))
    integer(VrnSection, contentsKey, course.ContentsIndex);
  for (int n = 1; n <= RecentFiles::Count; ++n)
    text(RecentSection, recentKey(n), Recent.entry(n));
  if (!ok)
    messages_.generalError(
        QStringLiteral("%1 に書き込めません").arg(settings_.path()));
  return ok;
}

void TForm1::FormClose() { Folder = QDir::currentPath(); }

void TForm1::FormDestroy() { page.clearLists(); }

void TForm1::showEvent(QShowEvent *event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  FormShow();
}

void TForm1::closeEvent(QCloseEvent *event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  FormClose();
  if (!writeSettings()) {
    event->ignore();
    return;
  }
  event->accept();
  if (Form3) Form3->hide();
  FormDestroy();
}

void TForm1::changeEvent(QEvent *event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow())
    FormActivate();
}

void TForm1::dragEnterEvent(QDragEnterEvent *event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent *event) {
  if (DropFiles(event->mimeData()->urls())) event->acceptProposedAction();
}

bool TForm1::DropFiles(const QList<QUrl> &urls) {
  // Only the first dropped file is opened.
  for (const QUrl &url : urls) {
    if (!url.isLocalFile()) continue;
    raise();
    activateWindow();
    OpenFile(url.toLocalFile());
    return true;
  }
  return false;
}
