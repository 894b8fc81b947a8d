#pragma once

class Playback;
class QBoxLayout;
class QWidget;

// Where the piece is, on the tool bar: the time played and the piece's
// length, and a slider that a drag or a click sends the piece to, playing
// from there. Shown while a piece can be played.
namespace piece_position {

// Adds the time ("PieceTime") and the slider ("PiecePosition") to the row.
void add(QBoxLayout *row, QWidget *panel, Playback &playback);

}  // namespace piece_position
