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

InputList::Filler::Filler(InputList &list, qsizetype maxBytes,
                          qsizetype maxInputs)
    : list_(list) {
  list_.clear();
  list_.bytes_.resize(maxBytes);
  list_.ends_.resize(3 * maxInputs);
  bytes_ = list_.bytes_.data();
  end_ = list_.ends_.data();
}

InputList::Filler::~Filler() {
  list_.bytes_.truncate(used_);
  list_.ends_.resize(end_ - list_.ends_.constData());
}
