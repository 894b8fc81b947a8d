#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QToolButton>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/core/SettingsFile.h"
#include "app/windows/MainWindow.h"
#include "app/windows/Program.h"
#include "app/windows/TextWindow.h"
#include "support/ScriptedMessages.h"
#include "support/ScriptedSequencer.h"
#include "support/TestFiles.h"

// The one control of type T named `name` inside `parent`. A missing or
// ambiguous name fails the test and ends it.
template <typename T>
T *child(QObject &parent, const char *name) {
  const QList<T *> found = parent.findChildren<T *>(QLatin1String(name));
  if (found.size() == 1) return found.first();
  const std::string where = parent.objectName().isEmpty()
                                ? parent.metaObject()->className()
                                : parent.objectName().toStdString();
  ADD_FAILURE() << found.size() << " controls named " << name << " in "
                << where;
  throw std::runtime_error("no single control named " + std::string(name));
}

// The real windows with scripted answers, a scripted sequencer, a settings file
// and a program folder of their own.
class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest() : settings(scratch.file(QStringLiteral("config/Vrn32.ini"))) {
    QDir().mkpath(scratch.file(QStringLiteral("program/Data")));
    start();
  }

  // Creates the windows as the program entry does; `arguments` is the
  // command line. The main window is not shown.
  void start(const QStringList &arguments = {}) { start(arguments, messages); }
  // The same with other messages, such as real boxes.
  void start(const QStringList &arguments, Messages &shown) {
    program.reset();
    const MainWindow::Services services{
        shown,     player,
        settings,  scratch.file(QStringLiteral("program/")),
        arguments, [this] { return screen; }};
    program = std::make_unique<Program>(services);
    doc().newPage();
  }
  MainWindow &form() { return program->main(); }
  Document &doc() { return form().document(); }
  const ScorePage &page() { return doc().page(); }

  // The main window's menu items and tool bar buttons by name (the tool
  // windows have buttons and menus of the same names).
  QAction *action(const char *name) {
    return child<QAction>(*form().menuBar(), name);
  }
  QMenu *menu(const char *name) {
    return child<QMenu>(*form().menuBar(), name);
  }
  QToolButton *toolButton(const char *name) {
    return child<QToolButton>(*child<QWidget>(form(), "Panel1"), name);
  }
  // The text window's memo, the page text as the user sees it.
  QPlainTextEdit *memo() {
    return child<QPlainTextEdit>(program->text(), "Memo1");
  }

  ScratchDir scratch;
  ScriptedMessages messages;
  ScriptedSequencer player;
  SettingsFile settings;
  QSize screen{1920, 1080};
  std::unique_ptr<Program> program;
};
