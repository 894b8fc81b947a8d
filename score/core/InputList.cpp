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

void InputList::truncate(int count) {
  if (count >= this->count()) return;
  const qsizetype fields = 3 * qsizetype(count);
  bytes_.truncate(fields ? ends_[fields - 1] : 0);
  ends_.resize(fields);
}

InputList InputList::take(const QList<int> &indices) {
  // One pass over the list, however many inputs go: a region of thousands
  // costs no more than one. What goes is measured first and held without
  // room to spare: the page's history keeps it.
  qsizetype takenBytes = 0;
  for (int i : indices) {
    const qsizetype first = 3 * qsizetype(i);
    takenBytes += ends_[first + 2] - (first ? ends_[first - 1] : 0);
  }
  InputList taken, kept;
  taken.reserve(takenBytes, indices.size());
  kept.reserve(bytes_.size() - takenBytes, count() - indices.size());
  for (int i = 0, k = 0; i < count(); ++i) {
    const bool chosen = k < indices.size() && indices[k] == i;
    (chosen ? taken : kept).append(content(i), x(i), y(i));
    k += chosen;
  }
  *this = std::move(kept);
  return taken;
}

void InputList::restore(const QList<int> &indices, const InputList &inputs) {
  InputList merged;
  const int total = count() + inputs.count();
  merged.reserve(bytes_.size() + inputs.byteCount(), total);
  for (int i = 0, k = 0, j = 0; i < total; ++i) {
    if (k < indices.size() && indices[k] == i) {
      merged.append(inputs.content(k), inputs.x(k), inputs.y(k));
      ++k;
    } else {
      merged.append(content(j), x(j), y(j));
      ++j;
    }
  }
  *this = std::move(merged);
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
