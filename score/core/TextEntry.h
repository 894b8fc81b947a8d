#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Typed text on its way into the page. A page file cannot tell a
// single-byte "|" from its field separator, reads a text input that starts
// with a backquote as a glyph, and holds only what code page 932 holds.
// The first two are given their full-width twins, which look the same on
// the page; characters code page 932 lacks are named to the user instead.
namespace text_entry {

// The characters of `typed` that code page 932 cannot hold, each once, in
// the order they first appear; empty when all can be held.
QString unheldCharacters(const QString &typed);

// A run of characters that code page 932 cannot hold: where it starts in
// a text and how many UTF-16 units it takes.
struct UnheldRun {
  qsizetype start = 0;
  qsizetype length = 0;
  bool operator==(const UnheldRun &) const = default;
};

// The runs of such characters in a page text typed as `typed`, in order.
// Line and paragraph separators are line breaks there, which it holds.
QList<UnheldRun> unheldRuns(const QString &typed);

// `typed` without those runs; their characters, each once in the order
// they first appear, go to `unheld` (when given).
QString withoutUnheld(const QString &typed, QString *unheld = nullptr);

// The message that names such characters.
QString unheldMessage(const QString &unheld);

// The Content of a text input typed as `typed` (the letter window's field):
// "|" becomes "｜", a leading "`" becomes "｀", control characters become
// spaces. Characters that cannot be held come back as "?" and are listed in
// `unheld` (when given).
QByteArray inputTextFromTyped(const QString &typed, QString *unheld = nullptr);

// The page text typed in the text window, lines separated by "\n" (a CR,
// CR LF or Unicode line separator counts as one line break too): line
// breaks become CR LF, "|" becomes "｜", control characters other than the
// tab become spaces. Unheld characters as above.
QByteArray pageTextFromTyped(const QString &typed, QString *unheld = nullptr);

// How much of a page text a window takes in: more would keep it busy for
// seconds laying out lines nobody reads at once.
inline constexpr qsizetype ShownTextLimit = 1024 * 1024;
// The head of `pageText` that fits in `limit` bytes, ending at a line end
// where there is one and never inside a double-byte character; the whole
// text when it fits.
QByteArray shownHead(const QByteArray &pageText,
                     qsizetype limit = ShownTextLimit);

}  // namespace text_entry
