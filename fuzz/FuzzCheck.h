#pragma once

// What every fuzz target shares: a check that stops the run where a rule is
// broken (libFuzzer keeps the input that did it), and the input as bytes.

#include <QByteArray>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define CHECK(condition)                                                    \
  do {                                                                      \
    if (!(condition)) {                                                     \
      std::fprintf(stderr, "%s:%d: CHECK failed: %s\n", __FILE__, __LINE__, \
                   #condition);                                             \
      std::abort();                                                         \
    }                                                                       \
  } while (0)

inline QByteArray fuzzBytes(const uint8_t *data, size_t size) {
  return QByteArray(reinterpret_cast<const char *>(data),
                    static_cast<qsizetype>(size));
}
