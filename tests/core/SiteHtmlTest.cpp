#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

#include "export/core/SiteHtml.h"
#include "export/core/SiteNames.h"
#include "support/TestFiles.h"

namespace {

// What a parser makes of a document: its elements' texts by class (or by
// tag when they have none), and the scripts it would run.
struct Parsed {
  bool wellFormed = false;
  QString error;
  QMap<QString, QString> texts;
  QStringList scripts;            // the src of each script element
  QStringList links;              // every href
  QStringList sources;            // each source of the player: its src and type
  QMap<QString, QString> labels;  // aria-label by class or tag
  int styles = 0;  // style attributes, which a strict server refuses
};

Parsed parse(const QString &html) {
  Parsed parsed;
  QXmlStreamReader reader(html);
  QStringList open;
  while (!reader.atEnd()) {
    reader.readNext();
    if (reader.isStartElement()) {
      const QString cls =
          reader.attributes().value(QStringLiteral("class")).toString();
      open.append(cls.isEmpty() ? reader.name().toString() : cls);
      if (reader.name() == QStringLiteral("script"))
        parsed.scripts.append(
            reader.attributes().value(QStringLiteral("src")).toString());
      const QXmlStreamAttributes attributes = reader.attributes();
      if (reader.name() == QStringLiteral("source"))
        parsed.sources.append(
            attributes.value(QStringLiteral("src")).toString() + u' ' +
            attributes.value(QStringLiteral("type")).toString());
      if (attributes.hasAttribute(QStringLiteral("aria-label")))
        parsed.labels[open.last()] =
            attributes.value(QStringLiteral("aria-label")).toString();
      parsed.styles += attributes.hasAttribute(QStringLiteral("style"));
      if (reader.attributes().hasAttribute(QStringLiteral("href")))
        parsed.links.append(
            reader.attributes().value(QStringLiteral("href")).toString());
    } else if (reader.isEndElement()) {
      open.removeLast();
    } else if (reader.isCharacters() && !open.isEmpty()) {
      parsed.texts[open.last()] += reader.text();
    }
  }
  parsed.wellFormed = !reader.hasError();
  parsed.error = reader.errorString();
  return parsed;
}

const QString Hostile[] = {
    QStringLiteral("<script>alert('x')</script>"),
    QStringLiteral("\"><img src=x onerror=alert(1)>"),
    QStringLiteral("Tom & Jerry &amp; &lt; &#0; ]]> <!-- -->"),
    QStringLiteral("'single' \"double\" `back`"),
    QStringLiteral("ト音記号の音 </h1></body></html>"),
    QString(5000, QLatin1Char('W')) + QStringLiteral(" long line"),
};

TEST(SiteHtml, EscapedTextComesBackAsTheSameText) {
  const struct {
    QString in, out;
  } cases[] = {
      {QStringLiteral("a<b>&c"), QStringLiteral("a&lt;b&gt;&amp;c")},
      // Characters no document may hold would make the page invalid.
      {QStringLiteral("a\x01"
                      "b\x7F"
                      "c"),
       QStringLiteral("a\uFFFDb\uFFFDc")},
      {QString(QChar(0xD800)) + QStringLiteral("x"), QStringLiteral("\uFFFDx")},
      {QStringLiteral("😀"), QStringLiteral("😀")},
  };
  for (const auto &c : cases)
    EXPECT_EQ(site_html::escape(c.in), c.out) << c.in.toStdString();
}

TEST(SiteHtml, HostileTitlesAndTextsMakeValidPagesShowingThemAsText) {
  for (const QString &text : Hostile) {
    SCOPED_TRACE(text.left(60).toStdString());
    site_html::Page page;
    page.courseTitle = text;
    page.title = text;
    page.text = text + QStringLiteral("\n") + text;
    page.paperSvg =
        QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\"/>");
    page.paperDescription = {text, text};
    page.audioFiles = {QStringLiteral("p001.mp3"), QStringLiteral("p001.ogg")};
    page.previous = site_html::Link{QStringLiteral("p000.html"), text};
    page.next = site_html::Link{QStringLiteral("p002.html"), text};
    const Parsed parsed = parse(site_html::page(page));
    ASSERT_TRUE(parsed.wellFormed) << parsed.error.toStdString();
    EXPECT_EQ(parsed.texts[QStringLiteral("h1")], text);
    EXPECT_EQ(parsed.texts[QStringLiteral("title")],
              text + QStringLiteral(" - ") + text);
    EXPECT_EQ(parsed.texts[QStringLiteral("text")], page.text);
    // The paper and the player are named for a screen reader, the paper
    // described staff by staff.
    EXPECT_EQ(parsed.labels[QStringLiteral("paper")],
              QStringLiteral("五線譜「%1」").arg(text));
    EXPECT_EQ(parsed.labels[QStringLiteral("audio")],
              QStringLiteral("「%1」の曲").arg(text));
    EXPECT_EQ(parsed.texts[QStringLiteral("li")], text + text);
    // MP3 first, which every browser plays.
    EXPECT_EQ(parsed.sources,
              (QStringList{QStringLiteral("p001.mp3 audio/mpeg"),
                           QStringLiteral("p001.ogg audio/ogg; codecs=opus")}));
    EXPECT_EQ(parsed.styles, 0);
    EXPECT_EQ(parsed.scripts,
              QStringList{QLatin1String(site_names::ScriptFile)});
    EXPECT_EQ(
        parsed.links,
        (QStringList{QStringLiteral("site.css"),
                     QStringLiteral("varnel-mincho.woff2"),
                     QStringLiteral("p000.html"), QStringLiteral("index.html"),
                     QStringLiteral("p002.html"), QStringLiteral("#staves"),
                     QStringLiteral("p001.mp3")}));

    site_html::Index index{text,
                           text,
                           {{text, 2, QStringLiteral("p001.html")},
                            {text, 0, QStringLiteral("p002.html")},
                            {text, 500, QStringLiteral("p003.html")}},
                           QString()};
    const QString contentsHtml = site_html::index(index);
    const Parsed contents = parse(contentsHtml);
    ASSERT_TRUE(contents.wellFormed) << contents.error.toStdString();
    EXPECT_EQ(contents.texts[QStringLiteral("h1")], text);
    EXPECT_EQ(contents.texts[QStringLiteral("note")], text);
    EXPECT_EQ(contents.texts[QStringLiteral("a")],
              QStringLiteral("続きから") + text + text + text);
    // Indented by classes, the deepest cut at 40.
    EXPECT_TRUE(contentsHtml.contains(
        QStringLiteral("<li class=\"indent-2\"><a href=\"p001.html\">")));
    EXPECT_TRUE(
        contentsHtml.contains(QStringLiteral("<li><a href=\"p002.html\">")));
    EXPECT_TRUE(contentsHtml.contains(
        QStringLiteral("<li class=\"indent-40\"><a href=\"p003.html\">")));
    EXPECT_EQ(contents.styles, 0);
    // Every indentation the index uses has its rule.
    EXPECT_TRUE(site_html::styleSheet().contains(
        QStringLiteral("li.indent-40 { margin-left: 20em; }")));
  }
}

// Every page says where it stands in the course, the first and the last
// (without a previous or a next page) as well as those between.
TEST(SiteHtml, EveryPageShowsItsNumberOfTheCount) {
  const struct {
    int number, count;
    const char *shown;
  } cases[] = {{1, 1, "1 / 1"},
               {1, 3, "1 / 3"},
               {2, 3, "2 / 3"},
               {3, 3, "3 / 3"},
               {12, 120, "12 / 120"}};
  for (const auto &c : cases) {
    site_html::Page page;
    page.title = QStringLiteral("ページ");
    page.number = c.number;
    page.count = c.count;
    if (c.number > 1)
      page.previous = site_html::Link{QStringLiteral("p.html"), {}};
    if (c.number < c.count)
      page.next = site_html::Link{QStringLiteral("n.html"), {}};
    const Parsed parsed = parse(site_html::page(page));
    ASSERT_TRUE(parsed.wellFormed) << parsed.error.toStdString();
    EXPECT_EQ(parsed.texts[QStringLiteral("count")], QLatin1String(c.shown));
  }
}

TEST(SiteNames, PageNamesAreSafeForAnyServerAndDistinct) {
  static const QRegularExpression safe(
      QStringLiteral("^p[0-9]{3,}(-[a-z0-9]+(-[a-z0-9]+)*)?$"));
  const struct {
    int number;
    QString name, stem;
  } cases[] = {
      {1, QStringLiteral("はじめに"), QStringLiteral("p001")},
      {13, QStringLiteral("extra\\かえるの合唱"), QStringLiteral("p013-extra")},
      {2, QStringLiteral("Lesson 2: C Major"),
       QStringLiteral("p002-lesson-2-c-major")},
      {3, QStringLiteral("../../etc/passwd"),
       QStringLiteral("p003-etc-passwd")},
      {4, QStringLiteral("a?b#c%20d&e"), QStringLiteral("p004-a-b-c-20d-e")},
      {6, QStringLiteral("ＡＢＣ全角"), QStringLiteral("p006")},
  };
  QSet<QString> seen;
  for (const auto &c : cases) {
    const QString stem = site_names::pageStem(c.number, c.name);
    EXPECT_EQ(stem, c.stem) << c.name.toStdString();
    EXPECT_TRUE(safe.match(stem).hasMatch()) << stem.toStdString();
    seen.insert(stem);
  }
  EXPECT_EQ(seen.size(), std::size(cases));
  EXPECT_LE(site_names::pageStem(7, QString(500, QLatin1Char('x'))).size(), 45);
}

TEST(SiteNames, TitlesShowTheEntryWithoutItsFolders) {
  const struct {
    QString entry, shown;
  } cases[] = {
      {QStringLiteral("かえるの合唱"), QStringLiteral("かえるの合唱")},
      {QStringLiteral("extra\\かえるの合唱"), QStringLiteral("かえるの合唱")},
      {QStringLiteral("a\\b/c\\きらきら星"), QStringLiteral("きらきら星")},
      {QStringLiteral("extra\\"), QStringLiteral("extra\\")},
  };
  for (const auto &c : cases)
    EXPECT_EQ(site_names::shownTitle(c.entry), c.shown)
        << c.entry.toStdString();
}

}  // namespace
