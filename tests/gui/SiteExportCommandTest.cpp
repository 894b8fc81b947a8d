#include <gtest/gtest.h>

#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/windows/SiteExportCommand.h"
#include "support/ProgramFixture.h"

namespace {

class SiteExportCommand : public ProgramTest {
 protected:
  QAction *item() { return child<QAction>(form(), "SiteExport1"); }
  // The command as the item runs it, into `out`; whether the folder was
  // asked for.
  bool exportTo(const QString &out) {
    bool asked = false;
    site_export_command::run(&form(), doc(), [&](const QString &) {
      asked = true;
      return out;
    });
    return asked;
  }
  QStringList entries(const QString &folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                  QDir::NoDotAndDotDot);
  }
  QString page = scratch.write("page.fum", lessonPage());
  QString out = scratch.file("site");
};

TEST_F(SiteExportCommand, TheItemIsInTheFileMenuWithTheExecutiveOption) {
  for (const bool executive : {true, false, true}) {
    doc().session().setExecutive(executive);
    EXPECT_EQ(item()->isVisible(), executive);
  }
  EXPECT_EQ(item()->text(), QStringLiteral("Webページとして書き出す..."));
}

TEST_F(SiteExportCommand, ANewPageNeverSavedIsRefusedBeforeAnyDialog) {
  doc().session().setExecutive(true);
  item()->trigger();
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].icon, Messages::Icon::Error);
  EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("保存してから")));
}

// Unsaved edits are asked about first, and what is exported is what was
// saved; a folder with the user's files is asked about before it is used.
TEST_F(SiteExportCommand, AsksAboutUnsavedEditsAndOtherFilesFirst) {
  doc().files().openFile(page);
  doc().appendInput("`14", 100, 48);
  doc().setModified(true);
  messages.shown.clear();
  messages.answers = {Messages::Answer::Cancel};
  EXPECT_FALSE(exportTo(out));
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_TRUE(messages.shown[0].text.contains("保存しますか"));
  // No exports what was saved and keeps the edits, still unsaved.
  messages.answers = {Messages::Answer::No};
  EXPECT_TRUE(exportTo(scratch.file("unsaved")));
  EXPECT_TRUE(doc().page().Modified);
  EXPECT_FALSE(readBytes(page).contains("`14"));

  const QString notes = scratch.write("site/notes.txt", "mine");
  messages.answers = {Messages::Answer::Yes, Messages::Answer::No};
  EXPECT_TRUE(exportTo(out));
  EXPECT_TRUE(readBytes(page).contains("`14"));
  EXPECT_TRUE(messages.shown.last().text.contains("notes.txt"));
  EXPECT_EQ(entries(out), QStringList{"notes.txt"});

  messages.answers = {Messages::Answer::Yes};
  EXPECT_TRUE(exportTo(out));
  EXPECT_TRUE(QFileInfo::exists(out + "/index.html"));
  EXPECT_EQ(readBytes(notes), "mine");
}

// 中止 stops the export and leaves the folder as it was.
TEST_F(SiteExportCommand, StoppingLeavesNothingBehind) {
  for (const char *name : {"one", "two", "three", "four", "five"})
    scratch.write(QStringLiteral("c/%1.fum").arg(name), lessonPage());
  doc().files().openFile(scratch.write(
      "c/c.vrn", "/c\r\none\r\ntwo\r\nthree\r\nfour\r\nfive\r\n"));
  QTimer stopper;
  QObject::connect(&stopper, &QTimer::timeout, [&] {
    auto *bar = form().findChild<QProgressDialog *>("SiteExportProgress");
    if (bar && bar->value() >= 2)
      QTest::mouseClick(bar->findChild<QPushButton *>(), Qt::LeftButton);
  });
  stopper.start(0);
  exportTo(out);
  EXPECT_TRUE(messages.shown.last().text.contains("中止"));
  EXPECT_EQ(entries(out), QStringList());
}

}  // namespace
