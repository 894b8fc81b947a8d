#pragma once

#include <QLatin1String>

// Gives a control or action the name it has always had, where it is made;
// the tests find it by that name.
template <typename T>
T *named(T *object, const char *name) {
  object->setObjectName(QLatin1String(name));
  return object;
}
