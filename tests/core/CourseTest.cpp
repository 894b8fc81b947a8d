#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "base/core/Cp932.h"
#include "files/core/ContentsFile.h"
#include "files/core/PageFormat.h"
#include "score/core/Decimal.h"
#include "support/TestFiles.h"

// The bundled course in Data/, checked as the program will meet it: the
// contents file, every page it names, and the MIDI files beside them.

namespace {

constexpr int MaxLine = 79;

// Data/ lies at the top of the source tree, two folders above this file.
QString courseDir() {
  const QDir here = QFileInfo(QStringLiteral(__FILE__)).absoluteDir();
  return QDir::cleanPath(here.absoluteFilePath(QStringLiteral("../../Data")));
}

struct Contents {
  QByteArray title;
  QByteArray note;
  QList<QByteArray> entries;
};

Contents readContents() {
  Contents c;
  for (const QByteArray &line :
       linesOf(readBytes(courseDir() + "/Varnel.vrn"))) {
    if (line.startsWith('/'))
      c.title = line.mid(1);
    else if (line.startsWith('\\'))
      c.note = line.mid(1);
    else
      c.entries << line;
  }
  return c;
}

// The entry without its indentation, as a path below Data/: the entry is
// code page 932, the file name on disk Unicode.
QString pageName(const QByteArray &entry) {
  qsizetype i = 0;
  while (i < entry.size() && static_cast<unsigned char>(entry[i]) <= 0x20) ++i;
  return cp932::toUnicode(entry.mid(i)).replace('\\', '/');
}

QString pagePath(const QByteArray &entry) {
  return courseDir() + '/' + pageName(entry) + ".fum";
}

QString midiPath(const QByteArray &entry) {
  return courseDir() + '/' + pageName(entry) + ".mid";
}

// Cuts a data payload at every single-byte "|"; a "|" that is the trail
// byte of a double-byte character stays part of its field.
QList<QByteArray> fieldsOf(const QByteArray &payload) {
  QList<QByteArray> fields;
  QByteArray field;
  for (qsizetype i = 0; i < payload.size(); ++i) {
    const auto b = static_cast<unsigned char>(payload[i]);
    if (cp932::isLeadByte(b) && i + 1 < payload.size()) {
      field += payload.mid(i, 2);
      ++i;
    } else if (b == '|') {
      fields << field;
      field.clear();
    } else {
      field += payload[i];
    }
  }
  EXPECT_TRUE(field.isEmpty())
      << "bytes after the last field: " << field.constData();
  return fields;
}

struct Page {
  QList<QByteArray> lines;
  QByteArray text;
  QByteArray data;
};

Page readPage(const QString &path) {
  Page page;
  page.lines = linesOf(readBytes(path));
  for (const QByteArray &line : page.lines) {
    if (line.startsWith('~')) page.text += line.mid(1);
    if (line.startsWith('^')) page.data += line.mid(1);
  }
  return page;
}

class CoursePages : public ::testing::Test {
 protected:
  void SetUp() override {
    contents_ = readContents();
    ASSERT_GE(contents_.entries.size(), 8) << "no course in " << dir();
  }
  std::string dir() const { return courseDir().toStdString(); }
  Contents contents_;
};

}  // namespace

TEST_F(CoursePages, ContentsHasTitleNoteAndStructuredEntries) {
  EXPECT_FALSE(contents_.title.isEmpty());
  EXPECT_FALSE(contents_.note.isEmpty());
  int indented = 0;
  int inFolder = 0;
  for (const QByteArray &entry : contents_.entries) {
    const QString name = pageName(entry);
    SCOPED_TRACE(name.toStdString());
    EXPECT_FALSE(name.isEmpty()) << "an empty entry";
    EXPECT_FALSE(name.endsWith(QStringLiteral(".fum")));
    // The list shows the entry itself: a page title in Japanese, in code
    // page 932 throughout.
    bool ok = false;
    const QString title = name.section('/', -1);
    cp932::toUnicode(entry, &ok);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(std::any_of(title.begin(), title.end(), [](QChar c) {
      return c.unicode() >= 0x3000;
    })) << "a title without Japanese";
    if (entry.startsWith(' ')) ++indented;
    if (name.contains('/')) ++inFolder;
  }
  EXPECT_GE(indented, 1);
  EXPECT_GE(inFolder, 1);
  // Written with CR LF like every file the program reads.
  const QByteArray raw = readBytes(courseDir() + "/Varnel.vrn");
  EXPECT_EQ(raw.count("\r\n"), raw.count('\n'));
  EXPECT_EQ(raw.count("\r\n"), raw.count('\r'));
  EXPECT_TRUE(raw.endsWith("\r\n"));
  // Taken for a UTF-8 file, the Japanese names would be read wrongly.
  QString unheld;
  EXPECT_EQ(contentsAsCp932(raw, &unheld), raw);
}

TEST_F(CoursePages, EveryEntryIsAPageNamedLikeItsFile) {
  for (const QByteArray &entry : contents_.entries) {
    const QString path = pagePath(entry);
    SCOPED_TRACE(path.toStdString());
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(entryPagePath(courseDir(), entry), path);
    const Page page = readPage(path);
    ASSERT_GE(page.lines.size(), 3);
    // The stored name is the file's, in code page 932: otherwise opening
    // the page asks the reader whether to save it under its file's name,
    // and saving it again would change it.
    const QByteArray &first = page.lines.first();
    ASSERT_TRUE(first.startsWith("Fum[") && first.endsWith(']'));
    const QByteArray stored = first.mid(4, first.size() - 5);
    EXPECT_TRUE(page_format::internalNameMatches(stored, path));
    EXPECT_EQ(stored, page_format::internalNameFor(path, MaxLine));
    EXPECT_EQ(page.lines.last(), "End[" + stored + "]");
    // Every page explains itself in its text.
    bool ok = false;
    const QString text = cp932::toUnicode(page.text, &ok);
    EXPECT_TRUE(ok);
    EXPECT_GE(text.count(QStringLiteral("||")), 2) << "a page text of "
                                                      "several paragraphs";
  }
}

TEST_F(CoursePages, PageLinesAreShortAndEndInCrLf) {
  for (const QByteArray &entry : contents_.entries) {
    SCOPED_TRACE(pagePath(entry).toStdString());
    const QByteArray raw = readBytes(pagePath(entry));
    ASSERT_TRUE(raw.endsWith("\r\n"));
    QList<QByteArray> lines = raw.split('\n');
    lines.removeLast();  // empty: the file ends with its last line's LF
    for (const QByteArray &line : lines) {
      ASSERT_TRUE(line.endsWith('\r')) << "a LF without its CR";
      const QByteArray body = line.chopped(1);
      EXPECT_FALSE(body.contains('\r')) << "a CR without its LF";
      EXPECT_LE(body.size(), MaxLine) << body.constData();
      // A piece never ends inside a double-byte character.
      bool lead = false;
      for (char c : body) lead = !lead && cp932::isLeadByte(c);
      EXPECT_FALSE(lead) << body.constData();
    }
  }
}

TEST_F(CoursePages, InputsLieOnTheStaffPaper) {
  for (const QByteArray &entry : contents_.entries) {
    SCOPED_TRACE(pagePath(entry).toStdString());
    const QList<QByteArray> fields = fieldsOf(readPage(pagePath(entry)).data);
    ASSERT_GE(fields.size(), 3);
    EXPECT_EQ(fields[0], "1") << "pages ship unprotected";
    const auto staves = parseDecimal(fields[1]);
    const auto width = parseDecimal(fields[2]);
    ASSERT_TRUE(staves && width);
    EXPECT_TRUE(*staves >= 1 && *staves <= 8);
    EXPECT_TRUE(*width >= 60 && *width <= 1280 && *width % 10 == 0);
    const int height = 64 * *staves + 36;
    ASSERT_EQ((fields.size() - 3) % 3, 0);
    EXPECT_GT(fields.size(), 3) << "a page without music";
    for (qsizetype i = 3; i < fields.size(); i += 3) {
      const QByteArray &content = fields[i];
      const auto x = parseDecimal(fields[i + 1]);
      const auto y = parseDecimal(fields[i + 2]);
      ASSERT_TRUE(x && y) << content.constData();
      ASSERT_FALSE(content.isEmpty());
      if (!isGlyphReference(content)) {
        bool ok = false;
        cp932::toUnicode(content, &ok);
        EXPECT_TRUE(ok) << content.constData();
        EXPECT_TRUE(*x >= 0 && *x < *width && *y >= 0 && *y + 12 <= height)
            << content.constData() << " at " << *x << "," << *y;
        continue;
      }
      const auto index = parseGlyphIndex(content);
      ASSERT_TRUE(index) << content.constData();
      EXPECT_TRUE(*index >= 0 && *index <= 40);
      EXPECT_EQ(content, '`' + QByteArray::number(*index));
      // Glyphs stand on the grid the mouse snaps to, and on the canvas.
      EXPECT_EQ(*y % 4, 0) << content.constData() << " at y " << *y;
      EXPECT_TRUE(*x >= 0 && *x < *width && *y >= 0 && *y < height)
          << content.constData() << " at " << *x << "," << *y;
    }
  }
}

TEST_F(CoursePages, MidiFilesBesideThePagesAreStandardMidiFiles) {
  int withMusic = 0;
  for (const QByteArray &entry : contents_.entries) {
    const QString path = midiPath(entry);
    if (!QFileInfo::exists(path)) continue;
    SCOPED_TRACE(path.toStdString());
    ++withMusic;
    const QByteArray midi = readBytes(path);
    ASSERT_GE(midi.size(), 22);
    EXPECT_TRUE(midi.startsWith("MThd"));
    EXPECT_EQ(midi.mid(4, 4), QByteArray("\0\0\0\6", 4));
    EXPECT_EQ(midi.mid(12, 2), QByteArray("\x01\xE0", 2)) << "480 a quarter";
    EXPECT_EQ(midi.mid(14, 4), "MTrk");
    const quint32 length = (quint8(midi[18]) << 24) | (quint8(midi[19]) << 16) |
                           (quint8(midi[20]) << 8) | quint8(midi[21]);
    EXPECT_EQ(22 + qsizetype(length), midi.size());
    EXPECT_TRUE(midi.endsWith(QByteArray("\xFF\x2F\x00", 3)));
    EXPECT_TRUE(midi.contains('\x90')) << "a piece without a note";
  }
  EXPECT_GE(withMusic, 3);
}

TEST(Course, GmResetFileSendsGeneralMidiSystemOn) {
  const QByteArray midi = readBytes(courseDir() + "/Gmon.mid");
  ASSERT_TRUE(midi.startsWith("MThd"));
  EXPECT_TRUE(midi.contains(QByteArray("\xF0\x05\x7E\x7F\x09\x01\xF7", 7)));
}
