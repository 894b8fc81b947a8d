#include "base/core/TemporaryNames.h"

#include <QRandomGenerator>

namespace temporary_names {
namespace {

constexpr char Infix[] = ".varnel-";
constexpr int RandomLength = 6;
constexpr char Alphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

}  // namespace

QByteArray candidate(const QByteArray &target) {
  QByteArray name = target + Infix;
  for (int i = 0; i < RandomLength; ++i)
    name +=
        Alphabet[QRandomGenerator::global()->bounded(int(sizeof Alphabet - 1))];
  return name;
}

}  // namespace temporary_names
