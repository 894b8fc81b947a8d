#include "sound/module/LeadTick.h"

#include <QtEndian>
#include <optional>

namespace lead_tick {
namespace {

constexpr quint32 LargestNumber = 0x0FFFFFFF;  // four bytes of seven bits

// A variable-length quantity at `at`, and its size in bytes.
std::optional<std::pair<quint32, int>> number(const QByteArray &bytes,
                                              qsizetype at) {
  quint32 value = 0;
  for (int i = 0; i < 4 && at + i < bytes.size(); ++i) {
    const quint8 b = quint8(bytes[at + i]);
    value = (value << 7) | (b & 0x7F);
    if (!(b & 0x80)) return std::pair{value, i + 1};
  }
  return std::nullopt;
}

QByteArray encoded(quint32 value) {
  QByteArray out(1, char(value & 0x7F));
  while (value >>= 7) out.prepend(char(0x80 | (value & 0x7F)));
  return out;
}

}  // namespace

QByteArray delayed(const QByteArray &piece) {
  if (piece.size() < 14 || !piece.startsWith("MThd")) return piece;
  qsizetype at = 8 + qFromBigEndian<quint32>(piece.constData() + 4);
  if (at > piece.size()) return piece;
  QByteArray out = piece.left(at);
  // Whatever follows the last whole chunk is kept as it is.
  while (at + 8 <= piece.size()) {
    const quint32 size = qFromBigEndian<quint32>(piece.constData() + at + 4);
    const qsizetype start = at + 8;
    if (size > quint64(piece.size() - start)) break;
    QByteArray body = piece.mid(start, size);
    if (piece.mid(at, 4) == "MTrk" && !body.isEmpty()) {
      const auto delta = number(body, 0);
      if (!delta || delta->first > LargestNumber - Ticks) return piece;
      body.replace(0, delta->second, encoded(delta->first + Ticks));
    }
    QByteArray header = piece.mid(at, 8);
    qToBigEndian<quint32>(quint32(body.size()), header.data() + 4);
    out += header + body;
    at = start + size;
  }
  return out + piece.mid(at);
}

}  // namespace lead_tick
