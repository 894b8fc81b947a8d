#include "score/core/Decimal.h"

#include <algorithm>
#include <limits>

std::optional<int> parseDecimal(QByteArrayView text) {
  qsizetype i = 0;
  const qsizetype n = text.size();
  while (i < n && text.at(i) == ' ') ++i;
  bool negative = false;
  if (i < n && (text.at(i) == '-' || text.at(i) == '+')) {
    negative = text.at(i) == '-';
    ++i;
  }
  if (i == n) return std::nullopt;
  long long value = 0;
  for (; i < n; ++i) {
    const char c = text.at(i);
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1)
      return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int>::max() ||
      value < std::numeric_limits<int>::min())
    return std::nullopt;
  return static_cast<int>(value);
}

std::optional<int> parseGlyphIndex(QByteArrayView content) {
  if (content.isEmpty()) return std::nullopt;
  return parseDecimal(
      content.sliced(1).first(std::min<qsizetype>(2, content.size() - 1)));
}
