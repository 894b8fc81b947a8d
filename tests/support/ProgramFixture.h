#pragma once

#include <gtest/gtest.h>

#include "app/core/PagePlayer.h"
#include "app/windows/MainWindow.h"
#include "app/windows/Program.h"
#include "support/ScriptedMessages.h"

// The real windows with scripted answers and a silent player.
class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest() : program(messages, player) { form().NewPage(); }
  TForm1 &form() { return program.main(); }

  ScriptedMessages messages;
  SilentPlayer player;
  Program program;
};
