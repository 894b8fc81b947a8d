#include "base/core/BoundedRead.h"

#include <algorithm>

namespace bounded_read {

QByteArray upTo(QIODevice &device, qint64 limit) {
  constexpr qint64 FirstBlock = 64 * 1024;
  // A file says how long it is; one more byte tells whether it grew. A
  // stream, or a file longer than it says, is read in doubling blocks.
  qint64 block = FirstBlock;
  if (!device.isSequential())
    block = std::max<qint64>(device.size() - device.pos() + 1, 1);
  QByteArray bytes;
  while (bytes.size() < limit) {
    const qint64 want = std::min(block, limit - bytes.size());
    const qsizetype held = bytes.size();
    bytes.resize(held + want);
    const qint64 got = device.read(bytes.data() + held, want);
    bytes.resize(held + std::max<qint64>(got, 0));
    if (got <= 0) break;
    // Filled, the block was too small: the next is twice as large.
    if (got == want) block = std::min(std::max(block, FirstBlock) * 2, limit);
  }
  return bytes;
}

}  // namespace bounded_read
