#pragma once

#include <QStringList>

// The command line's own options: the usage text, the version, and names
// the program does not know.
namespace command_line {

QString usage();
QString versionText();

// True when the first argument asks for something only the command line
// answers (help or version), or is an option the program does not know.
bool isHelp(const QStringList &arguments);
bool isVersion(const QStringList &arguments);
// An option-looking first argument that is none of `known`.
bool isUnknownOption(const QStringList &arguments, const QStringList &known);

}  // namespace command_line
