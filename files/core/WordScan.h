#pragma once

#include <QtGlobal>
#include <bit>
#include <cstring>

// Looking at eight bytes at a time: a word is read from memory as it lies
// there, so byte j of the text is byte j of the word only on little-endian
// machines; elsewhere the byte-by-byte paths do all the work.
namespace word_scan {

constexpr bool Enabled = std::endian::native == std::endian::little;
constexpr quint64 Ones = 0x0101010101010101ull;
constexpr quint64 Highs = 0x8080808080808080ull;

inline quint64 wordAt(const char *p) {
  quint64 word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

// Bit 7 of every byte of the word that equals `byte`, no other bit.
constexpr quint64 byteBits(quint64 word, char byte) {
  const quint64 x = word ^ (Ones * static_cast<unsigned char>(byte));
  return ~(((x & ~Highs) + ~Highs) | x) & Highs;
}

}  // namespace word_scan
