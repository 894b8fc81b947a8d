#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The HTML, CSS and script of a course's website. Every text from a course
// (titles, note, page text) is escaped, so whatever a page holds shows as
// text. The markup is also well-formed XML, so any XML reader can check it,
// and holds no style attribute or inline script, so that a server may
// forbid both. Everything but the remembered progress works without the
// script.
namespace site_html {

// Text made safe for HTML content and attribute values. Characters no HTML
// document may hold (controls other than tab and line feed, unpaired
// surrogates, non-characters) become U+FFFD.
QString escape(QStringView text);

struct Link {
  QString href;
  QString title;
};

// One page of the course.
struct Page {
  QString courseTitle;
  QString title;
  int number = 1;  // from 1
  int count = 1;
  QString paperSvg;  // markup, made by the program
  // What the paper shows in words, for those who cannot see it: one line
  // per staff.
  QStringList paperDescription;
  QString text;  // plain text, lines separated by LF
  // The piece's sound files, the one most browsers play first; none when
  // the page has no piece.
  QStringList audioFiles;
  QString problem;  // why the page could not be shown, or empty
  std::optional<Link> previous, next;
};

// The deepest indentation the index shows, in characters.
inline constexpr int MaxIndent = 40;

// One line of the contents.
struct Entry {
  QString title;
  int indent = 0;  // the entry's indentation, in characters
  QString href;
};

struct Index {
  QString title;
  QString note;
  QList<Entry> entries;
  QString booklet;  // the printable booklet's file, or empty
};

QString page(const Page &page);
QString index(const Index &index);
QString styleSheet();
// The style sheet but for the font: the layout on screens of any width and
// on paper.
QString layoutRules();
// The only script of the site: the arrow keys and a swipe follow the
// previous and next links, a tap shows the paper at full size, and the
// pages read are remembered for the index.
QString keyScript();

}  // namespace site_html
