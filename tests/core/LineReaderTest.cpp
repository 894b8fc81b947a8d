#include <gtest/gtest.h>

#include <QBuffer>

#include "files/core/LineReader.h"
#include "support/TestFiles.h"

namespace {}  // namespace

TEST(LineReader, EndsLinesAtCrAndKeepsLoneLf) {
  EXPECT_EQ(linesOf("a\r\nb\rc\nd"), (QList<QByteArray>{"a", "b", "c\nd"}));
  EXPECT_EQ(linesOf("a\r\n\r\n"), (QList<QByteArray>{"a", ""}));
  EXPECT_EQ(linesOf("a\r\r\nb"), (QList<QByteArray>{"a", "", "b"}));
  EXPECT_TRUE(linesOf("").isEmpty());
}

TEST(LineReader, StopsAtEndOfFileMark) {
  EXPECT_EQ(linesOf("a\r\nb\x1A\r\nc\r\n"), (QList<QByteArray>{"a", "b"}));
  EXPECT_TRUE(linesOf("\x1A"
                      "abc")
                  .isEmpty());
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

TEST(LineReader, ReadsALongLfOnlyFileInOnePass) {
  // Lines ended by LF alone make one long line; it must still be found
  // whole, with the page line after it.
  QByteArray bytes;
  for (int i = 0; i < 20000; ++i) bytes += "some text of a mail\n";
  const QList<QByteArray> lines = linesOf(bytes + "\r\nFum[x]\r\n");
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines[0], bytes);
  EXPECT_EQ(lines[1], "Fum[x]");
}
