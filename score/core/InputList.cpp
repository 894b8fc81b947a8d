#include "score/core/InputList.h"

bool InputList::append(QByteArrayView content, QByteArrayView x,
                       QByteArrayView y) {
  const qsizetype added = content.size() + x.size() + y.size();
  if (added > MaxBytes - bytes_.size()) return false;
  for (QByteArrayView text : {content, x, y}) {
    bytes_.append(text);
    ends_.append(static_cast<quint32>(bytes_.size()));
  }
  return true;
}

bool InputList::append(QByteArrayView content, int x, int y) {
  return append(content, QByteArray::number(x), QByteArray::number(y));
}

void InputList::removeAt(int i) {
  const qsizetype first = 3 * qsizetype(i);
  const quint32 start = first ? ends_[first - 1] : 0;
  const quint32 removed = ends_[first + 2] - start;
  bytes_.remove(start, removed);
  ends_.remove(first, 3);
  for (qsizetype k = first; k < ends_.size(); ++k) ends_[k] -= removed;
}

void InputList::clear() {
  bytes_.clear();
  ends_.clear();
}

void InputList::reserve(qsizetype bytes, qsizetype inputs) {
  bytes_.reserve(bytes);
  ends_.reserve(3 * inputs);
}

InputList::Filler::Filler(InputList &list, QByteArrayView source,
                          qsizetype maxCuts)
    : list_(list), source_(source) {
  list_.clear();
  // The fields take at most the source's bytes; the slack takes the tail
  // of a fixed-size copy.
  list_.bytes_.resize(source.size() + Slack);
  list_.ends_.resize(maxCuts + Slack);
}

void InputList::Filler::takeCuts(qsizetype start, qsizetype count) {
  quint32 *ends = list_.ends_.data();
  char *to = list_.bytes_.data();
  const char *from = source_.data();
  const qsizetype lastFast = source_.size() - Slack;
  qsizetype used = 0;
  // Each position is read before its slot takes the field's end.
  for (qsizetype k = 0; k < count; ++k) {
    const qsizetype cut = ends[k];
    const qsizetype size = cut - start;
    // Fields are mostly a few bytes: a fixed-size copy into the room at
    // the end costs less than a call to memcpy.
    if (size <= Slack && start <= lastFast)
      std::memcpy(to + used, from + start, Slack);
    else
      std::memcpy(to + used, from + start, size);
    used += size;
    ends[k] = static_cast<quint32>(used);
    start = cut + 1;
  }
  fields_ = count;
}

InputList::Filler::~Filler() {
  const qsizetype whole = fields_ / 3 * 3;
  list_.ends_.resize(whole);
  list_.bytes_.truncate(whole ? list_.ends_[whole - 1] : 0);
}
