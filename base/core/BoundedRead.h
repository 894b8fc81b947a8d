#pragma once

#include <QByteArray>
#include <QIODevice>

namespace bounded_read {

// Reads from the device until its end or until `limit` bytes are held.
// Memory grows with what is read, not with the limit: a file of a few
// hundred bytes costs a few hundred bytes, however large the bound. A
// failed read ends it; the device's error tells.
QByteArray upTo(QIODevice &device, qint64 limit);

}  // namespace bounded_read
