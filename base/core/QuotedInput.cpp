#include "base/core/QuotedInput.h"

namespace quoted_input {

QString head(const QString &text) {
  if (text.size() <= MaxQuoted) return text;
  qsizetype cut = MaxQuoted;
  // A character outside the basic plane is quoted whole or not at all.
  if (text[cut - 1].isHighSurrogate()) --cut;
  return text.left(cut) + QChar(0x2026);
}

}  // namespace quoted_input
