#pragma once

#include <QByteArray>
#include <QString>

#include "base/core/Report.h"

class QIODevice;
class ScorePage;

// Reading and writing the open page as a page file, without any window:
// what went wrong comes back as reports, for the document to show and the
// headless command line to print.
namespace page_file {

struct LoadResult {
  enum class Status {
    Loaded,  // the page is in the model; `pageText` holds its text
    NoPage,  // no page block: "Fumデータが読めません。"
    Failed,  // the file could not be read, or a header field is not a
             // number
  };
  Status status = Status::Failed;
  QByteArray pageText;
  // Why it failed, or the warnings of a page that was loaded.
  Reports reports;
};

// Reads the page at `path` into `page`: its name, header values and inputs
// (the input lists must already be empty). Header sizes the canvas cannot
// take are brought into range with a warning.
LoadResult readInto(ScorePage &page, const QString &path);
// The same from text already at hand (an open device, such as the
// clipboard's text in a buffer).
LoadResult readFrom(ScorePage &page, QIODevice &device);

struct SaveResult {
  enum class Status {
    Written,
    Refused,    // a protected page outside administrator mode
    NeedsName,  // the page has no path yet
    Failed,     // the file could not be written; the old file is intact
  };
  Status status = Status::Failed;
  Reports reports;  // why it was refused or failed
};

// Writes `page` with `pageText` to page.PagePath, as a protected page in
// administrator mode, and gives the page the internal name it was stored
// under. `maxChar` outside 7..256 is brought to the nearer bound for this
// save.
SaveResult save(ScorePage &page, const QByteArray &pageText, int maxChar,
                bool administratorMode);

// The message texts of reading and writing pages.
QString noPageMessage();
QString protectedPageMessage();
QString formatWarningMessage();
// The question asked when the name stored in a page file is not its file
// name.
QString nameQuestion(const QString &fileName, const QByteArray &internalName);

}  // namespace page_file
