#include "support/fakesettingsstore.h"

#include "platform/errors.h"

bool FakeSettingsStore::openKey(const QString &path) {
  openedPaths << path;
  return !refuseOpen;
}

QString FakeSettingsStore::readString(const QString &name) {
  reads << name;
  if (reads.size() == failingRead)
    throw SettingsError(QStringLiteral("Cannot read ") + name);
  return values.value(name);
}

void FakeSettingsStore::writeString(const QString &name, const QString &value) {
  writes << name;
  if (writes.size() == failingWrite)
    throw SettingsError(QStringLiteral("Cannot write ") + name);
  values[name] = value;
}
