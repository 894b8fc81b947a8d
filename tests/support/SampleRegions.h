#pragma once

#include <QByteArray>
#include <QString>

// The region text of two inputs, a glyph at (150, 72) and a letter at
// (200, 100), in the rectangle (100, 40)-(300, 120): as the region commands
// write it, and as the clipboard holds it.
inline const QByteArray TwoInputRegionBytes =
    "%Fum%\r\n100\r\n40\r\n300\r\n120\r\n"
    "`14\r\n150\r\n72\r\nA\r\n200\r\n100\r\n";
inline const QString TwoInputRegionText =
    QString::fromLatin1(TwoInputRegionBytes);
