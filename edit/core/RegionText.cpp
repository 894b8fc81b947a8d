#include "edit/core/RegionText.h"

#include <QList>
#include <algorithm>
#include <optional>

#include "base/core/Cp932.h"
#include "score/core/Decimal.h"

namespace region_text {
namespace {

const QByteArray LineEnd = "\r\n";
const QByteArray FullWidthBar = "\x81\x62";  // "｜"

// The lines of a text; CR LF, LF and a lone CR each end a line, and a
// text that ends with a line end has no empty line after it.
QList<QByteArrayView> linesOf(QByteArrayView text) {
  QList<QByteArrayView> lines;
  qsizetype start = 0;
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.append(text.sliced(start, i - start));
    if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < n) lines.append(text.sliced(start));
  return lines;
}

bool isControl(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b < 0x20 || b == 0x7F;
}

// A Content as the page may hold it: every single-byte "|" (not the second
// byte of a double-byte character) becomes its full-width twin, and control
// bytes become spaces, as in typed text: a page file ends at a 0x1A byte
// and knows no line break inside a field. Neither can be a trail byte.
QByteArray pageContent(QByteArrayView content) {
  if (!content.contains('|') &&
      std::none_of(content.begin(), content.end(), isControl))
    return content.toByteArray();
  QByteArray out;
  out.reserve(content.size() + 8);
  for (qsizetype i = 0; i < content.size(); ++i) {
    const char c = content[i];
    if (cp932::isLeadByte(static_cast<unsigned char>(c)) &&
        i + 1 < content.size()) {
      out.append(c).append(content[++i]);
    } else if (c == '|') {
      out.append(FullWidthBar);
    } else if (isControl(c)) {
      out.append(' ');
    } else {
      out.append(c);
    }
  }
  return out;
}

}  // namespace

QByteArray compose(const Region &region) {
  QByteArray text = Marker.toByteArray() + LineEnd;
  for (int value : region.rect) text += QByteArray::number(value) + LineEnd;
  const InputList &inputs = region.inputs;
  for (int i = 0; i < inputs.count(); ++i) {
    for (QByteArrayView field : {inputs.content(i), inputs.x(i), inputs.y(i)})
      text.append(field).append(LineEnd);
  }
  return text;
}

bool isRegionText(QByteArrayView text) {
  qsizetype end = 0;
  while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
  return text.first(end) == Marker;
}

Parsed parse(QByteArrayView text) {
  const QList<QByteArrayView> lines = linesOf(text);
  const auto line = [&lines](qsizetype k) {
    return k < lines.size() ? lines[k] : QByteArrayView();
  };
  Parsed parsed;
  for (int edge = 0; edge < 4; ++edge) {
    const std::optional<int> value = parseDecimal(line(1 + edge));
    if (!value) {
      parsed.notANumber = line(1 + edge).toByteArray();
      return parsed;
    }
    parsed.region.rect[edge] = *value;
  }
  InputList &inputs = parsed.region.inputs;
  for (qsizetype k = 5; k < lines.size(); k += 3) {
    const QByteArrayView x = line(k + 1), y = line(k + 2);
    for (QByteArrayView place : {x, y}) {
      if (!parseDecimal(place)) {
        parsed.notANumber = place.toByteArray();
        inputs.clear();
        return parsed;
      }
    }
    inputs.append(pageContent(lines[k]), x, y);
  }
  parsed.ok = true;
  return parsed;
}

}  // namespace region_text
