#pragma once

#include <QString>

// File lookups for courses and paths that come from Windows, where letter
// case does not matter.

// Finds an existing file: the path as it is, else each component matched
// without regard to letter case, folder by folder (the exact name first,
// then the first match in name order). Returns the path with the names as
// they really are, or empty when there is no such file.
QString findFileIgnoringCase(const QString &path);

// The long form of a path: Linux has no short names, so this is the path
// itself, made absolute from the current folder, when it names an existing
// regular file, else empty.
QString expandLongPath(const QString &path);

// The same path with the extension of its file name replaced (`newExtension`
// with its dot, e.g. ".mid"), looked up like findFileIgnoringCase; empty
// when there is none.
QString findSibling(const QString &path, const QString &newExtension);
