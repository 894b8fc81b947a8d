#pragma once

#include <QList>
#include <QStringList>

class ScorePage;

// What a page's staff paper shows, told in words for a reader who cannot
// see it: staff by staff from the top, each staff's marks from left to
// right, a glyph by its name and a text as itself.
namespace staff_description {

struct Staff {
  int number = 1;     // from 1 at the top
  QStringList items;  // glyph names, and texts in 「」
};

// The staves that hold anything, in reading order. Only the marks that the
// paper shows count: those drawn before any input that stops the drawing.
QList<Staff> describe(const ScorePage &page);

// One staff as a line of text: "1段目：ト音記号、四分音符、「ド」".
QString sentence(const Staff &staff);

// Every staff of describe() as its sentence.
QStringList sentences(const ScorePage &page);

}  // namespace staff_description
