#include <gtest/gtest.h>

#include <random>

#include "files/core/PageFormat.h"
#include "support/DocumentSession.h"
#include "support/ScriptedMessages.h"
#include "support/TestFiles.h"

// The page's history on the document: every command taken back and done
// again, the page's bytes proving it, and the modified mark following the
// saved step.

namespace {

class History : public ::testing::Test, protected DocumentSession {
 protected:
  // The page as its file holds it: header, every input, every odd place.
  QByteArray bytes() {
    return page_format::dataPayload(doc.page().ProtectFlag, doc.page());
  }
  // A page with places written as a person might ("+5", " 7", "064").
  void openOddPage() {
    doc.files().openFile(scratch.write(
        QStringLiteral("odd.fum"),
        "Fum[odd]\r\n^1|4|610|`14|+5|064|`24| 70|48|A|100| 7|`1|300|120|\r\n"
        "End[odd]\r\n"));
    ASSERT_EQ(doc.page().count(), 4);
  }
  void drag(QPoint from, QPoint to) {
    doc.input().mousePressed(Qt::LeftButton, {}, from);
    doc.input().mouseMoved({}, to);
    doc.input().mouseReleased(Qt::LeftButton, to);
  }
  void selectAllInRect() {
    doc.input().setMode(EditMode::Rect);
    drag({0, 0}, {610, 290});
  }
  void undoAll() {
    while (doc.history().canUndo()) doc.undo();
  }
  void redoAll() {
    while (doc.history().canRedo()) doc.redo();
  }
};

}  // namespace

TEST_F(History, EveryCommandIsOneStepThatUndoAndRedoRestoreExactly) {
  const std::pair<const char *, std::function<void(Document &)>> commands[] = {
      {"音符入力",
       [](Document &d) {
         d.input().setMode(EditMode::Note);
         d.input().mousePressed(Qt::LeftButton, {}, {200, 50});
       }},
      {"文字入力",
       [](Document &d) {
         d.input().setMode(EditMode::Letter);
         d.input().setLetterText(QStringLiteral("ド"));
         d.input().mousePressed(Qt::LeftButton, {}, {20, 30});
       }},
      {"一入力消す", [](Document &d) { d.edits().undoLastInput(); }},
      {"全体シフト", [](Document &d) { d.edits().shiftPageUp(); }},
      {"五線紙の設定", [](Document &d) { d.edits().applyPaperDialog(2, 300); }},
      {"音部記号・小節線",
       [](Document &d) {
         d.edits().appendClefsAndBarlines({2, 3, 1, 1, 4});
       }},
      {"逐次消去",
       [](Document &d) {
         StepEraser &e = d.edits().stepEraser();
         e.open();
         e.markAt(2);
         e.eraseMarked();
         e.close();
       }},
      {"削除", [](Document &d) { d.regions().remove(); }},
      {"切り取り", [](Document &d) { d.regions().cut(); }},
      {"二重化", [](Document &d) { d.regions().duplicate(); }},
      {"移動",
       [](Document &d) {
         // A run of presses, across both directions, is one step.
         d.regions().moveByArrow(MoveArrow::Right, Qt::ShiftModifier);
         d.regions().moveByArrow(MoveArrow::Down, {});
         d.regions().moveByArrow(MoveArrow::Up, Qt::ControlModifier);
       }},
      {"貼り付け",
       [](Document &d) {
         d.regions().copy();
         d.regions().paste();
       }},
  };
  for (const auto &[name, command] : commands) {
    SCOPED_TRACE(name);
    openOddPage();
    selectAllInRect();
    const QByteArray before = bytes();
    const int steps = doc.history().count();
    command(doc);
    const QByteArray after = bytes();
    ASSERT_NE(after, before);
    EXPECT_EQ(doc.history().count(), steps + 1);
    EXPECT_EQ(doc.history().undoText(), QString::fromUtf8(name));
    EXPECT_TRUE(doc.isModified());
    doc.undo();
    EXPECT_EQ(bytes(), before);
    EXPECT_FALSE(doc.isModified()) << "back at the page as read";
    doc.redo();
    EXPECT_EQ(bytes(), after);
    EXPECT_TRUE(doc.isModified());
    doc.setModified(false);
  }
}

TEST_F(History, TheModifiedMarkIsWhetherThePageDiffersFromTheSavedStep) {
  openOddPage();
  doc.appendInput("`14", 40, 48);
  doc.appendInput("`15", 80, 48);
  ASSERT_TRUE(doc.save());
  EXPECT_FALSE(doc.isModified());
  doc.undo();
  EXPECT_TRUE(doc.isModified());
  doc.redo();
  EXPECT_FALSE(doc.isModified());
  // A step after taking one back leaves the saved page out of reach.
  doc.undo();
  doc.appendInput("`16", 90, 48);
  doc.undo();
  EXPECT_TRUE(doc.isModified());
  // The typed page text counts even when the steps come back to the save.
  ASSERT_TRUE(doc.save());
  doc.typePageText(QStringLiteral("テキスト"));
  doc.appendInput("`17", 90, 48);
  doc.undo();
  EXPECT_TRUE(doc.isModified());
}

TEST_F(History, OpeningANewPageOrAFileStartsAFreshHistory) {
  doc.appendInput("`14", 40, 48);
  doc.newPage();
  EXPECT_FALSE(doc.history().canUndo());
  doc.appendInput("`14", 40, 48);
  doc.setModified(false);
  openOddPage();
  EXPECT_FALSE(doc.history().canUndo());
  doc.undo();
  EXPECT_EQ(messages.beeps, 1);
  EXPECT_EQ(doc.page().count(), 4);
}

TEST_F(History, AReaderCannotChangeThePage) {
  doc.session().setExecutive(true);
  openOddPage();
  doc.input().setMode(EditMode::Note);
  doc.input().mousePressed(Qt::LeftButton, {}, {200, 50});
  ASSERT_TRUE(doc.isModified());

  // Turning the option off asks first; Cancel keeps it on.
  messages.answers = {Messages::Answer::Cancel};
  EXPECT_FALSE(doc.setExecutive(false));
  EXPECT_TRUE(doc.session().executive());
  messages.answers = {Messages::Answer::No};
  EXPECT_TRUE(doc.setExecutive(false));
  EXPECT_EQ(doc.input().mode(), EditMode::None);

  const QByteArray before = bytes();
  doc.input().setMode(EditMode::Note);
  EXPECT_EQ(doc.input().mode(), EditMode::None);
  doc.input().mousePressed(Qt::LeftButton, {}, {200, 50});
  doc.edits().shiftPageDown();
  doc.edits().undoLastInput();
  doc.undo();
  EXPECT_EQ(bytes(), before);
  EXPECT_FALSE(doc.isModified());
  messages = ScriptedMessages();
  doc.files().openFile(doc.page().PagePath);
  EXPECT_EQ(saveQuestions(), 0);
}

// Random commands on a page, then the history walked back and forth and
// compared with the page's bytes after each step as they were first made.
TEST_F(History, RandomCommandsUndoAndRedoToTheSameBytes) {
  for (quint32 seed = 1; seed <= 6; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    const auto pick = [&](int low, int high) {
      return std::uniform_int_distribution<int>(low, high)(random);
    };
    openOddPage();
    std::vector<QByteArray> model{bytes()};  // the bytes at each index
    const auto record = [&] {
      const int index = doc.history().index();
      model.resize(index + 1);
      model[index] = bytes();
    };
    // An action may take more than one step (a move, then a delete).
    const QMetaObject::Connection recording =
        QObject::connect(&doc.history(), &QUndoStack::indexChanged, record);
    for (int step = 0; step < 150; ++step) {
      switch (pick(0, 9)) {
        case 0:
        case 1:
          doc.input().setMode(EditMode::Note);
          doc.input().mousePressed(Qt::LeftButton, {},
                                   {pick(0, 610), pick(0, 290)});
          break;
        case 2:
          doc.edits().undoLastInput();
          break;
        case 3:
          if (pick(0, 1))
            doc.edits().shiftPageUp();
          else
            doc.edits().shiftPageDown();
          break;
        case 4: {
          StepEraser &e = doc.edits().stepEraser();
          e.open();
          e.markAt(pick(0, doc.page().count()));
          e.eraseMarked();
          e.close();
          break;
        }
        case 5:
          doc.edits().appendClefsAndBarlines({pick(0, 4), pick(0, 3), 0, 1, 2});
          break;
        case 6:
          doc.edits().applyPaperDialog(pick(1, 8), pick(60, 1280));
          break;
        default: {
          doc.input().setMode(EditMode::Rect);
          drag({pick(0, 300), pick(0, 150)}, {pick(300, 610), pick(150, 290)});
          const MoveArrow arrows[] = {MoveArrow::Up, MoveArrow::Down,
                                      MoveArrow::Left, MoveArrow::Right};
          for (int n = pick(0, 3); n > 0; --n)
            doc.regions().moveByArrow(arrows[pick(0, 3)], {});
          switch (pick(0, 4)) {
            case 0:
              doc.regions().remove();
              break;
            case 1:
              doc.regions().duplicate();
              break;
            case 2:
              doc.regions().copy();
              doc.regions().paste();
              break;
            case 3:
              doc.regions().cut();
              break;
            default:
              break;
          }
        }
      }
      record();  // a merged move keeps its index
    }
    QObject::disconnect(recording);
    const QByteArray last = bytes();
    undoAll();
    EXPECT_EQ(bytes(), model.front());
    redoAll();
    EXPECT_EQ(bytes(), last);
    for (int walk = 0; walk < 200; ++walk) {
      if (pick(0, 1))
        doc.undo();
      else
        doc.redo();
      ASSERT_EQ(bytes(), model[doc.history().index()]) << "walk " << walk;
    }
    doc.setModified(false);
  }
}
