#include "export/core/SiteHtml.h"

namespace site_html {
namespace {

// Phone first: everything fits the width of the screen. The paper keeps
// its viewBox and is only scaled, so it stays sharp; a tap (the script's
// "full" class) shows it at full size, scrolled inside its own box.
constexpr char Screen[] = R"css(body {
  margin: 1em;
  font-family: "VarnelMincho", serif;
  font-size: 16px;
  line-height: 1.5;
  background: #eceae4;
  color: #000;
}
h1 {
  font-size: 1.3em;
  font-weight: normal;
  margin: 0.5em 0;
  overflow-wrap: anywhere;
}
nav.pager {
  display: flex;
  flex-wrap: wrap;
  gap: 0.25em 1.5em;
  align-items: baseline;
}
nav.pager > * { white-space: nowrap; }
nav.pager > span:empty { display: none; }
nav.pager .count { color: #555; }
.paper { margin: 0.5em 0; }
.paper svg {
  display: block;
  max-width: 100%;
  height: auto;
  background: #fff;
}
.paper.scaled { cursor: zoom-in; }
.paper.full { overflow-x: auto; cursor: zoom-out; }
.paper.full svg { max-width: none; }
.paper text {
  font-family: "VarnelMincho", serif;
  font-size: 12px;
  white-space: pre;
}
.staves-link { margin: 0.25em 0; font-size: 0.9em; }
.staves { margin: 0.5em 0; padding-left: 1.5em; }
.staves:not(:target) { display: none; }
.text, .note, .problem {
  white-space: pre-wrap;
  overflow-wrap: anywhere;
  max-width: 48em;
  line-height: 1.6;
}
.piece audio { max-width: 100%; }
.problem { color: #a00000; }
ol.entries { list-style: none; padding-left: 0; line-height: 1.8; }
ol.entries a { overflow-wrap: anywhere; }
ol.entries li.visited a::after {
  content: " \2713";
  content: " \2713" / "（既読）";
}
.resume a { font-size: 1.1em; }
@media (min-width: 40em) {
  body { margin: 1em 1.5em; }
}
@media print {
  body { background: #fff; margin: 0; }
  nav.pager, .piece, .staves-link, .staves, .resume { display: none; }
  .paper { break-inside: avoid; }
  .paper.full svg { max-width: 100%; }
  .paper svg { background: none; }
}
)css";

}  // namespace

QString layoutRules() {
  QString css = QString::fromUtf8(Screen);
  // The index's indentation, half a character per character of the entry:
  // classes rather than style attributes, which a strict server forbids.
  for (int indent = 1; indent <= MaxIndent; ++indent)
    css += QStringLiteral("li.indent-%1 { margin-left: %2em; }\n")
               .arg(indent)
               .arg(indent * 0.5);
  return css;
}

}  // namespace site_html
