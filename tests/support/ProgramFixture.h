#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <memory>

#include "app/core/PagePlayer.h"
#include "app/core/SettingsFile.h"
#include "app/windows/MainWindow.h"
#include "app/windows/Program.h"
#include "support/ScriptedMessages.h"
#include "support/TestFiles.h"

// The real windows with scripted answers, a silent player, a settings file
// and a program folder of their own.
class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest() : settings(scratch.file(QStringLiteral("config/Vrn32.ini"))) {
    QDir().mkpath(scratch.file(QStringLiteral("program/Data")));
    start();
  }

  // Creates the windows as the program entry does; `arguments` is the
  // command line. The main window is not shown.
  void start(const QStringList &arguments = {}) {
    program.reset();
    const TForm1::Services services{
        messages,  player,
        settings,  scratch.file(QStringLiteral("program/")),
        arguments, [this] { return screen; }};
    program = std::make_unique<Program>(services);
    form().NewPage();
  }
  TForm1 &form() { return program->main(); }

  ScratchDir scratch;
  ScriptedMessages messages;
  SilentPlayer player;
  SettingsFile settings;
  QSize screen{1920, 1080};
  std::unique_ptr<Program> program;
};
