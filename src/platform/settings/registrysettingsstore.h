#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN

#include "platform/settings/settingsstore.h"

#include <windows.h>

// The settings store in the system registry under HKEY_LOCAL_MACHINE.
class RegistrySettingsStore final : public SettingsStore {
public:
  RegistrySettingsStore() = default;
  RegistrySettingsStore(const RegistrySettingsStore &) = delete;
  RegistrySettingsStore &operator=(const RegistrySettingsStore &) = delete;
  ~RegistrySettingsStore() override;

  // Opens or creates the key with full access, or opens it for reading
  // where the user may not change it; false when neither works.
  bool openKey(const QString &path) override;
  // Accepts string and expandable string values (the latter unexpanded);
  // throws SettingsError for any other type, a failed read, or no open key.
  QString readString(const QString &name) override;
  // Stores a string value; throws SettingsError when that fails.
  void writeString(const QString &name, const QString &value) override;

private:
  HKEY openedKey(const QString &name) const;
  void close();

  HKEY m_key = nullptr;
};

#endif
