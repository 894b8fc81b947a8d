#pragma once

#include <QByteArray>
#include <QString>

class Messages;
class QIODevice;
class ScorePage;

// Reading and writing the open page as a page file, with the program's
// messages, but without any window: the main window adds the canvas, the
// text window and the MIDI file around these, and the headless command
// line uses them as they are.
namespace page_file {

struct LoadResult {
  enum class Status {
    Loaded,  // the page is in the model; `pageText` holds its text
    NoPage,  // no page block: "Fumデータが読めません。" was shown
    Failed,  // the file could not be read, or a header field is not a
             // number: the error was shown
  };
  Status status = Status::Failed;
  QByteArray pageText;
};

// Reads the page at `path` into `page`: its name, header values and inputs
// (the input lists must already be empty). Reports every problem through
// `messages`. Header sizes the canvas cannot take are brought into range
// with a warning.
LoadResult readInto(ScorePage &page, const QString &path, Messages &messages);
// The same from text already at hand (an open device, such as the
// clipboard's text in a buffer).
LoadResult readFrom(ScorePage &page, QIODevice &device, Messages &messages);

enum class SaveResult {
  Written,
  Refused,    // a protected page outside administrator mode: reported
  NeedsName,  // the page has no path yet
  Failed,     // the file could not be written: reported, old file intact
};

// Writes `page` with `pageText` to page.PagePath, as a protected page in
// administrator mode. `maxChar` outside 7..256 is brought to the nearer
// bound for this save.
SaveResult save(ScorePage &page, const QByteArray &pageText, int maxChar,
                bool administratorMode, Messages &messages);

// The message texts of reading and writing pages.
QString noPageMessage();
QString protectedPageMessage();
QString formatWarningMessage();
// The question asked when the name stored in a page file is not its file
// name.
QString nameQuestion(const QString &fileName, const QByteArray &internalName);

}  // namespace page_file
