#pragma once

#include <QCursor>
#include <QHash>
#include <QString>

// The glyph's mouse cursor: black where the glyph is ink, transparent
// elsewhere, hot spot (16, 16) on the glyph's anchor, so that the cursor
// shows exactly the stamp a click leaves. An index outside 0..40 gives the
// plain arrow.
QCursor makeGlyphCursor(int index);

// A bitmap cursor shown `zoom` times as large, its pixels as whole blocks
// (at most 256 pixels a side), with its hot spot in the middle of the
// block of the pixel it was on. Other cursors come back as they are.
QCursor zoomedCursor(const QCursor &cursor, double zoom);

// Lookup of a glyph cursor by name, without regard to case: "NOTE0" to
// "NOTE40" give the glyph index, any other name -1.
int glyphCursorResource(const QString &name);

// The program's table of screen cursors. Glyph cursor i lives under id
// i + 1; ids 0 and below belong to the toolkit's own cursors and are never
// registered here.
class CursorTable {
 public:
  // Loads the cursor named "Note" followed by the index and registers it
  // under id index + 1, replacing what was there, and returns that id. It
  // loads afresh on every call. An index without a cursor registers nothing
  // and returns 0, the id of the default arrow.
  int registerGlyphCursor(int index);

  bool has(int id) const { return cursors_.contains(id); }
  // The cursor registered under the id; the default arrow when there is none.
  QCursor cursor(int id) const;
  // How many cursors have been loaded so far.
  int loadCount() const { return loadCount_; }

 private:
  QHash<int, QCursor> cursors_;
  int loadCount_ = 0;
};
