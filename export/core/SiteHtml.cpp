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
             "<meta name=\"viewport\" content=\"width=device-width\"/>\n"
             "<title>%1</title>\n"
             "<link rel=\"stylesheet\" href=\"%2\"/>\n"
             // Fetched with the style sheet instead of after it: on a slow
             // line the text's face comes a round trip sooner.
             "<link rel=\"preload\" href=\"%3\" as=\"font\" "
             "type=\"font/woff2\" crossorigin=\"anonymous\"/>\n")
      .arg(escape(title), QLatin1String(site_names::StyleFile),
           QLatin1String(site_names::FontWoff2File));
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
  html += QStringLiteral("<script src=\"%1\" defer=\"defer\"></script>\n")
              .arg(QLatin1String(site_names::ScriptFile));
  html += QStringLiteral("</head>\n<body>\n<nav class=\"pager\">");
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
  if (!page.paperSvg.isEmpty())
    html +=
        QStringLiteral("<div class=\"paper\">%1</div>\n").arg(page.paperSvg);
  if (!page.audioFile.isEmpty()) {
    html += QStringLiteral(
        "<p class=\"piece\"><audio controls=\"controls\" "
        "preload=\"metadata\">");
    for (const site_sound::Source &source : site_sound::sources(page.audioFile))
      html += QStringLiteral("<source src=\"%1\" type=\"%2\"/>")
                  .arg(escape(source.file), source.type);
    html += QStringLiteral("</audio></p>\n");
  }
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
  html += QStringLiteral("<ol class=\"entries\">\n");
  for (const Entry &entry : index.entries) {
    html += QStringLiteral(
                "<li style=\"margin-left: %1em\"><a href=\"%2\">%3</a></li>\n")
                .arg(qBound(0, entry.indent, 40) * 0.5)
                .arg(escape(entry.href), escape(entry.title));
  }
  html += QStringLiteral("</ol>\n</body>\n</html>\n");
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
             "}\n"
             "body {\n"
             "  margin: 1em 1.5em;\n"
             "  font-family: \"VarnelMincho\", serif;\n"
             "  font-size: 16px;\n"
             "  background: #eceae4;\n"
             "  color: #000;\n"
             "}\n"
             "h1 { font-size: 1.3em; font-weight: normal; margin: 0.5em 0; }\n"
             "nav.pager { display: flex; gap: 1.5em; align-items: baseline; }\n"
             "nav.pager .count { color: #555; }\n"
             ".paper { margin: 0.5em 0; }\n"
             ".paper svg { display: block; background: #fff; }\n"
             ".paper text {\n"
             "  font-family: \"VarnelMincho\", serif;\n"
             "  font-size: 12px;\n"
             "  white-space: pre;\n"
             "}\n"
             ".text, .note {\n"
             "  white-space: pre-wrap;\n"
             "  overflow-wrap: anywhere;\n"
             "  max-width: 48em;\n"
             "  line-height: 1.6;\n"
             "}\n"
             ".problem { color: #a00000; }\n"
             "ol.entries { list-style: none; padding-left: 0; line-height: "
             "1.8; }\n")
      .arg(QLatin1String(site_names::FontWoff2File),
           QLatin1String(site_names::FontFile));
}

QString keyScript() {
  return QStringLiteral(
      "// The arrow keys turn the pages, as the page buttons do.\n"
      "document.addEventListener(\"keydown\", function (event) {\n"
      "  if (event.altKey || event.ctrlKey || event.metaKey || event.shiftKey) "
      "return;\n"
      "  var target = event.target;\n"
      "  if (target && (target.tagName === \"AUDIO\" || target.tagName === "
      "\"INPUT\")) return;\n"
      "  var rel = event.key === \"ArrowLeft\" ? \"prev\"\n"
      "          : event.key === \"ArrowRight\" ? \"next\" : null;\n"
      "  if (!rel) return;\n"
      "  var link = document.querySelector(\"a[rel=\" + rel + \"]\");\n"
      "  if (!link) return;\n"
      "  event.preventDefault();\n"
      "  window.location.href = link.href;\n"
      "});\n");
}

}  // namespace site_html
