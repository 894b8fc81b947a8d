#include <gtest/gtest.h>

#include <QBuffer>

#include "files/core/LineReader.h"
#include "support/TestFiles.h"

namespace {}  // namespace

TEST(LineReader, EndsLinesAtCrLfCrAndLf) {
  EXPECT_EQ(linesOf("a\r\nb\rc\nd"), (QList<QByteArray>{"a", "b", "c", "d"}));
  EXPECT_EQ(linesOf("a\r\n\r\n"), (QList<QByteArray>{"a", ""}));
  EXPECT_EQ(linesOf("a\n\nb\n"), (QList<QByteArray>{"a", "", "b"}));
  // LF CR is two line ends, CR LF one.
  EXPECT_EQ(linesOf("a\n\rb"), (QList<QByteArray>{"a", "", "b"}));
  EXPECT_EQ(linesOf("a\r\r\nb"), (QList<QByteArray>{"a", "", "b"}));
  EXPECT_TRUE(linesOf("").isEmpty());
}

TEST(LineReader, StopsAtEndOfFileMark) {
  EXPECT_EQ(linesOf("a\r\nb\x1A\r\nc\r\n"), (QList<QByteArray>{"a", "b"}));
  EXPECT_TRUE(linesOf("\x1A"
                      "abc")
                  .isEmpty());
  // A CR right before the mark ends its line and nothing follows it.
  EXPECT_EQ(linesOf("a\r\x1A\nb"), (QList<QByteArray>{"a"}));
}

TEST(LineReader, HandlesLinesAcrossBlockBoundaries) {
  // A CR as the last byte of one block and its LF first in the next.
  QByteArray bytes(65535, 'x');
  bytes += "\r\ny";
  const QList<QByteArray> lines = linesOf(bytes);
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines[0].size(), 65535);
  EXPECT_EQ(lines[1], "y");
  QByteArray longLine(200000, 'z');
  EXPECT_EQ(linesOf(longLine + "\r\nq"), (QList<QByteArray>{longLine, "q"}));
}

TEST(LineReader, ReadsManyLfLinesAcrossBlocks) {
  // Line ends fall on every position of an eight-byte word and across the
  // blocks the file is read in.
  QByteArray bytes;
  QList<QByteArray> expected;
  for (int i = 0; i < 20000; ++i) {
    const QByteArray line = QByteArray(i % 13, 'm') + QByteArray::number(i);
    bytes += line + (i % 3 ? "\n" : "\r\n");
    expected << line;
  }
  EXPECT_EQ(linesOf(bytes + "Fum[x]\n"),
            expected + QList<QByteArray>{"Fum[x]"});
}
