#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>

#include "base/core/BoundedRead.h"
#include "support/TestFiles.h"

namespace {

// A pipe's way: a few bytes a read, and no size known beforehand.
class Trickle : public QIODevice {
 public:
  explicit Trickle(QByteArray bytes) : bytes_(std::move(bytes)) {
    open(QIODevice::ReadOnly);
  }
  bool isSequential() const override { return true; }

 protected:
  qint64 readData(char *data, qint64 max) override {
    const qint64 count = std::min<qint64>({max, 1000, bytes_.size() - at_});
    std::copy_n(bytes_.constData() + at_, count, data);
    at_ += count;
    return count;
  }
  qint64 writeData(const char *, qint64) override { return -1; }

 private:
  QByteArray bytes_;
  qint64 at_ = 0;
};

}  // namespace

TEST(BoundedRead, ReadsToTheEndOrTheBoundFromFilesAndStreams) {
  const QByteArray bytes(300000, 'x');
  ScratchDir dir;
  QFile file(dir.write(QStringLiteral("f.bin"), bytes));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(bounded_read::upTo(file, 1024 * 1024), bytes);
  ASSERT_TRUE(file.seek(0));
  EXPECT_EQ(bounded_read::upTo(file, 1000).size(), 1000);

  Trickle whole(bytes);
  EXPECT_EQ(bounded_read::upTo(whole, 1024 * 1024), bytes);
  Trickle cut(bytes);
  EXPECT_EQ(bounded_read::upTo(cut, 123457).size(), 123457);

  QBuffer empty;
  empty.open(QIODevice::ReadOnly);
  EXPECT_TRUE(bounded_read::upTo(empty, 10).isEmpty());
}
