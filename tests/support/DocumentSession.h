#pragma once

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

  ScratchDir scratch;
  ScriptedMessages messages;
  ScriptedSequencer sequencer;
  SettingsFile settings{scratch.file(QStringLiteral("config/Vrn32.ini"))};
  RecordingView view;
  Document doc{
      {messages, sequencer, settings, scratch.path() + QStringLiteral("/")},
      view};
};
