#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <climits>
#include <csignal>

#include "base/core/Cp932.h"
#include "files/core/PageFormat.h"
#include "support/TestFiles.h"

using namespace page_format;

namespace {

// A page with the text "Hello" / "World", glyph 32 at (40, 70) and
// "Allegro" at (100, 20).
ScorePage helloPage() {
  ScorePage page;
  page.PageText = "Hello\r\nWorld";
  page.append(glyphContent(32), 40, 70);
  page.append("Allegro", 100, 20);
  return page;
}

QByteArray fileOf(const ScorePage &page, const QString &path, int maxChar,
                  int protect = 1) {
  return pageFileBytes(internalNameFor(path, maxChar), page.PageText,
                       dataPayload(protect, page), maxChar);
}

QByteArray crlfLines(const QList<QByteArray> &lines) {
  QByteArray out;
  for (const QByteArray &line : lines) out += line + "\r\n";
  return out;
}

}  // namespace

TEST(PageFormatWriter, WritesTheHelloPageAtWidth79And10) {
  const ScorePage page = helloPage();
  EXPECT_EQ(fileOf(page, "/courses/one/test.fum", 79),
            crlfLines({"Fum[test]", "~Hello|World",
                       "^1|4|610|`32|40|70|Allegro|100|20|", "End[test]"}));
  EXPECT_EQ(
      fileOf(page, "test.fum", 10),
      crlfLines({"Fum[test]", "~Hello|Wo", "~rld", "^1|4|610|", "^`32|40|7",
                 "^0|Allegr", "^o|100|20", "^|", "End[test]"}));
}

TEST(PageFormatWriter, EmptyPageIsThreeLinesAndProtectValueIsWritten) {
  const ScorePage empty;
  EXPECT_EQ(fileOf(empty, "a.fum", 79),
            crlfLines({"Fum[a]", "^1|4|610|", "End[a]"}));
  EXPECT_EQ(fileOf(empty, "a.fum", 79, -1),
            crlfLines({"Fum[a]", "^-1|4|610|", "End[a]"}));
}

TEST(PageFormatWriter, WrapKeepsDoubleByteCharactersWhole) {
  // Byte 8 of the window is the lead byte of え, so 9 bytes are taken.
  EXPECT_EQ(WrapPayload(sjis("aあいうえお"), 10),
            (QList<QByteArray>{sjis("aあいうえ"), sjis("お")}));
  // A lead byte at the very end of a payload stays with what is left.
  EXPECT_EQ(WrapPayload("abcde\x82", 10), (QList<QByteArray>{"abcde\x82"}));
  EXPECT_TRUE(WrapPayload("", 10).isEmpty());
}

TEST(PageFormatWriter, MaxCharOutsideItsRangeIsBroughtToTheNearerBound) {
  EXPECT_EQ(clampMaxChar(-5), MinMaxChar);
  EXPECT_EQ(clampMaxChar(2), MinMaxChar);
  EXPECT_EQ(clampMaxChar(7), 7);
  EXPECT_EQ(clampMaxChar(256), 256);
  EXPECT_EQ(clampMaxChar(257), MaxMaxChar);
  EXPECT_EQ(clampMaxChar(INT_MAX), MaxMaxChar);
  // Widths that would never finish or overrun the classification are
  // corrected, not used.
  EXPECT_EQ(WrapPayload("abcdefghijkl", 0),
            (QList<QByteArray>{"abcde", "fghij", "kl"}));
  EXPECT_EQ(WrapPayload(QByteArray(300, 'x'), 1000).first().size(), 254);
  EXPECT_EQ(pageFileBytes("n", "", "1|4|610|", 1),
            crlfLines({"Fum[n]", "^1|4|6", "^10|", "End[n]"}));
}

TEST(PageFormatNames, NameIsTheFileNameWithoutFolderAndLastExtension) {
  EXPECT_EQ(internalNameFor("/home/me/course/Lesson 1.fum", 79), "Lesson 1");
  EXPECT_EQ(internalNameFor("two.dots.fum", 79), "two.dots");
  EXPECT_EQ(internalNameFor("noext", 79), "noext");
  EXPECT_EQ(internalNameFor("/tmp/練習曲.fum", 79), sjis("練習曲"));
}

TEST(PageFormatNames, LongNamesAreShortenedWithoutSplittingACharacter) {
  EXPECT_EQ(internalNameFor("aあいう.fum", 10), sjis("aあい"));
  EXPECT_EQ(internalNameFor("abあいう.fum", 10), sjis("abあ"));
  const QString eighty(80, 'n');
  EXPECT_EQ(internalNameFor(eighty + ".fum", 79), QByteArray(73, 'n'));
  EXPECT_EQ(shortenInternalName(QByteArray(74, 'n'), 79).size(), 74);
  EXPECT_EQ(shortenInternalName(QByteArray(75, 'n'), 79).size(), 73);
  // Byte 73 a lead byte: the name keeps 74 bytes.
  EXPECT_EQ(shortenInternalName(QByteArray(72, 'n') + sjis("ああ"), 79),
            QByteArray(72, 'n') + sjis("あ"));
  // "Fum[" + 73 bytes + "]".
  const QByteArray file = fileOf(ScorePage(), eighty + ".fum", 79);
  EXPECT_EQ(file.indexOf("\r\n"), 78);
}

TEST(PageFormatNames, StoredNameIsComparedWithoutRegardToCase) {
  EXPECT_TRUE(internalNameMatches("test", "/x/Test.fum"));
  EXPECT_TRUE(internalNameMatches("TEST", "/x/test.FUM"));
  EXPECT_TRUE(internalNameMatches(sjis("練習Ａ"), "/x/練習Ａ.fum"));
  EXPECT_FALSE(internalNameMatches("test2", "/x/test.fum"));
  EXPECT_FALSE(
      internalNameMatches(QByteArray(73, 'n'), QString(80, 'n') + ".fum"));
  // ア is 0x83 0x41 and ヂ 0x83 0x61: a trail byte is not a letter.
  EXPECT_FALSE(internalNameMatches("\x83\x61", cp932::toUnicode("\x83\x41")));
}

TEST(PageFormatBytes, ClassifyByteWalksFromTheStart) {
  const QByteArray text = sjis("aポ|") + "\x81\x81\x81";
  EXPECT_EQ(ClassifyByte(text, 1), ByteClass::Single);
  EXPECT_EQ(ClassifyByte(text, 2), ByteClass::Lead);
  EXPECT_EQ(ClassifyByte(text, 3), ByteClass::Trail);   // 0x7C of ポ
  EXPECT_EQ(ClassifyByte(text, 4), ByteClass::Single);  // a real "|"
  // A run of lead-range bytes alternates lead and trail.
  EXPECT_EQ(ClassifyByte(text, 5), ByteClass::Lead);
  EXPECT_EQ(ClassifyByte(text, 6), ByteClass::Trail);
  EXPECT_EQ(ClassifyByte(text, 7), ByteClass::Lead);
  EXPECT_EQ(ClassifyByte(text, 0), ByteClass::Single);
  EXPECT_EQ(ClassifyByte(text, 8), ByteClass::Single);
  EXPECT_EQ(ClassifyByte(QByteArray("\x82\0", 2), 2), ByteClass::Single);
  EXPECT_EQ(ClassifyByte(QByteArray(), 1), ByteClass::Single);
}

TEST(PageFormatBytes, PageTextLineBreaksBecomeBarsAndBack) {
  EXPECT_EQ(textPayload("a\r\nb\rc\nd"), "a|b|cd");
  EXPECT_EQ(decodeTextPayload("a|b||"), "a\r\nb\r\n\r\n");
  // A "|" as trail byte is half of ポ, not a line break.
  EXPECT_EQ(decodeTextPayload(sjis("ポ|x")), sjis("ポ") + "\r\nx");
  EXPECT_EQ(decodeTextPayload("x\x83"), "x\x83");
  EXPECT_EQ(decodeTextPayload(""), "");
}

TEST(PageFormatBytes, DataPayloadCutsOnlyAtSingleByteBars) {
  const DataFields f =
      splitDataPayload("1|4|610|" + sjis("ポ") + "|-3|-64|`7||0|");
  EXPECT_EQ(f.fieldCount, 9);
  EXPECT_EQ(f.protect, "1");
  EXPECT_EQ(f.staffCount, "4");
  EXPECT_EQ(f.staffWidth, "610");
  EXPECT_EQ(contentsOf(f.inputs), (QList<QByteArray>{sjis("ポ"), "`7"}));
  EXPECT_EQ(xsOf(f.inputs), (QList<QByteArray>{"-3", ""}));
  EXPECT_EQ(ysOf(f.inputs), (QList<QByteArray>{"-64", "0"}));
}

TEST(PageFormatBytes, TrailBarsAreNeverCutWhereverTheyFall) {
  // "ポ" at every offset, among plain text, half-width kana and lead-range
  // trail bytes (0x81 0x81), in the data and in the page text.
  ScorePage page;
  for (int offset = 0; offset < 20; ++offset) {
    const QByteArray pad(offset, 'a');
    page.append(pad + sjis("ポ") + pad, offset, -offset);
    page.append(sjis("ｱ") + pad + "\x81\x81" + sjis("ポ"), 1, 2);
  }
  const DataFields f = splitDataPayload(dataPayload(1, page));
  EXPECT_EQ(contentsOf(f.inputs), contentsOf(page.Inputs));
  EXPECT_EQ(xsOf(f.inputs), xsOf(page.Inputs));
  EXPECT_EQ(ysOf(f.inputs), ysOf(page.Inputs));

  QByteArray text;
  for (int offset = 0; offset < 20; ++offset)
    text += QByteArray(offset, 'a') + sjis("ポ") + "\x81\x81|";
  EXPECT_EQ(decodeTextPayload(text),
            QByteArray(text).replace("\x81|", "\x81\r\n"));
}

TEST(PageFormatBytes, ManyTextsEndingInTheBarByteReadAndSaveWhole) {
  // The trail byte of "ポ" is "|": a page full of such texts has more field
  // bytes than bytes that are not "|", and must still read and save whole.
  QByteArray payload = "1|4|610|";
  for (int i = 0; i < 300; ++i) payload += sjis("ポポ") + "|1|2|";
  ScorePage page;
  page.Inputs = splitDataPayload(payload).inputs;
  ASSERT_EQ(page.count(), 300);
  EXPECT_EQ(page.Inputs.content(299), sjis("ポポ"));
  EXPECT_EQ(page.Inputs.byteCount(), 300 * 6);
  EXPECT_EQ(dataPayload(1, page), payload);
}

TEST(PageFormatBytes, DataPayloadHeaderStaysRawAndShortPayloadsLackFields) {
  DataFields f = splitDataPayload("0|x|2|");
  EXPECT_EQ(f.fieldCount, 3);
  EXPECT_EQ(f.protect, "0");
  EXPECT_EQ(f.staffCount, "x");
  EXPECT_EQ(f.staffWidth, "2");
  EXPECT_TRUE(contentsOf(f.inputs).isEmpty());

  f = splitDataPayload("2|4");  // the unterminated 4 is dropped
  EXPECT_EQ(f.fieldCount, 1);
  EXPECT_EQ(f.protect, "2");
  EXPECT_TRUE(f.staffCount.isEmpty());
  EXPECT_EQ(splitDataPayload("").fieldCount, 0);
  EXPECT_EQ(splitDataPayload("1").fieldCount, 0);
}

TEST(PageFormatBytes, IncompleteInputsAtTheEndAreDropped) {
  // The last field lacks its "|".
  DataFields f = splitDataPayload("1|4|610|`3|10|20|abc");
  EXPECT_EQ(contentsOf(f.inputs), QList<QByteArray>{"`3"});
  EXPECT_EQ(ysOf(f.inputs), QList<QByteArray>{"20"});
  // One and two fields of a fourth input: the lists still end equal.
  for (const QByteArray tail : {"x|", "x|5|"}) {
    f = splitDataPayload("1|4|610|`3|10|20|" + tail);
    EXPECT_EQ(contentsOf(f.inputs), QList<QByteArray>{"`3"})
        << tail.constData();
    EXPECT_EQ(xsOf(f.inputs), QList<QByteArray>{"10"});
    EXPECT_EQ(ysOf(f.inputs), QList<QByteArray>{"20"});
  }
  EXPECT_EQ(f.fieldCount, 8);
}

TEST(PageFormatBytes, FieldsReadBackExactlyAndChangeIndependently) {
  DataFields f =
      splitDataPayload("1|4|610|`7|-64|8191|`7|-64|8192|`05|+5|-0|`41|007| 5|");
  EXPECT_EQ(contentsOf(f.inputs),
            (QList<QByteArray>{"`7", "`7", "`05", "`41"}));
  EXPECT_EQ(xsOf(f.inputs), (QList<QByteArray>{"-64", "-64", "+5", "007"}));
  EXPECT_EQ(ysOf(f.inputs), (QList<QByteArray>{"8191", "8192", "-0", " 5"}));
  // Taking an input out of the middle leaves the others as they were.
  f.inputs.removeAt(1);
  EXPECT_EQ(contentsOf(f.inputs), (QList<QByteArray>{"`7", "`05", "`41"}));
  EXPECT_EQ(ysOf(f.inputs), (QList<QByteArray>{"8191", "-0", " 5"}));
  f.inputs.removeAt(2);
  f.inputs.removeAt(0);
  EXPECT_EQ(xsOf(f.inputs), QList<QByteArray>{"+5"});
}

TEST(PageFormatBytes, AListEmptiedOrReadEmptyEqualsANewOne) {
  DataFields f = splitDataPayload("1|4|610|`1|2|3|");
  f.inputs.removeAt(0);
  EXPECT_EQ(f.inputs, InputList());
  EXPECT_EQ(splitDataPayload("1|4|610|").inputs, InputList());
  EXPECT_FALSE(splitDataPayload("1|4|610|||||").inputs == InputList());
}

TEST(PageFormatBytes, APageOfSeparatorsTakesAFewTimesItsSize) {
  // Every three "|" are an input of three empty fields: the list must not
  // cost an object per field.
  const QByteArray payload(3 * 1000000 + 3, '|');
  const DataFields f = splitDataPayload(payload);
  EXPECT_EQ(f.inputs.count(), 1000000);
  EXPECT_EQ(f.inputs.byteCount(), 0);
  EXPECT_TRUE(f.inputs.content(999999).isEmpty());
}

TEST(PageFormatRoundTrip, DoubleByteTextsAndNegativeCoordinatesSurvive) {
  ScorePage page;
  page.StaffCount = 12;
  page.StaffWidth = 1280;
  page.PageText = sjis(
      "第一課　ポルカのリズム\r\nアクセントに注意。\r\n\r\n"
      "ソ・ポ・ポ・ポ\r\nend");
  page.append(glyphContent(40), -16, -64);
  page.append(sjis("ポポポ"), 0, -1);
  page.append(sjis("Allegro ポ moderato"), 123456, 7);
  page.append("", 5, 5);
  for (int i = 0; i < 40; ++i) page.append(glyphContent(i), i * 13, i * 4);
  page.append(sjis("終わり"), 600, 250);

  for (const int maxChar : {7, 10, 79, 256}) {
    SCOPED_TRACE(maxChar);
    const QByteArray bytes =
        fileOf(page, "/c/ポルカ.fum", maxChar, page.ProtectFlag);
    for (const QByteArray &line : bytes.split('\n')) {
      if (line.isEmpty()) continue;
      ASSERT_TRUE(line.endsWith('\r'));
      EXPECT_LE(line.size() - 1, maxChar) << line.constData();
      // Every piece, classified on its own, ends on a whole character.
      const QByteArray piece = line.mid(1, line.size() - 2);
      EXPECT_NE(ClassifyByte(piece, piece.size()), ByteClass::Lead)
          << line.constData();
    }

    const PageBlock block = readPageBlock(bytes);
    EXPECT_EQ(block.internalName, internalNameFor("ポルカ.fum", maxChar));
    EXPECT_EQ(decodeTextPayload(block.textPayload), page.PageText);
    const DataFields f = splitDataPayload(block.dataPayload);
    EXPECT_EQ(f.protect, "1");
    EXPECT_EQ(f.staffCount, "12");
    EXPECT_EQ(f.staffWidth, "1280");
    EXPECT_EQ(contentsOf(f.inputs), contentsOf(page.Inputs));
    EXPECT_EQ(xsOf(f.inputs), xsOf(page.Inputs));
    EXPECT_EQ(ysOf(f.inputs), ysOf(page.Inputs));
  }
}

TEST(PageFormatRoundTrip, LoneLineEndsInThePageText) {
  // A lone CR comes back as a line break, a lone LF is lost, a "|" of the
  // text turns into a line break.
  const QByteArray bytes = pageFileBytes("p", "a\rb\nc|d", "1|4|610|", 79);
  EXPECT_EQ(decodeTextPayload(readPageBlock(bytes).textPayload),
            "a\r\nbc\r\nd");
}

TEST(PageFormatReader, SkipsTextAroundTheBlock) {
  const PageBlock block = readPageBlock(
      crlfLines({"Some mail text", "~not yet", "^9|9|9|", "", "Fum[p]", "",
                 "~one", "# a comment", "^1|4|", "~|two", "^610|", "End[p]",
                 "~after", "Fum[q]", "^x|"}));
  EXPECT_EQ(block.internalName, "p");
  EXPECT_EQ(block.textPayload, "one|two");
  EXPECT_EQ(block.dataPayload, "1|4|610|");
}

TEST(PageFormatReader, FindsNoPageWithoutAName) {
  // "End[" first ends the reading.
  EXPECT_TRUE(readPageBlock(crlfLines({"End[p]", "Fum[p]", "^1|4|610|"}))
                  .internalName.isEmpty());
  // An empty name: what follows is not collected.
  const PageBlock empty =
      readPageBlock(crlfLines({"Fum[]", "~text", "^1|4|610|", "End[]"}));
  EXPECT_TRUE(empty.internalName.isEmpty());
  EXPECT_TRUE(empty.textPayload.isEmpty());
  EXPECT_TRUE(empty.dataPayload.isEmpty());
  EXPECT_TRUE(readPageBlock(crlfLines({"Fum[", "^1|"})).internalName.isEmpty());
  EXPECT_TRUE(readPageBlock("").internalName.isEmpty());
}

TEST(PageFormatReader, NameDropsTheLastByteUnchecked) {
  EXPECT_EQ(readPageBlock("Fum[ab)\r\n").internalName, "ab");
  EXPECT_EQ(readPageBlock("Fum[ab").internalName, "a");
}

TEST(PageFormatReader, ReadsToTheEndWithoutEndLine) {
  const PageBlock block = readPageBlock("Fum[p]\r\n~a\r\n^1|4|\r\n^610|");
  EXPECT_EQ(block.internalName, "p");
  EXPECT_EQ(block.textPayload, "a");
  EXPECT_EQ(block.dataPayload, "1|4|610|");
}

TEST(PageFormatReader, SecondFumLineReplacesTheNameAndPayloadsGoOn) {
  PageBlock block = readPageBlock(
      crlfLines({"Fum[p]", "~a", "^1|", "Fum[q]", "~b", "^4|610|"}));
  EXPECT_EQ(block.internalName, "q");
  EXPECT_EQ(block.textPayload, "ab");
  EXPECT_EQ(block.dataPayload, "1|4|610|");
  // An empty second name stops the collecting and loses the page.
  block = readPageBlock(crlfLines({"Fum[p]", "^1|", "Fum[]", "^4|610|"}));
  EXPECT_TRUE(block.internalName.isEmpty());
  EXPECT_EQ(block.dataPayload, "1|");
}

TEST(PageFormatReader, EndOfFileMarkAndLoneLineEnds) {
  PageBlock block = readPageBlock(
      "Fum[p]\r\n^1|4|61\x1A"
      "0|\r\n^`1|2|3|\r\nEnd[p]\r\n");
  EXPECT_EQ(block.internalName, "p");
  EXPECT_EQ(block.dataPayload, "1|4|61");
  // A lone CR and a lone LF end a line as CR LF does.
  block = readPageBlock("Fum[p]\r~a\nb\r^1|4|\n610|\rEnd[p]");
  EXPECT_EQ(block.textPayload, "a");
  EXPECT_EQ(block.dataPayload, "1|4|");
  block = readPageBlock("Fum[p]\n^1|4|610|\nEnd[p]\n");
  EXPECT_EQ(block.internalName, "p");
  EXPECT_EQ(block.dataPayload, "1|4|610|");
}

TEST(PageFormatReader, FindsAPageDeepInsideALargeFile) {
  ScratchDir dir;
  QByteArray big;
  const QByteArray filler = "A line of some other text, 0123456789|\r\n";
  while (big.size() < 3 * 1024 * 1024) big += filler;
  big += QByteArray(200000, 'x') + "\n" + QByteArray(200000, 'y') + "\r\n";
  big += fileOf(helloPage(), "deep.fum", 79);
  big += filler;
  const QString path = dir.write("mail.txt", big);

  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  bool readError = true;
  const PageBlock block = readPageBlock(file, &readError);
  EXPECT_FALSE(readError);
  EXPECT_EQ(block.internalName, "deep");
  EXPECT_EQ(block.textPayload, "Hello|World");
  EXPECT_EQ(block.dataPayload, "1|4|610|`32|40|70|Allegro|100|20|");
}

TEST(PageFormatSaving, ReplacesTheOldFileAndLeavesNothingBeside) {
  ScratchDir dir;
  const QString path = dir.write("p.fum", "old page");
  QString error;
  EXPECT_TRUE(writeFileSafely(path, "new page", &error));
  EXPECT_EQ(readBytes(path), "new page");
  EXPECT_TRUE(writeFileSafely(dir.file("fresh.fum"), "", &error));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
            (QStringList{"fresh.fum", "p.fum"}));
}

TEST(PageFormatSaving, FailureIsReportedAndKeepsTheOldFile) {
  ScratchDir dir;
  QString error;
  // Tests run as root, so folder permissions cannot be used to refuse.
  const QString notAFolder = dir.write("plain", "x");
  EXPECT_FALSE(writeFileSafely(notAFolder + "/p.fum", "new", &error));
  EXPECT_FALSE(error.isEmpty());
  error.clear();
  EXPECT_FALSE(writeFileSafely("/proc/varnel-page.fum", "new", &error));
  EXPECT_FALSE(error.isEmpty());

  // A write that fails half way, as on a full disk: the file size limit
  // stops it.
  const QString path = dir.write("p.fum", "old page");
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  error.clear();
  const bool written = writeFileSafely(path, QByteArray(100000, 'n'), &error);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(written);
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(readBytes(path), "old page");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
            (QStringList{"p.fum", "plain"}));
}
