#include "app/windows/CourseEditorCommand.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>

#include "app/core/CourseEditor.h"
#include "app/core/Document.h"
#include "app/windows/CourseWindow.h"

namespace course_editor_command {
namespace {

const QString ContentsFilter =
    QStringLiteral("目次ファイル(*.vrn)|*.vrn|すべてのファイル(*.*)|*.*");

// The editor and its window, built the first time they are wanted.
class CourseEditing : public QObject {
 public:
  CourseEditing(QWidget *main, Document &document)
      : QObject(main), main_(main), document_(document) {}

  void editCourse() {
    if (!letGo()) return;
    QString path = document_.navigator().course().ContentsPath;
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
      Messages::FileDialog dialog;
      dialog.title = QStringLiteral("目次を編集");
      dialog.filter = ContentsFilter;
      dialog.defaultExtension = QStringLiteral("vrn");
      dialog.mustExist = true;
      path = document_.messages().openFileName(dialog);
      if (path.isEmpty()) return;
    }
    if (editor().open(path)) show();
  }

  void newCourse() {
    if (!letGo()) return;
    Messages::FileDialog dialog;
    dialog.title = QStringLiteral("新しい目次");
    dialog.filter = ContentsFilter;
    dialog.defaultExtension = QStringLiteral("vrn");
    dialog.confirmOverwrite = true;
    const QString path = document_.messages().saveFileName(dialog);
    if (path.isEmpty()) return;
    editor().startNew(path);
    show();
  }

  void executiveChanged(bool executive) {
    if (!executive && window_) window_->close();
  }

 private:
  CourseEditor &editor() {
    if (!editor_) editor_ = new CourseEditor(document_, this);
    return *editor_;
  }
  // The contents being edited may be replaced.
  bool letGo() { return !editor_ || editor_->askSaveQuestion(); }
  void show() {
    if (!window_) {
      window_ = new CourseWindow(editor(), main_);
      Document *doc = &document_;
      connect(window_, &CourseWindow::openPageRequested, doc,
              [doc](const QString &path) { doc->files().openFile(path); });
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
  }

  QWidget *main_;
  Document &document_;
  CourseEditor *editor_ = nullptr;
  QPointer<CourseWindow> window_;
};

}  // namespace

void add(QMenu *menu, QWidget *window, Document &document) {
  auto *editing = new CourseEditing(window, document);
  QAction *edit = menu->addAction(QStringLiteral("目次を編集..."));
  edit->setObjectName(QStringLiteral("EditContents"));
  QAction *make = menu->addAction(QStringLiteral("新しい目次..."));
  make->setObjectName(QStringLiteral("NewContents"));
  ProgramSession &session = document.session();
  for (QAction *item : {edit, make}) {
    item->setVisible(session.executive());
    QObject::connect(&session, &ProgramSession::executiveChanged, item,
                     &QAction::setVisible);
  }
  QObject::connect(&session, &ProgramSession::executiveChanged, editing,
                   [editing](bool on) { editing->executiveChanged(on); });
  QObject::connect(edit, &QAction::triggered, editing,
                   [editing] { editing->editCourse(); });
  QObject::connect(make, &QAction::triggered, editing,
                   [editing] { editing->newCourse(); });
}

}  // namespace course_editor_command
