#pragma once

#include <QWidget>
#include <functional>

// Calls `then` once, on the program's thread, right after the window's
// first paint has reached the screen: what the first paint does not need
// waits until then.
void afterFirstPaint(QWidget &window, std::function<void()> then);

// True when the program is to quit right after its first paint
// (VARNEL_QUIT_AFTER_FIRST_PAINT=1): how start-up is measured.
bool quitAfterFirstPaintWanted();
