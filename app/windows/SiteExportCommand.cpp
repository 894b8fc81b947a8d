#include "app/windows/SiteExportCommand.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMenu>
#include <QProgressDialog>

#include "app/core/Document.h"
#include "base/core/Messages.h"
#include "export/core/SiteManifest.h"
#include "export/render/SiteExport.h"
#include "score/render/BusyCursor.h"

namespace site_export_command {
namespace {

// The folder may hold the user's own files: the export goes on among
// them, overwriting those of the site's names, only when the user says so.
bool mayWriteInto(const QString &folder, Messages &messages) {
  const QStringList foreign = site_manifest::foreign(folder);
  return foreign.isEmpty() ||
         messages.askYesNo(
             site_export::foreignMessage(folder, foreign) +
             QStringLiteral("\n同じ名前のファイルは上書きされます。"
                            "書き出しますか？"));
}

}  // namespace

void run(QWidget *window, Document &document, const FolderChoice &choose) {
  Messages &messages = document.messages();
  // What is exported is what is on disk: unsaved edits are saved first, or
  // left as they are (still unsaved), or the export does not start.
  if (!document.offerSaveBeforeReading()) return;
  const CourseNavigator &navigator = document.navigator();
  const QString source = navigator.active() ? navigator.course().ContentsPath
                                            : document.page().PagePath;
  if (source.isEmpty()) {
    messages.error(QStringLiteral(
        "書き出す教材がありません。ページを保存してから書き出してください。"));
    return;
  }
  const QString folder = choose(document.session().currentFolder());
  if (folder.isEmpty() || !mayWriteInto(folder, messages)) return;

  BusyCursor busy;
  QProgressDialog progress(QStringLiteral("Webページを書き出しています..."),
                           QStringLiteral("中止"), 0, 1, window);
  progress.setObjectName(QStringLiteral("SiteExportProgress"));
  progress.setWindowTitle(QStringLiteral("Varnel"));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(0);
  site_export::Options options;
  options.sound = site_export::moduleSound(&options.soundProblem);
  options.force = true;  // asked above
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
    messages.show(QStringLiteral("書き出しを中止しました。目次は書かれず、"
                                 "書き出したファイルは消しました。"),
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

QAction *add(QMenu *menu, QWidget *window, Document &document) {
  QAction *item = menu->addAction(QStringLiteral("Webページとして書き出す..."));
  item->setObjectName(QStringLiteral("SiteExport1"));
  ProgramSession &session = document.session();
  item->setVisible(session.executive());
  QObject::connect(&session, &ProgramSession::executiveChanged, item,
                   &QAction::setVisible);
  QObject::connect(item, &QAction::triggered, window, [window, &document] {
    run(window, document, [window](const QString &start) {
      return QFileDialog::getExistingDirectory(
          window, QStringLiteral("書き出し先のフォルダ"), start);
    });
  });
  return item;
}

}  // namespace site_export_command
