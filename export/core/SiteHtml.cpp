#include "export/core/SiteHtml.h"

#include "export/core/SiteNames.h"
#include "export/core/SiteSound.h"

namespace site_html {
namespace {

bool allowed(char32_t c) {
  if (c == '\t' || c == '\n') return true;
  if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return false;
  if (c >= 0xFDD0 && c <= 0xFDEF) return false;
  if ((c & 0xFFFE) == 0xFFFE) return false;
  return true;
}

QString head(const QString &title) {
  return QStringLiteral(
             "<!DOCTYPE html>\n"
             "<html lang=\"ja\">\n<head>\n"
             "<meta charset=\"utf-8\"/>\n"
             "<meta name=\"viewport\" "
             "content=\"width=device-width, initial-scale=1\"/>\n"
             "<title>%1</title>\n"
             "<link rel=\"stylesheet\" href=\"%2\"/>\n"
             // Fetched with the style sheet instead of after it: on a slow
             // line the text's face comes a round trip sooner.
             "<link rel=\"preload\" href=\"%4\" as=\"font\" "
             "type=\"font/woff2\" crossorigin=\"anonymous\"/>\n"
             "<script src=\"%3\" defer=\"defer\"></script>\n")
      .arg(escape(title), QLatin1String(site_names::StyleFile),
           QLatin1String(site_names::ScriptFile),
           QLatin1String(site_names::FontWoff2File));
}

// The MIME type a browser needs to pass over a file it cannot play: the
// site's own pieces say theirs; any other is told by its extension.
QString audioType(const QString &file) {
  const QString stem = file.left(file.lastIndexOf(QLatin1Char('.')));
  for (const site_sound::Source &source : site_sound::sources(stem))
    if (source.file == file) return source.type;
  if (file.endsWith(QLatin1String(".mp3"), Qt::CaseInsensitive))
    return QStringLiteral("audio/mpeg");
  return QStringLiteral("audio/ogg");
}

QString player(const Page &page) {
  QString html = QStringLiteral(
                     "<p class=\"piece\"><audio controls=\"controls\" "
                     "preload=\"metadata\" aria-label=\"「%1」の曲\">")
                     .arg(escape(page.title));
  for (const QString &file : page.audioFiles)
    html += QStringLiteral("<source src=\"%1\" type=\"%2\"/>")
                .arg(escape(file), audioType(file));
  // Where the browser plays none, the file itself can still be fetched.
  html += QStringLiteral("<a href=\"%1\">曲を聴く</a></audio></p>\n")
              .arg(escape(page.audioFiles.first()));
  return html;
}

// The paper is one picture to a screen reader, named after the page and
// described in words beneath it, which a reader may also open and read.
QString paper(const Page &page) {
  QString html = QStringLiteral(
                     "<div class=\"paper\" role=\"img\" "
                     "aria-label=\"五線譜「%1」\" "
                     "aria-describedby=\"staves\">%2</div>\n")
                     .arg(escape(page.title), page.paperSvg);
  // The list shows when its link is followed, also without the script.
  html += QStringLiteral(
      "<p class=\"staves-link\"><a href=\"#staves\">"
      "五線譜の内容を文字で読む</a></p>\n<ol id=\"staves\" class=\"staves\">");
  for (const QString &line : page.paperDescription)
    html += QStringLiteral("<li>%1</li>").arg(escape(line));
  if (page.paperDescription.isEmpty())
    html += QStringLiteral("<li>何も書かれていません。</li>");
  html += QStringLiteral("</ol>\n");
  return html;
}

QString link(const std::optional<Link> &to, const char *rel,
             const QString &label) {
  if (!to)
    return QStringLiteral("<span class=\"%1\"></span>").arg(QLatin1String(rel));
  return QStringLiteral(
             "<a rel=\"%1\" class=\"%1\" href=\"%2\" title=\"%3\">%4</a>")
      .arg(QLatin1String(rel), escape(to->href), escape(to->title), label);
}

}  // namespace

QString escape(QStringView text) {
  QString out;
  out.reserve(text.size() + text.size() / 8);
  const QChar replacement(QChar::ReplacementCharacter);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    char32_t code = c.unicode();
    if (c.isHighSurrogate() && i + 1 < text.size() &&
        text[i + 1].isLowSurrogate()) {
      code = QChar::surrogateToUcs4(c, text[i + 1]);
      if (allowed(code)) {
        out += c;
        out += text[i + 1];
      } else {
        out += replacement;
      }
      ++i;
      continue;
    }
    if (c.isSurrogate() || !allowed(code)) {
      out += replacement;
      continue;
    }
    switch (code) {
      case '&':
        out += QLatin1String("&amp;");
        break;
      case '<':
        out += QLatin1String("&lt;");
        break;
      case '>':
        out += QLatin1String("&gt;");
        break;
      case '"':
        out += QLatin1String("&quot;");
        break;
      case '\'':
        out += QLatin1String("&#39;");
        break;
      default:
        out += c;
    }
  }
  return out;
}

QString page(const Page &page) {
  QString html = head(page.title + QStringLiteral(" - ") + page.courseTitle);
  html += QStringLiteral(
      "</head>\n<body class=\"page\">\n"
      "<nav class=\"pager\" aria-label=\"ページ送り\">");
  html += link(page.previous, "prev", QStringLiteral("&#8592; 前のページ"));
  html += QStringLiteral(
              "<a rel=\"index\" class=\"index\" href=\"%1\">目次</a>"
              "<span class=\"count\">%2 / %3</span>")
              .arg(QLatin1String(site_names::IndexFile))
              .arg(page.number)
              .arg(page.count);
  html += link(page.next, "next", QStringLiteral("次のページ &#8594;"));
  html += QStringLiteral("</nav>\n<h1>%1</h1>\n").arg(escape(page.title));
  if (!page.problem.isEmpty())
    html += QStringLiteral("<p class=\"problem\">%1</p>\n")
                .arg(escape(page.problem));
  if (!page.paperSvg.isEmpty()) html += paper(page);
  if (!page.audioFiles.isEmpty()) html += player(page);
  if (!page.text.isEmpty())
    html +=
        QStringLiteral("<div class=\"text\">%1</div>\n").arg(escape(page.text));
  html += QStringLiteral("</body>\n</html>\n");
  return html;
}

QString index(const Index &index) {
  QString html = head(index.title);
  html += QStringLiteral("</head>\n<body class=\"contents\">\n<h1>%1</h1>\n")
              .arg(escape(index.title));
  if (!index.note.isEmpty())
    html +=
        QStringLiteral("<p class=\"note\">%1</p>\n").arg(escape(index.note));
  // Shown by the script, once it knows a page the reader has read.
  html +=
      QStringLiteral(
          "<p class=\"resume\" hidden=\"hidden\"><a href=\"%1\">続きから</a>"
          "</p>\n<ol class=\"entries\">\n")
          .arg(index.entries.isEmpty() ? QString()
                                       : escape(index.entries[0].href));
  for (const Entry &entry : index.entries) {
    const int indent = qBound(0, entry.indent, MaxIndent);
    html += QStringLiteral("<li%1><a href=\"%2\">%3</a></li>\n")
                .arg(indent ? QStringLiteral(" class=\"indent-%1\"").arg(indent)
                            : QString())
                .arg(escape(entry.href), escape(entry.title));
  }
  html += QStringLiteral("</ol>\n");
  if (!index.booklet.isEmpty())
    html += QStringLiteral(
                "<p class=\"booklet\"><a href=\"%1\">印刷用の冊子（PDF）</a>"
                "</p>\n")
                .arg(escape(index.booklet));
  html += QStringLiteral("</body>\n</html>\n");
  return html;
}

QString styleSheet() {
  return QStringLiteral(
             "@font-face {\n"
             "  font-family: \"VarnelMincho\";\n"
             "  src: url(\"%1\") format(\"woff2\"),\n"
             "       url(\"%2\") format(\"truetype\");\n"
             // The text shows at once in the reader's own serif face until
             // the font has come.
             "  font-display: swap;\n"
             "}\n")
             .arg(QLatin1String(site_names::FontWoff2File),
                  QLatin1String(site_names::FontFile)) +
         layoutRules();
}

}  // namespace site_html
