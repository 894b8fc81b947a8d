#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "app/core/SettingsFile.h"
#include "support/TestFiles.h"

// Failures show paths as text.
namespace {

// A settings file in a scratch folder, optionally with initial bytes.
struct Settings {
  ScratchDir dir;
  QString path = dir.file("Vrn32.ini");
  SettingsFile file{path};

  explicit Settings(const QByteArray &bytes = {}) {
    if (!bytes.isNull()) dir.write("Vrn32.ini", bytes);
  }
  QByteArray bytes() const { return readBytes(path); }
};

}  // namespace

TEST(SettingsFile, ReadsNamesWithoutRegardToCase) {
  Settings s(
      "; written by hand\n"
      "[mainform]\n"
      "  LEFT = 12  \n"
      "top=34\n"
      "[Fum]\n"
      "folder=/home/u/My Course\n");
  EXPECT_EQ(s.file.readInteger("MainForm", "Left", 0), 12);
  EXPECT_EQ(s.file.readInteger("MAINFORM", "Top", 0), 34);
  EXPECT_EQ(s.file.readString("FUM", "Folder", ""), "/home/u/My Course");
}

TEST(SettingsFile, MissingFileSectionOrKeyGivesTheDefault) {
  Settings none;
  EXPECT_EQ(none.file.readInteger("MainForm", "Width", 640), 640);
  EXPECT_EQ(none.file.readString("Fum", "Folder", "x"), "x");
  EXPECT_FALSE(QFile::exists(none.path)) << "reading must not create it";

  Settings s("[MainForm]\nWidth=800\n[TextForm]\n");
  EXPECT_EQ(s.file.readInteger("Other", "Width", 1), 1);
  EXPECT_EQ(s.file.readInteger("MainForm", "Height", 455), 455);
  // A key belongs only to its own section.
  EXPECT_EQ(s.file.readInteger("TextForm", "Width", 500), 500);
  // A comment line that looks like a key is not one.
  Settings c("[Fum]\n;MaxChar=20\n");
  EXPECT_EQ(c.file.readInteger("Fum", "MaxChar", 79), 79);
}

TEST(SettingsFile, FirstSectionAndFirstKeyWin) {
  Settings s("[Fum]\nMaxChar=60\nmaxchar=70\n[fum]\nMaxChar=80\nExtra=1\n");
  EXPECT_EQ(s.file.readInteger("Fum", "MaxChar", 0), 60);
  // The second section of the same name is not looked at.
  EXPECT_EQ(s.file.readInteger("Fum", "Extra", 0), 0);
}

TEST(SettingsFile, ReadsIntegersDecimalOrHexadecimalAndBooleansAsIntegers) {
  Settings s(
      "[N]\n"
      "zero=0x0\ndec=-42\nplus=+7\nhex=0x1F\nupper=0XfF\nfull=0xFFFFFFFF\n"
      "bare0x=0x\nbadhex=0x1G\ntwice=0x0x1\nword=abc\ntail=12abc\n"
      "empty=\nspace=1 2\nbig=2147483648\nmin=-2147483648\nhuge=0x100000000\n"
      "wide=１２\n");
  const SettingsFile &f = s.file;
  EXPECT_EQ(f.readInteger("N", "dec", 0), -42);
  EXPECT_EQ(f.readInteger("N", "plus", 0), 7);
  EXPECT_EQ(f.readInteger("N", "hex", 0), 31);
  EXPECT_EQ(f.readInteger("N", "upper", 0), 255);
  EXPECT_EQ(f.readInteger("N", "full", 0), -1);
  EXPECT_EQ(f.readInteger("N", "min", 0), INT_MIN);
  for (const char *key : {"bare0x", "badhex", "twice", "word", "tail", "empty",
                          "space", "big", "huge", "wide"}) {
    EXPECT_EQ(f.readInteger("N", key, 99), 99) << key;
  }
  EXPECT_TRUE(f.readBool("N", "dec", false));
  EXPECT_FALSE(f.readBool("N", "zero", true));
  EXPECT_TRUE(f.readBool("N", "word", true));
  EXPECT_FALSE(f.readBool("N", "word", false));
}

TEST(SettingsFile, TextIsCutAt1023Characters) {
  const QString longText(1500, 'a');
  Settings s("[R]\nr1=" + longText.toUtf8() +
             "\nr2=" + QString(1023, 'b').toUtf8() + "\n");
  EXPECT_EQ(s.file.readString("R", "r1", ""), QString(1023, 'a'));
  EXPECT_EQ(s.file.readString("R", "r2", ""), QString(1023, 'b'));
  EXPECT_EQ(s.file.readString("R", "missing", longText).size(), 1023);
  // A character outside the basic plane is not cut in half.
  const QString emoji = QString(1022, 'c') + QStringLiteral("😀");
  ASSERT_TRUE(s.file.writeString("R", "r3", emoji));
  EXPECT_EQ(s.file.readString("R", "r3", ""), QString(1022, 'c'));
}

TEST(SettingsFile, WritesCreateFolderFileSectionAndKey) {
  ScratchDir dir;
  SettingsFile file(dir.file("config/varnel/Vrn32.ini"));
  ASSERT_TRUE(file.writeInteger("MainForm", "Left", 10));
  ASSERT_TRUE(file.writeInteger("MainForm", "Top", -5));
  ASSERT_TRUE(file.writeBool("Fum", "Executive", true));
  ASSERT_TRUE(file.writeBool("Fum", "Maximized", false));
  ASSERT_TRUE(file.writeString("RecentFiles", "r1", ""));
  ASSERT_TRUE(file.save());
  EXPECT_EQ(readBytes(file.path()),
            "[MainForm]\nLeft=10\nTop=-5\n\n"
            "[Fum]\nExecutive=1\nMaximized=0\n\n"
            "[RecentFiles]\nr1=\n");
  EXPECT_EQ(file.readInteger("MainForm", "Top", 0), -5);
  EXPECT_TRUE(file.readBool("Fum", "Executive", false));
  EXPECT_EQ(file.readString("RecentFiles", "r1", "default"), "");
}

TEST(SettingsFile, WritesKeepEveryOtherLine) {
  Settings s(
      "\xEF\xBB\xBF; Varnel settings\r\n"
      "[MainForm]\r\n"
      "  left = 1\r\n"
      "Junk line\r\n"
      "\r\n"
      "[fum]\r\n"
      "MaxChar=79\r\n"
      "MaxChar=80\r\n"
      "\r\n"
      "; end\r\n"
      "[Fum]\r\n"
      "Folder=/x");
  ASSERT_TRUE(s.file.writeInteger("MAINFORM", "Left", 300));
  ASSERT_TRUE(s.file.writeInteger("MainForm", "Top", 20));
  ASSERT_TRUE(s.file.writeInteger("Fum", "MaxChar", 100));
  ASSERT_TRUE(s.file.writeString("Fum", "Folder", "/y"));
  ASSERT_TRUE(s.file.writeInteger("Vrn", "a.vrn", 3));
  ASSERT_TRUE(s.file.save());
  EXPECT_EQ(s.bytes(),
            "\xEF\xBB\xBF; Varnel settings\r\n"
            "[MainForm]\r\n"
            "  left = 300\r\n"
            "Junk line\r\n"
            "Top=20\r\n"
            "\r\n"
            "[fum]\r\n"
            "MaxChar=100\r\n"
            "MaxChar=80\r\n"
            "\r\n"
            "; end\r\n"
            "Folder=/y\r\n"
            "[Fum]\r\n"
            "Folder=/x\r\n"
            "\r\n"
            "[Vrn]\r\n"
            "a.vrn=3\r\n");
}

TEST(SettingsFile, JapaneseKeysAndAnyPathRoundTrip) {
  Settings s;
  // Characters code page 932 cannot hold must come back unchanged.
  const QString path = QStringLiteral("/home/ğül/音楽 😀/練習.fum");
  ASSERT_TRUE(s.file.writeInteger("Vrn", "練習.vrn", 4));
  ASSERT_TRUE(s.file.writeString("RecentFiles", "r1", path));
  EXPECT_EQ(s.file.readInteger("vrn", "練習.VRN", 0), 4);
  EXPECT_EQ(s.file.readInteger("Vrn", "練習2.vrn", 0), 0);
  EXPECT_EQ(s.file.readString("RecentFiles", "R1", ""), path);
  ASSERT_TRUE(s.file.save());
  EXPECT_TRUE(s.bytes().contains(path.toUtf8())) << "stored in UTF-8";
}

TEST(SettingsFile, ReadsAFileWrittenInCodePage932) {
  Settings s(sjis("[Vrn]\r\n練習.vrn=6\r\n[Fum]\r\nFolder=C:\\譜面\r\n"));
  EXPECT_EQ(s.file.readInteger("Vrn", "練習.vrn", 0), 6);
  ASSERT_TRUE(s.file.writeInteger("Vrn", "練習.vrn", 7));
  ASSERT_TRUE(s.file.save());
  EXPECT_EQ(
      s.bytes(),
      QString("[Vrn]\r\n練習.vrn=7\r\n[Fum]\r\nFolder=C:\\譜面\r\n").toUtf8());
}

TEST(SettingsFile, ValuesWithSpacesOrQuotesComeBackUnchanged) {
  Settings s("[Fum]\nquoted=\"  padded  \"\nsingle='x'\nlone=\"x\n");
  EXPECT_EQ(s.file.readString("Fum", "quoted", ""), "  padded  ");
  EXPECT_EQ(s.file.readString("Fum", "single", ""), "x");
  EXPECT_EQ(s.file.readString("Fum", "lone", ""), "\"x");
  for (const QString &value :
       {QStringLiteral("/folder with trailing space "), QStringLiteral(" lead"),
        QStringLiteral("\"q\""), QStringLiteral("'"), QStringLiteral("a=b")}) {
    ASSERT_TRUE(s.file.writeString("Fum", "Folder", value));
    EXPECT_EQ(s.file.readString("Fum", "Folder", "?"), value);
  }
}

TEST(SettingsFile, RefusesWhatItCannotStore) {
  Settings s("[Fum]\nMaxChar=79\n");
  const QByteArray before = s.bytes();
  EXPECT_FALSE(s.file.writeString("Fum", "Folder", "a\nb"));
  EXPECT_FALSE(s.file.writeString("Fum", "Folder", "a\rb"));
  EXPECT_FALSE(s.file.writeInteger("Vrn", "a=b.vrn", 1));
  EXPECT_FALSE(s.file.writeInteger("Vrn", "[x].vrn", 1));
  EXPECT_FALSE(s.file.writeInteger("Vrn", ";x.vrn", 1));
  EXPECT_FALSE(s.file.writeInteger("Vrn", " ", 1));
  EXPECT_FALSE(s.file.writeInteger("A]B", "k", 1));
  ASSERT_TRUE(s.file.save());
  EXPECT_EQ(s.bytes(), before);
}

TEST(SettingsFile, FailedWritesReportFailureAndKeepTheFile) {
  ScratchDir dir;
  // The folder cannot be made: its parent is a regular file.
  const QString blocker = dir.write("blocker", "not a folder");
  SettingsFile inFile(blocker + "/Vrn32.ini");
  EXPECT_TRUE(inFile.writeInteger("Fum", "MaxChar", 80));
  QString error;
  EXPECT_FALSE(inFile.save(&error));
  EXPECT_EQ(error, "「" + inFile.path() +
                       "」に書き込めません（保存先のフォルダーがありません）");
  EXPECT_EQ(readBytes(blocker), "not a folder");

  // A path that is a folder can be neither read nor replaced.
  QDir().mkpath(dir.file("folder.ini"));
  SettingsFile onFolder(dir.file("folder.ini"));
  EXPECT_FALSE(onFolder.writeBool("Fum", "Executive", true));
  EXPECT_FALSE(onFolder.readBool("Fum", "Executive", false));
}

// The file is read once and written once: a program that ends without
// saving leaves it as it was, and a save keeps what another copy of the
// program stored meanwhile under other keys.
TEST(SettingsFile, WritesWaitForTheSaveAndKeepOtherCopiesKeys) {
  Settings s("[Fum]\nMaxChar=79\n");
  ASSERT_EQ(s.file.readInteger("Fum", "MaxChar", 0), 79);
  s.dir.write("Vrn32.ini", "[Fum]\nMaxChar=60\n[Vrn]\nb.vrn=2\n");
  EXPECT_EQ(s.file.readInteger("Fum", "MaxChar", 0), 79) << "read again";
  ASSERT_TRUE(s.file.writeInteger("Vrn", "a.vrn", 4));
  ASSERT_TRUE(s.file.writeInteger("Fum", "MaxChar", 100));
  EXPECT_EQ(s.bytes(), "[Fum]\nMaxChar=60\n[Vrn]\nb.vrn=2\n");
  ASSERT_TRUE(s.file.save());
  EXPECT_EQ(s.bytes(), "[Fum]\nMaxChar=100\n[Vrn]\nb.vrn=2\na.vrn=4\n");
}

TEST(SettingsFile, DefaultPathFollowsXdgConfigHome) {
  ScratchDir dir;
  const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
  EXPECT_EQ(SettingsFile::defaultPath(), dir.path() + "/Vrn32.ini");
  if (saved.isNull()) {
    qunsetenv("XDG_CONFIG_HOME");
  } else {
    qputenv("XDG_CONFIG_HOME", saved);
  }
}
