#pragma once

#include <QFont>
#include <QWidget>

// What the note palette and the letter window share.
namespace tool_windows {

// The small face of the tool windows ("ＭＳ Ｐゴシック" at 12 pixels, as its
// IPA face): twelve list items fit the palette without a scroll bar and the
// captions fit their short buttons.
QFont font();

// The place of a tool window's first showing: beside the main window's
// right edge where the screen has room, else just inside it, below the
// tool bar, so that it covers as little of the page as it can.
void placeBeside(QWidget &tool, const QWidget &main);

}  // namespace tool_windows
