#pragma once

#include <QList>
#include <QString>
#include <optional>

// The HTML, CSS and key script of a course's website. Every text from a
// course (titles, note, page text) is escaped, so whatever a page holds
// shows as text. The markup is also well-formed XML, so any XML reader can
// check it.
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
  QString paperSvg;   // markup, made by the program
  QString text;       // plain text, lines separated by LF
  QString audioFile;  // the stem of the piece's files, empty when none
  QString problem;    // why the page could not be shown, or empty
  std::optional<Link> previous, next;
};

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
};

QString page(const Page &page);
QString index(const Index &index);
QString styleSheet();
// The only script of the site: the left and right arrow keys follow the
// previous and next links.
QString keyScript();

}  // namespace site_html
