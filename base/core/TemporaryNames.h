#pragma once

#include <QByteArray>

// The names of the temporary files a whole-file write puts beside its
// target: "page.fum.varnel-" and six letters or digits. Where the file
// system allows, a temporary file has a name only for the moment between
// taking one and replacing the target, but a program killed in that moment
// leaves it behind, whole; the next write of the same target removes it.
namespace temporary_names {

// A fresh candidate for a temporary file beside `target` (a local path).
QByteArray candidate(const QByteArray &target);

// Whether `name` (a file name, no folder) is one of those candidates.
bool isTemporaryFor(const QByteArray &targetName, const QByteArray &name);

// Removes the temporary files left beside `target` by writes that never
// finished: only regular files of this user, of the pattern, with no
// other name, untouched for a while and open in no process. Returns how
// many went.
int removeLeftovers(const QByteArray &target);

}  // namespace temporary_names
