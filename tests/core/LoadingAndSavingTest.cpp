#include <gtest/gtest.h>

#include <QFile>

#include "files/core/PageFile.h"
#include "score/core/TextEntry.h"
#include "support/DocumentSession.h"
#include "support/TestFiles.h"

// A page file read and written by the document: its internal name, what a
// faulty file leaves shown, and a save that cannot be made.

namespace {

class LoadingAndSaving : public ::testing::Test, protected DocumentSession {
 protected:
  LoadingAndSaving() { doc.session().setExecutive(true); }
  void open(const QString &path) { doc.files().openFile(path); }
  // Saves the page under a name, as the Save As dialog would give it.
  bool saveAs(const QString &path) {
    messages.paths = {path};
    return doc.saveAs();
  }
};

}  // namespace

TEST_F(LoadingAndSaving, NameQuestionYesRewritesTheFile) {
  const QString path = scratch.write(
      QStringLiteral("Test.fum"), "Fum[other]\r\n^1|4|610|\r\nEnd[other]\r\n");
  messages.answers = {Messages::Answer::Yes};
  open(path);
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text,
            QStringLiteral("ファイル「Test.fum」の\r\n内部名が「other」に"
                           "なっています。\r\n内部名を正しますか？"));
  EXPECT_EQ(messages.shown[0].icon, Messages::Icon::Question);
  EXPECT_EQ(readBytes(path),
            QByteArray("Fum[Test]\r\n^1|4|610|\r\nEnd[Test]\r\n"));

  // No leaves the file alone; a name differing only in case asks nothing.
  const QString other = scratch.write(
      QStringLiteral("b.fum"), "Fum[other]\r\n^1|4|610|\r\nEnd[other]\r\n");
  messages.answers = {Messages::Answer::No};
  open(other);
  EXPECT_TRUE(readBytes(other).startsWith("Fum[other]"));
  const QString same = scratch.write(QStringLiteral("Same.fum"),
                                     "Fum[sAME]\r\n^1|4|610|\r\nEnd[sAME]\r\n");
  messages.shown.clear();
  open(same);
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(LoadingAndSaving, LongNameIsShortenedAndAsksOnReading) {
  const QString name = QString(80, QLatin1Char('n'));
  const QString path = scratch.file(name + QStringLiteral(".fum"));
  ASSERT_TRUE(saveAs(path));
  EXPECT_TRUE(
      readBytes(path).startsWith("Fum[" + QByteArray(73, 'n') + "]\r\n"));
  messages.answers = {Messages::Answer::No};
  open(path);
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].buttons, Messages::Buttons::YesNo);
}

TEST_F(LoadingAndSaving, FailedSaveKeepsTheOldFileAndTheModifiedFlag) {
  const QString path = scratch.write(QStringLiteral("keep.fum"),
                                     "Fum[keep]\r\n^1|4|610|\r\nEnd[keep]\r\n");
  open(path);
  modify();
  // A file in the way of the folder the page is to be saved in.
  scratch.write(QStringLiteral("blocker"), "file");
  EXPECT_FALSE(saveAs(scratch.file(QStringLiteral("blocker/keep.fum"))));
  EXPECT_EQ(doc.page().PagePath, path);
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].icon, Messages::Icon::Stop);
  EXPECT_TRUE(messages.shown[0].text.endsWith(QLatin1Char('.')));
  EXPECT_TRUE(doc.isModified());
  EXPECT_EQ(readBytes(path),
            QByteArray("Fum[keep]\r\n^1|4|610|\r\nEnd[keep]\r\n"));
}

TEST_F(LoadingAndSaving, FormatWarningAndSizesOutOfRange) {
  const QString path =
      scratch.write(QStringLiteral("odd.fum"),
                    "Fum[odd]\r\n^2|900|99999|`14|100|48|\r\nEnd[odd]\r\n");
  open(path);
  ASSERT_EQ(messages.shown.size(), 2);
  EXPECT_EQ(messages.shown[0].text,
            QStringLiteral("ファイルのフォーマットが違います。"
                           "正しく開けない可能性があります。"));
  EXPECT_EQ(messages.shown[1].icon, Messages::Icon::Warning);
  EXPECT_EQ(doc.page().StaffCount, 32);
  EXPECT_EQ(doc.page().StaffWidth, 1280);
  EXPECT_EQ(view.resizes.last(), (RecordingView::Size{32, 1280}));
  EXPECT_EQ(doc.page().count(), 1);
  EXPECT_FALSE(doc.isModified());
  // Saved outside administrator mode, the page is written unprotected.
  doc.save();
  EXPECT_TRUE(readBytes(path).contains("^1|32|1280|"));
}

TEST_F(LoadingAndSaving, HeaderThatIsNotANumberLeavesAnUntiedEmptyPage) {
  const QString path =
      scratch.write(QStringLiteral("bad.fum"),
                    "Fum[bad]\r\n^1|four|610|`14|1|2|\r\nEnd[bad]\r\n");
  open(path);
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text,
            QStringLiteral("'four' は整数ではありません."));
  EXPECT_EQ(doc.page().count(), 0);
  EXPECT_TRUE(doc.page().PagePath.isEmpty());
  EXPECT_FALSE(doc.isModified());
}

TEST_F(LoadingAndSaving, PageTextComesBackByteForByte) {
  // A byte that code page 932 does not define survives a load and a save.
  const QByteArray text = "a\xA0z|" + sjis(QStringLiteral("ポ")) + "|";
  const QByteArray bytes = "Fum[t]\r\n~" + text + "\r\n^1|4|610|\r\nEnd[t]\r\n";
  const QString path = scratch.write(QStringLiteral("t.fum"), bytes);
  open(path);
  EXPECT_EQ(doc.page().PageText,
            "a\xA0z\r\n" + sjis(QStringLiteral("ポ")) + "\r\n");
  doc.save();
  EXPECT_EQ(readBytes(path), bytes);
}

TEST_F(LoadingAndSaving, FileNameWithoutANameIsRefused) {
  doc.setModified(true);
  EXPECT_FALSE(saveAs(scratch.file(QStringLiteral(".fum"))));
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].icon, Messages::Icon::Error);
  EXPECT_TRUE(doc.isModified());
  EXPECT_TRUE(doc.page().PagePath.isEmpty());
  EXPECT_FALSE(QFile::exists(scratch.file(QStringLiteral(".fum"))));
}

TEST_F(LoadingAndSaving, ATextTooLongToShowIsKeptWholeForTheSave) {
  QByteArray lines;
  while (lines.size() <= text_entry::ShownTextLimit) lines += "0123456789|";
  const QByteArray bytes =
      "Fum[long]\r\n~" + lines + "\r\n^1|4|610|\r\nEnd[long]\r\n";
  const QString path = scratch.write(QStringLiteral("long.fum"), bytes);
  QByteArray shown;
  bool whole = true;
  QObject::connect(&doc, &Document::pageTextChanged,
                   [&](const QByteArray &s, bool w) { shown = s, whole = w; });
  open(path);
  EXPECT_FALSE(whole);
  EXPECT_LE(shown.size(), text_entry::ShownTextLimit);
  EXPECT_TRUE(shown.endsWith("\r\n"));
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_TRUE(
      messages.shown[0].text.startsWith(QStringLiteral("「long.fum」")));
  doc.appendInput("`14", 40, 48);
  ASSERT_TRUE(doc.save());
  ScorePage back;
  const page_file::LoadResult read = page_file::readInto(back, path);
  EXPECT_EQ(read.pageText.size(), lines.size() / 11 * 12);  // "|" as CR LF
  EXPECT_EQ(read.pageText, doc.page().PageText);
}
