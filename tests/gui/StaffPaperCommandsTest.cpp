#include <QAction>

#include "score/windows/ClampingSpinBox.h"
#include "score/windows/StaffPaperDialog.h"
#include "support/ProgramFixture.h"

namespace {

// Answers the staff paper dialog by typing into its fields.
auto answerDialog(const QString &staves, const QString &width, bool ok) {
  return [=](TForm4 &dialog) {
    dialog.SpinEdit1->setTypedText(staves);
    dialog.SpinEdit2->setTypedText(width);
    if (ok)
      dialog.Button1Click();
    else
      dialog.Button2Click();
  };
}

}  // namespace

using StaffPaperCommands = ProgramTest;

TEST_F(StaffPaperCommands, NewPageItemsSetTheStaffCountAndKeepTheWidth) {
  form().page.StaffWidth = 800;
  form().N1dan[2]->trigger();  // "３段"
  EXPECT_EQ(form().page.StaffCount, 3);
  EXPECT_EQ(form().canvas.image().size(), QSize(800, 3 * 64 + 36));
  EXPECT_FALSE(form().page.Modified);
}

TEST_F(StaffPaperCommands, SaveQuestionGuardsTheNewPage) {
  form().page.append("`14", 100, 48);
  form().page.Modified = true;
  messages.answers = {Messages::Answer::Cancel};
  form().N1dan[0]->trigger();
  EXPECT_EQ(form().page.StaffCount, 4);
  EXPECT_EQ(form().page.count(), 1);
  EXPECT_TRUE(form().page.Modified);
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text,
            QStringLiteral("現在の譜面をファイルに保存しますか？"));
  EXPECT_EQ(messages.shown[0].buttons, Messages::Buttons::YesNoCancel);
  EXPECT_EQ(messages.shown[0].icon, Messages::Icon::Warning);

  messages.answers = {Messages::Answer::No};
  form().N1dan[0]->trigger();
  EXPECT_EQ(form().page.StaffCount, 1);
  EXPECT_EQ(form().page.count(), 0);
  EXPECT_FALSE(form().page.Modified);
}

TEST_F(StaffPaperCommands, NewPageEmptiesEverythingButTheSizes) {
  form().page.StaffCount = 6;
  form().page.StaffWidth = 700;
  form().page.append("`14", 100, 48);
  form().page.PagePath = QStringLiteral("/tmp/x.fum");
  form().page.InternalName = "x";
  form().page.ProtectFlag = -1;
  form().setPageText("text");
  form().NewPage();
  EXPECT_EQ(form().page.count(), 0);
  EXPECT_TRUE(form().pageText().isEmpty());
  EXPECT_FALSE(form().page.Modified);
  EXPECT_TRUE(form().page.PagePath.isEmpty());
  EXPECT_TRUE(form().page.InternalName.isEmpty());
  EXPECT_EQ(form().page.ProtectFlag, 1);
  EXPECT_EQ(form().page.StaffCount, 6);
  EXPECT_EQ(form().page.StaffWidth, 700);
  EXPECT_EQ(form().windowTitle(), QStringLiteral("(NoFile)"));
}

TEST_F(StaffPaperCommands, DialogAppliesClampedValuesAndKeepsInputs) {
  form().page.append("`14", 100, 300);  // below a 2-staff page
  form().runPaperDialog =
      answerDialog(QStringLiteral("2"), QStringLiteral("5000"), true);
  form().Gosensi1->trigger();
  EXPECT_TRUE(form().PaperDialogConfirmed);
  EXPECT_EQ(form().page.StaffCount, 2);
  EXPECT_EQ(form().page.StaffWidth, 1280);
  EXPECT_TRUE(form().page.Modified);
  EXPECT_EQ(form().page.count(), 1);

  form().runPaperDialog =
      answerDialog(QStringLiteral("abc"), QStringLiteral("-3"), true);
  form().Gosensi1->trigger();
  EXPECT_EQ(form().page.StaffCount, 1);
  EXPECT_EQ(form().page.StaffWidth, 60);
  EXPECT_EQ(form().canvas.image().size(), QSize(60, 100));
}

TEST_F(StaffPaperCommands, AnyNewPageAppliesToTheOldPageThenMakesANewOne) {
  form().page.append("`14", 100, 48);
  form().page.Modified = true;
  messages.answers = {Messages::Answer::No};
  form().runPaperDialog =
      answerDialog(QStringLiteral("5"), QStringLiteral("800"), true);
  form().K1->trigger();
  EXPECT_EQ(form().page.StaffCount, 5);
  EXPECT_EQ(form().page.StaffWidth, 800);
  EXPECT_EQ(form().page.count(), 0);
  EXPECT_FALSE(form().page.Modified);
}

TEST_F(StaffPaperCommands, AnyNewPageCancelledLeavesTheOldPage) {
  form().runPaperDialog =
      answerDialog(QStringLiteral("5"), QStringLiteral("800"), true);
  form().Gosensi1->trigger();
  form().page.append("`14", 100, 48);
  form().page.Modified = false;
  form().runPaperDialog =
      answerDialog(QStringLiteral("2"), QStringLiteral("300"), false);
  form().K1->trigger();
  EXPECT_FALSE(form().PaperDialogConfirmed);
  // Closing with the close box counts as Cancel too.
  form().runPaperDialog = [](TForm4 &dialog) { dialog.close(); };
  form().K1->trigger();
  EXPECT_FALSE(form().PaperDialogConfirmed);
  EXPECT_EQ(form().page.StaffCount, 5);
  EXPECT_EQ(form().page.StaffWidth, 800);
  EXPECT_EQ(form().page.count(), 1);
  EXPECT_FALSE(form().page.Modified);
}

TEST_F(StaffPaperCommands, ReplayErrorIsReported) {
  form().page.append("`14", "1O0", "48");
  form().FullRedraw();
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text,
            QStringLiteral("'1O0' は整数ではありません."));
  EXPECT_EQ(messages.shown[0].icon, Messages::Icon::Stop);
}
