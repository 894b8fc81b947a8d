#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <algorithm>
#include <cstring>

// The inputs of a page in drawing order, each a Content, an X and a Y held
// as the bytes the page file holds. The three texts of an input are kept
// together, so the page can never have more contents than positions; and
// all of them lie back to back in one block, so that a page costs little
// more memory than its file even when it is made of nothing but
// separators.
class InputList {
 public:
  // The largest number of bytes the fields of one page may take together.
  static constexpr qsizetype MaxBytes = 0xFFFFFFFF;

  int count() const { return static_cast<int>(ends_.size() / 3); }
  bool isEmpty() const { return ends_.isEmpty(); }

  // The texts of input i. A view is valid until the list next changes.
  QByteArrayView content(int i) const { return field(3 * qsizetype(i)); }
  QByteArrayView x(int i) const { return field(3 * qsizetype(i) + 1); }
  QByteArrayView y(int i) const { return field(3 * qsizetype(i) + 2); }

  // False, with nothing appended, when the page would outgrow MaxBytes.
  bool append(QByteArrayView content, QByteArrayView x, QByteArrayView y);
  bool append(QByteArrayView content, int x, int y);
  void removeAt(int i);
  // Keeps the first `count` inputs.
  void truncate(int count);
  // Takes out the inputs at `indices` (ascending, each in the list) and
  // returns them in order; restore() with the same indices puts them back
  // where they were.
  InputList take(const QList<int> &indices);
  void restore(const QList<int> &indices, const InputList &inputs);
  void clear();
  // Room for `bytes` of fields and `inputs` inputs, so that a reader that
  // knows the most it will append never grows the list twice.
  void reserve(qsizetype bytes, qsizetype inputs);
  // Bytes held by the fields (not counting the bookkeeping).
  qsizetype byteCount() const { return bytes_.size(); }

  // Fills a list from the start with the fields cut out of `source`, in
  // two steps: the reader writes the positions of the "|" that end the
  // fields into the room cutSlots() gives, then takeCuts() copies the
  // fields. The reader's fast way in: no check or reallocation per field.
  // Fields of an incomplete input at the end are dropped when the filler
  // goes.
  class Filler {
   public:
    // Room for `maxCuts` positions, and Slack more for a reader that writes
    // a few beyond the last.
    Filler(InputList &list, QByteArrayView source, qsizetype maxCuts);
    ~Filler();
    Filler(const Filler &) = delete;
    Filler &operator=(const Filler &) = delete;
    static constexpr qsizetype Slack = 16;
    quint32 *cutSlots() { return list_.ends_.data(); }
    // The first `count` positions written, in increasing order, become
    // fields; the first field starts at `start`.
    void takeCuts(qsizetype start, qsizetype count);
    qsizetype fieldCount() const { return fields_; }

   private:
    InputList &list_;
    QByteArrayView source_;
    qsizetype fields_ = 0;
  };

  bool operator==(const InputList &other) const {
    // Not QList's own ==, which hands memcmp a null pointer when one of
    // two empty lists has never held anything.
    return bytes_ == other.bytes_ &&
           std::equal(ends_.cbegin(), ends_.cend(), other.ends_.cbegin(),
                      other.ends_.cend());
  }

 private:
  QByteArrayView field(qsizetype k) const {
    const quint32 start = k ? ends_[k - 1] : 0;
    return QByteArrayView(bytes_.constData() + start, ends_[k] - start);
  }

  QByteArray bytes_;
  QList<quint32> ends_;  // where each field ends in bytes_, three an input
};
