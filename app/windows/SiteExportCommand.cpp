#include "app/windows/SiteExportCommand.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMenu>
#include <QProgressDialog>

#include "app/core/Document.h"
#include "base/core/Messages.h"
#include "export/render/SiteExport.h"
#include "score/render/BusyCursor.h"

namespace site_export_command {
namespace {

void run(QWidget *window, Document &document) {
  Messages &messages = document.messages();
  // What is exported is what is on disk: the course, else the saved page.
  const CourseNavigator &navigator = document.navigator();
  const QString source = navigator.active() ? navigator.course().ContentsPath
                                            : document.page().PagePath;
  if (source.isEmpty()) {
    messages.error(QStringLiteral(
        "書き出す教材がありません。ページを保存してから書き出してください。"));
    return;
  }
  const QString folder = QFileDialog::getExistingDirectory(
      window, QStringLiteral("書き出し先のフォルダ"),
      document.session().currentFolder());
  if (folder.isEmpty()) return;

  BusyCursor busy;
  QProgressDialog progress(QStringLiteral("Webページを書き出しています..."),
                           QStringLiteral("中止"), 0, 1, window);
  progress.setWindowTitle(QStringLiteral("Varnel"));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(0);
  site_export::Options options;
  options.sound = site_export::moduleSound(&options.soundProblem);
  options.progress = [&progress](int done, int total) {
    progress.setMaximum(total);
    progress.setValue(done);
    // Also called while a piece is still being made: the window answers,
    // and the button too.
    QCoreApplication::processEvents();
    return !progress.wasCanceled();
  };
  const site_export::Outcome outcome =
      site_export::write(source, folder, options);
  progress.reset();
  if (outcome.cancelled) {
    messages.show(
        QStringLiteral("書き出しを中止しました。目次は書かれていません。"),
        Messages::Icon::Information, Messages::Buttons::Ok);
  } else if (!outcome.ok()) {
    messages.error(outcome.errors.join(QLatin1Char('\n')));
  } else {
    messages.show(QStringLiteral("「%1」に%2ページを書き出しました。")
                      .arg(folder)
                      .arg(outcome.pages),
                  Messages::Icon::Information, Messages::Buttons::Ok);
  }
}

}  // namespace

QAction *add(QMenu *menu, QWidget *window, Document &document) {
  QAction *item = menu->addAction(QStringLiteral("Webページとして書き出す..."));
  item->setObjectName(QStringLiteral("SiteExport1"));
  ProgramSession &session = document.session();
  item->setVisible(session.executive());
  QObject::connect(&session, &ProgramSession::executiveChanged, item,
                   &QAction::setVisible);
  QObject::connect(item, &QAction::triggered, window,
                   [window, &document] { run(window, document); });
  return item;
}

}  // namespace site_export_command
