#pragma once

#include <QString>
#include <QStringList>

// Checks a course as a reader would meet it: for a contents file, every
// entry's page; for a page file, that page. A page must be found, read as a
// page, have numbers everywhere the replay needs one, and a MIDI file
// beside it, where there is one, must be a standard MIDI file.
namespace course_check {

// One line per problem: the entry (or page file) and the program's message.
QStringList problems(const QString &path);

// True when the bytes start like a standard MIDI file.
bool isStandardMidiFile(const QString &path);

}  // namespace course_check
