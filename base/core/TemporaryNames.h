#pragma once

#include <QByteArray>

// The names of the temporary files a whole-file write puts beside its
// target: "page.fum.varnel-" and six letters or digits.
namespace temporary_names {

// A fresh candidate for a temporary file beside `target` (a local path).
QByteArray candidate(const QByteArray &target);

}  // namespace temporary_names
