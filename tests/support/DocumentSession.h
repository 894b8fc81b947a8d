#pragma once

#include <QFileInfo>

#include "app/core/Document.h"
#include "app/core/SettingsFile.h"
#include "support/RecordingView.h"
#include "support/ScriptedMessages.h"
#include "support/ScriptedSequencer.h"
#include "support/TestFiles.h"

// A document on a recording canvas, with scripted answers, a scripted
// sequencer (with as many outputs as asked) and its settings file and
// program folder in a scratch folder of its own, starting from an empty
// page as the program does.
struct DocumentSession {
  explicit DocumentSession(int outputs = 0) : sequencer(outputs) {
    doc.newPage();
  }
  DocumentSession(const DocumentSession &) = delete;
  DocumentSession &operator=(const DocumentSession &) = delete;

  // Writes the page file `name` of `inputs` quarter notes, named after the
  // file, and returns its path.
  QString page(const QString &name, int inputs) {
    return scratch.write(
        name, quarterNotesPage(QFileInfo(name).completeBaseName().toLatin1(),
                               inputs));
  }
  // The course `folder`/`folder`.vrn of three pages with 1, 2 and 3 inputs;
  // the second lies in the subfolder "sub".
  QString course(const QString &folder) {
    page(folder + QStringLiteral("/one.fum"), 1);
    page(folder + QStringLiteral("/sub/two.fum"), 2);
    page(folder + QStringLiteral("/three.fum"), 3);
    return scratch.write(
        folder + QLatin1Char('/') + folder + QStringLiteral(".vrn"),
        "one\r\nsub\\two\r\nthree\r\n");
  }
  // One more input, and the page marked modified.
  void modify() {
    doc.appendInput("`14", 200, 48);
    doc.setModified(true);
  }
  // How often the save question was asked.
  int saveQuestions() const {
    int n = 0;
    for (const ScriptedMessages::Shown &s : messages.shown)
      n += s.buttons == Messages::Buttons::YesNoCancel;
    return n;
  }

  ScratchDir scratch;
  ScriptedMessages messages;
  ScriptedSequencer sequencer;
  SettingsFile settings{scratch.file(QStringLiteral("config/Vrn32.ini"))};
  RecordingView view;
  Document doc{
      {messages, sequencer, settings, scratch.path() + QStringLiteral("/")},
      view};
};
