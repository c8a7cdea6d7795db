#pragma once

#include "platform/settings/settingsstore.h"

#include <QMap>
#include <QStringList>

// A settings store in memory that records the calls made to it and can be
// told to refuse opening or to fail one read or write.
class FakeSettingsStore : public SettingsStore {
public:
  bool openKey(const QString &path) override;
  QString readString(const QString &name) override;
  void writeString(const QString &name, const QString &value) override;

  QMap<QString, QString> values;
  bool refuseOpen = false;
  // n > 0: the n-th read (or write), counted from 1, throws SettingsError.
  int failingRead = 0;
  int failingWrite = 0;

  QStringList openedPaths;
  QStringList reads;  // value names in the order they were read
  QStringList writes; // value names in the order they were written
};
