#include <QAction>

#include "score/windows/ClampingSpinBox.h"
#include "score/windows/StaffPaperDialog.h"
#include "support/ProgramFixture.h"

namespace {

// Answers the staff paper dialog by typing into its fields.
auto answerDialog(const QString &staves, const QString &width, bool ok) {
  return [=](StaffPaperDialog &dialog) {
    dialog.staffCountEdit->setTypedText(staves);
    dialog.staffWidthEdit->setTypedText(width);
    if (ok)
      dialog.confirm();
    else
      dialog.cancel();
  };
}

}  // namespace

using StaffPaperCommands = ProgramTest;

TEST_F(StaffPaperCommands, NewPageItemsSetTheStaffCountAndKeepTheWidth) {
  doc().edits().applyPaperDialog(4, 800);
  doc().setModified(false);
  action("N3dan1")->trigger();  // "３段"
  EXPECT_EQ(page().StaffCount, 3);
  EXPECT_EQ(form().canvasImage().size(), QSize(800, 3 * 64 + 36));
  EXPECT_FALSE(page().Modified);
}

TEST_F(StaffPaperCommands, SaveQuestionGuardsTheNewPage) {
  doc().appendInput("`14", 100, 48);
  doc().setModified(true);
  messages.answers = {Messages::Answer::Cancel};
  action("N1dan1")->trigger();
  EXPECT_EQ(page().StaffCount, 4);
  EXPECT_EQ(page().count(), 1);
  EXPECT_TRUE(page().Modified);
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text,
            QStringLiteral("現在の譜面をファイルに保存しますか？"));
  EXPECT_EQ(messages.shown[0].buttons, Messages::Buttons::YesNoCancel);
  EXPECT_EQ(messages.shown[0].icon, Messages::Icon::Warning);

  messages.answers = {Messages::Answer::No};
  action("N1dan1")->trigger();
  EXPECT_EQ(page().StaffCount, 1);
  EXPECT_EQ(page().count(), 0);
  EXPECT_FALSE(page().Modified);
}

TEST_F(StaffPaperCommands, NewPageEmptiesEverythingButTheSizes) {
  doc().files().openFile(
      scratch.write(QStringLiteral("x.fum"),
                    "Fum[x]\r\n~text\r\n^-1|6|700|`14|100|48|\r\nEnd[x]\r\n"));
  ASSERT_EQ(page().count(), 1);
  ASSERT_EQ(page().ProtectFlag, -1);
  ASSERT_EQ(memo()->toPlainText(), QStringLiteral("text"));
  doc().newPage();
  EXPECT_EQ(page().count(), 0);
  EXPECT_TRUE(page().PageText.isEmpty());
  EXPECT_TRUE(memo()->toPlainText().isEmpty());
  EXPECT_FALSE(page().Modified);
  EXPECT_TRUE(page().PagePath.isEmpty());
  EXPECT_TRUE(page().InternalName.isEmpty());
  EXPECT_EQ(page().ProtectFlag, 1);
  EXPECT_EQ(page().StaffCount, 6);
  EXPECT_EQ(page().StaffWidth, 700);
  EXPECT_EQ(form().windowTitle(), QStringLiteral("(NoFile)"));
}

TEST_F(StaffPaperCommands, DialogAppliesClampedValuesAndKeepsInputs) {
  doc().appendInput("`14", 100, 300);  // below a 2-staff page
  form().setPaperDialogRunner(
      answerDialog(QStringLiteral("2"), QStringLiteral("5000"), true));
  action("Gosensi1")->trigger();
  EXPECT_EQ(page().StaffCount, 2);
  EXPECT_EQ(page().StaffWidth, 1280);
  EXPECT_TRUE(page().Modified);
  EXPECT_EQ(page().count(), 1);

  form().setPaperDialogRunner(
      answerDialog(QStringLiteral("abc"), QStringLiteral("-3"), true));
  action("Gosensi1")->trigger();
  EXPECT_EQ(page().StaffCount, 1);
  EXPECT_EQ(page().StaffWidth, 60);
  EXPECT_EQ(form().canvasImage().size(), QSize(60, 100));
}

TEST_F(StaffPaperCommands, AnyNewPageAppliesToTheOldPageThenMakesANewOne) {
  doc().appendInput("`14", 100, 48);
  doc().setModified(true);
  messages.answers = {Messages::Answer::No};
  form().setPaperDialogRunner(
      answerDialog(QStringLiteral("5"), QStringLiteral("800"), true));
  action("K1")->trigger();
  EXPECT_EQ(page().StaffCount, 5);
  EXPECT_EQ(page().StaffWidth, 800);
  EXPECT_EQ(page().count(), 0);
  EXPECT_FALSE(page().Modified);
}

TEST_F(StaffPaperCommands, AnyNewPageCancelledLeavesTheOldPage) {
  form().setPaperDialogRunner(
      answerDialog(QStringLiteral("5"), QStringLiteral("800"), true));
  action("Gosensi1")->trigger();
  doc().appendInput("`14", 100, 48);
  doc().setModified(false);
  form().setPaperDialogRunner(
      answerDialog(QStringLiteral("2"), QStringLiteral("300"), false));
  action("K1")->trigger();
  // Closing with the close box counts as Cancel too.
  form().setPaperDialogRunner([](StaffPaperDialog &dialog) { dialog.close(); });
  action("K1")->trigger();
  EXPECT_EQ(page().StaffCount, 5);
  EXPECT_EQ(page().StaffWidth, 800);
  EXPECT_EQ(page().count(), 1);
  EXPECT_FALSE(page().Modified);
}

TEST_F(StaffPaperCommands, ReplayErrorIsReported) {
  doc().files().openFile(
      scratch.write(QStringLiteral("bad.fum"),
                    "Fum[bad]\r\n^1|4|610|`14|1O0|48|\r\nEnd[bad]\r\n"));
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text,
            QStringLiteral("'1O0' は整数ではありません."));
  EXPECT_EQ(messages.shown[0].icon, Messages::Icon::Stop);
}
