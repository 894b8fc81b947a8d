#pragma once

#include <QByteArray>
#include <QString>

// What makes a contents entry unusable before its page is even read: a
// name code page 932 cannot hold, a place outside the contents folder, a
// page file that is not there. The course check and the contents editor
// judge entries by these same rules.
namespace entry_check {

enum class Problem { None, NotCp932, OutsideFolder, Missing };

// The first problem of `entry` in the contents folder `contentsFolder`.
Problem problemOf(const QString &contentsFolder, const QByteArray &entry);
// The reason, worded for the user; empty for None.
QString reason(Problem problem);

// The entry that names the page file at `pagePath` from the contents folder:
// the path relative to it, "\" between folders, without ".fum". Empty, with
// the reason in `error`, when the page lies outside the folder or its name
// cannot be written in code page 932.
QByteArray entryForPage(const QString &contentsFolder, const QString &pagePath,
                        QString *error);

}  // namespace entry_check
