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

TEST_F(StaffPaperCommands, NewPageItemsSizeTheCanvas) {
  doc().edits().applyPaperDialog(4, 800);
  doc().setModified(false);
  action("N3dan1")->trigger();  // "３段"
  EXPECT_EQ(page().StaffCount, 3);
  EXPECT_EQ(form().canvasImage().size(), QSize(800, 3 * 64 + 36));
}

TEST_F(StaffPaperCommands, DialogAppliesClampedValues) {
  form().setPaperDialogRunner(
      answerDialog(QStringLiteral("2"), QStringLiteral("5000"), true));
  action("Gosensi1")->trigger();
  EXPECT_EQ(page().StaffCount, 2);
  EXPECT_EQ(page().StaffWidth, 1280);

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

// The real canvas hands on the number it could not read.
TEST_F(StaffPaperCommands, ReplayErrorIsReported) {
  doc().files().openFile(
      scratch.write(QStringLiteral("bad.fum"),
                    "Fum[bad]\r\n^1|4|610|`14|1O0|48|\r\nEnd[bad]\r\n"));
  EXPECT_TRUE(messages.saw(QStringLiteral("'1O0' は整数ではありません.")));
}
