#pragma once

#include <QtGlobal>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Sixteen bytes at a time where the processor has SSE2 (every x86-64): bit
// j of a mask stands for byte j of the block.
#if defined(__SSE2__)
constexpr bool BlockEnabled = true;
#else
constexpr bool BlockEnabled = false;
#endif
constexpr qsizetype BlockSize = 16;

// Bits set in a block's mask. Not std::popcount, which is a library call
// where the processor's own instruction is not assumed.
constexpr int maskBitCount(unsigned mask) {
  mask = mask - ((mask >> 1) & 0x5555u);
  mask = (mask & 0x3333u) + ((mask >> 2) & 0x3333u);
  mask = (mask + (mask >> 4)) & 0x0F0Fu;
  return static_cast<int>((mask + (mask >> 8)) & 0x1Fu);
}
static_assert(maskBitCount(0xFFFFu) == 16 && maskBitCount(0x8421u) == 4);

#if defined(__SSE2__)
inline __m128i blockAt(const char *p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
}
inline unsigned blockBits(__m128i block, char byte) {
  return static_cast<unsigned>(
      _mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8(byte))));
}
// The bytes with bit 7 set: lead bytes and every other non-ASCII byte.
inline unsigned highBits(__m128i block) {
  return static_cast<unsigned>(_mm_movemask_epi8(block));
}
#endif

}  // namespace word_scan
