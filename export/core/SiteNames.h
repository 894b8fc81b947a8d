#pragma once

#include <QString>

// The names of the site's files. Any web server, file share or CDN must
// serve them unchanged, so they are lower-case ASCII letters, digits and
// "-" only; the Japanese titles stay in the pages themselves.
namespace site_names {

inline constexpr char IndexFile[] = "index.html";
inline constexpr char StyleFile[] = "site.css";
inline constexpr char ScriptFile[] = "keys.js";
// The subset of the Mincho face the pages use, under a name of its own,
// with the licence it is given under and a note on where its original is.
inline constexpr char FontFile[] = "varnel-mincho.ttf";
inline constexpr char FontWoff2File[] = "varnel-mincho.woff2";
inline constexpr char FontLicenceFile[] = "varnel-mincho-licence.txt";
inline constexpr char FontNoteFile[] = "varnel-mincho-readme.txt";

// The stem of page `number` (from 1) of a course: "p" and the number in at
// least three digits, then the ASCII letters and digits of the page's name,
// if it has any, after a "-" ("p007-extra-sample"). Distinct numbers make
// distinct stems whatever the names.
QString pageStem(int number, const QString &pageName);

// The title a reader sees for a contents entry: its name without the
// folders it lies in ("extra\かえるの合唱" shows as "かえるの合唱"), which
// would say nothing to a reader and which the Mincho face draws with a yen
// sign.
QString shownTitle(const QString &entryName);

}  // namespace site_names
