#include "platform/desktop/systembeep.h"

#include <QApplication>

namespace {

std::function<void()> &installedBeep() {
  static std::function<void()> beep;
  return beep;
}

} // namespace

void systemBeep() {
  if (const auto &beep = installedBeep())
    beep();
  else
    QApplication::beep();
}

void setSystemBeep(std::function<void()> beep) {
  installedBeep() = std::move(beep);
}
