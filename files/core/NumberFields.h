#pragma once

#include <QByteArray>
#include <array>

namespace page_format {

namespace number_fields {

constexpr int TableMin = -4096, TableMax = 8191;
constexpr int NumberSlot = 6;  // "-4096" and its terminating zero
constexpr int GlyphSlot = 4;   // "`40" and its terminating zero
constexpr int GlyphMax = 40;

// Writes `value` in decimal at `out`.
constexpr void writeDecimal(int value, char *out) {
  char digits[8] = {};
  int count = 0;
  unsigned rest = value < 0 ? 0u - static_cast<unsigned>(value) : value;
  do {
    digits[count++] = static_cast<char>('0' + rest % 10);
    rest /= 10;
  } while (rest != 0);
  if (value < 0) *out++ = '-';
  while (count > 0) *out++ = digits[--count];
}

inline constexpr auto Numbers = [] {
  std::array<char, (TableMax - TableMin + 1) * NumberSlot> table{};
  for (int v = TableMin; v <= TableMax; ++v)
    writeDecimal(v, table.data() + (v - TableMin) * NumberSlot);
  return table;
}();

inline constexpr auto Glyphs = [] {
  std::array<char, (GlyphMax + 1) * GlyphSlot> table{};
  for (int i = 0; i <= GlyphMax; ++i) {
    table[i * GlyphSlot] = '`';
    writeDecimal(i, table.data() + i * GlyphSlot + 1);
  }
  return table;
}();

}  // namespace number_fields

// Most fields of a page are coordinates and glyph references. When the bytes
// are such a value written the way the program writes it (a number from
// -4096 to 8191 without leading zeros, or a backquote and 0..40), this gives
// an array over a constant table: no allocation, and copying or freeing it
// costs nothing. It reads like any other array and copies itself before a
// change. For any other bytes it gives a null array.
inline QByteArray sharedNumberField(const char *p, qsizetype n) {
  using namespace number_fields;
  if (n < 1 || n > NumberSlot - 1) return {};
  const char sign = p[0];
  const qsizetype first = sign == '-' || sign == '`' ? 1 : 0;
  // No leading zero, and no "-0".
  if (first == n || (p[first] == '0' && (n - first > 1 || sign == '-')))
    return {};
  int value = 0;
  for (qsizetype i = first; i < n; ++i) {
    const unsigned digit = static_cast<unsigned char>(p[i]) - '0';
    if (digit > 9) return {};
    value = value * 10 + static_cast<int>(digit);
  }
  if (sign == '`') {
    if (value > GlyphMax) return {};
    return QByteArray::fromRawData(Glyphs.data() + value * GlyphSlot, n);
  }
  if (sign == '-') value = -value;
  if (value < TableMin || value > TableMax) return {};
  return QByteArray::fromRawData(
      Numbers.data() + (value - TableMin) * NumberSlot, n);
}

}  // namespace page_format
