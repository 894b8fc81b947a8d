#pragma once

#include <QString>
#include <QStringList>

#include "base/core/Report.h"

// Every message box, file dialog, input box and beep of the program goes
// through this interface, so that the rules of the program can be driven
// and checked without a screen. The windows use the Qt implementation;
// tests script the answers; the headless modes print to standard error.
class Messages {
 public:
  enum class Icon { None, Error, Warning, Question, Information, Stop };
  enum class Buttons { Ok, YesNo, YesNoCancel };
  enum class Answer { Ok, Yes, No, Cancel };

  // A file dialog as the program describes it. `filter` uses the pipe
  // syntax "description|pattern|description|pattern".
  struct FileDialog {
    QString title;
    QString filter;
    QString defaultExtension;  // without the dot, e.g. "fum"
    QString fileName;          // preset
    QString folder;            // where it starts
    bool mustExist = false;
    bool confirmOverwrite = false;
  };

  virtual ~Messages() = default;

  // A message box with the caption "Varnel".
  virtual Answer show(const QString &text, Icon icon, Buttons buttons) = 0;
  // Returns the chosen path, or an empty text when the dialog was cancelled.
  virtual QString openFileName(const FileDialog &dialog) = 0;
  virtual QString saveFileName(const FileDialog &dialog) = 0;
  // An open dialog in which several files may be chosen at once; empty when
  // cancelled. Where there is no such dialog, one file is chosen.
  virtual QStringList openFileNames(const FileDialog &dialog) {
    const QString one = openFileName(dialog);
    return one.isEmpty() ? QStringList() : QStringList{one};
  }
  // An input box; returns false when cancelled.
  virtual bool inputBox(const QString &caption, const QString &prompt,
                        QString &value) = 0;
  virtual void beep() = 0;

  // The conveniences below are what the program actually calls.
  void error(const QString &text) { show(text, Icon::Error, Buttons::Ok); }
  void warning(const QString &text) { show(text, Icon::Warning, Buttons::Ok); }
  bool askYesNo(const QString &text) {
    return show(text, Icon::Question, Buttons::YesNo) == Answer::Yes;
  }
  // The question every command asks before it discards a modified page.
  Answer askSave() {
    return show(QStringLiteral("現在の譜面をファイルに保存しますか？"),
                Icon::Warning, Buttons::YesNoCancel);
  }
  // Whether a command goes on after a Yes/No/Cancel question about unsaved
  // work: Yes goes on once `save()` has stored it, No goes on without it,
  // Cancel stops.
  template <typename Save>
  static bool goesOn(Answer answer, Save save) {
    if (answer == Answer::Yes) return save();
    return answer == Answer::No;
  }
  // The general error box for failures nothing else reports.
  void generalError(const QString &text) { report(Report::stop(text)); }
  // The report of a text that should have been a whole number; a long
  // text is quoted by its head.
  void notAnInteger(const QString &text) { report(Report::notAnInteger(text)); }
  // What a reader or writer reported, in its own box.
  void report(const Report &what) {
    show(what.text,
         what.kind == Report::Kind::Warning ? Icon::Warning
         : what.kind == Report::Kind::Error ? Icon::Error
                                            : Icon::Stop,
         Buttons::Ok);
  }
  void report(const Reports &reports) {
    for (const Report &each : reports) report(each);
  }
};
