#include "base/core/Cp932.h"

#include <iconv.h>

#include <QList>
#include <algorithm>
#include <array>
#include <cerrno>
#include <memory>
#include <string>

namespace cp932 {
namespace {

// One conversion descriptor per direction, opened on first use. The program
// has one thread, so sharing them is safe.
class Converter {
 public:
  Converter(const char *to, const char *from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter &) = delete;
  Converter &operator=(const Converter &) = delete;

  bool isOpen() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts `in`; on an invalid or incomplete sequence `skip` bytes are
  // dropped from the input and `replacement` is written in their place.
  std::string run(const char *in, size_t inLeft, size_t skip,
                  const std::string &replacement, bool *clean) {
    std::string out;
    *clean = true;
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      *clean = false;
      return out;
    }
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char buffer[4096];
    char *src = const_cast<char *>(in);
    while (inLeft > 0) {
      char *dst = buffer;
      size_t outLeft = sizeof buffer;
      size_t r = iconv(cd_, &src, &inLeft, &dst, &outLeft);
      out.append(buffer, dst - buffer);
      if (r == static_cast<size_t>(-1)) {
        if (errno == E2BIG) continue;
        *clean = false;
        size_t n = std::min(skip, inLeft);
        src += n;
        inLeft -= n;
        out += replacement;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
      }
    }
    char *dst = buffer;
    size_t outLeft = sizeof buffer;
    iconv(cd_, nullptr, nullptr, &dst, &outLeft);
    out.append(buffer, dst - buffer);
    return out;
  }

 private:
  iconv_t cd_;
};

Converter &decoder() {
  static Converter c("UTF-8", "CP932");
  return c;
}

Converter &encoder() {
  static Converter c("CP932", "UTF-32LE");
  return c;
}

// Whether code page 932 holds a character, each tried once and remembered
// (code page 932 has no shift states, so the answer never changes).
// The answers are kept in blocks of 256 characters, each made when a
// character of its block is first asked about: a text touches few blocks.
bool holds(uint c) {
  enum : char { Unknown, Yes, No };
  constexpr uint BlockSize = 256, Blocks = 0x110000 / BlockSize;
  static std::array<std::unique_ptr<std::array<char, BlockSize>>, Blocks> known;
  if (c >= Blocks * BlockSize) return false;
  auto &block = known[c / BlockSize];
  if (!block) block = std::make_unique<std::array<char, BlockSize>>();
  char &answer = (*block)[c % BlockSize];
  if (answer == Unknown) {
    bool clean = true;
    encoder().run(reinterpret_cast<const char *>(&c), sizeof c, 4, "?", &clean);
    answer = clean ? Yes : No;
  }
  return answer == Yes;
}

}  // namespace

bool available() { return decoder().isOpen() && encoder().isOpen(); }

QString unavailableMessage() {
  return QStringLiteral(
      "文字コード CP932 (Shift-JIS) の変換を用意できません。\n"
      "譜面も目次も読み書きできないため、Varnel を終了します。");
}

QString toUnicode(const QByteArray &bytes, bool *ok) {
  bool clean = true;
  // An undecodable byte is replaced by U+FFFD (EF BF BD in UTF-8).
  std::string utf8 =
      decoder().run(bytes.constData(), bytes.size(), 1, "\xEF\xBF\xBD", &clean);
  if (ok) *ok = clean;
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QByteArray fromUnicode(const QString &text, bool *ok) {
  const QList<uint> ucs4 = text.toUcs4();
  const auto *chars = reinterpret_cast<const char *>(ucs4.data());
  std::string bytes;
  bool clean = true;
  // iconv is handed only runs of characters it can hold: on every refusal
  // glibc converts its whole pending block again, which made a long text
  // of foreign characters take minutes.
  qsizetype run = 0;
  const auto flush = [&](qsizetype end) {
    bool ignored = true;
    if (end > run)
      bytes += encoder().run(chars + run * sizeof(uint),
                             (end - run) * sizeof(uint), 4, "?", &ignored);
  };
  for (qsizetype i = 0; i < ucs4.size(); ++i) {
    if (holds(ucs4[i])) continue;
    flush(i);
    bytes += '?';
    clean = false;
    run = i + 1;
  }
  flush(ucs4.size());
  if (ok) *ok = clean;
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace cp932
