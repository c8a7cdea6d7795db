#pragma once

#include <QString>
#include <functional>
#include <memory>

// A per-machine key-value store holding text values under a key path (the
// system registry under HKEY_LOCAL_MACHINE on Windows, a system-wide
// settings file elsewhere).
class SettingsStore {
public:
  virtual ~SettingsStore() = default;

  // Opens the key `path` (for example "\SOFTWARE\TORVA\BELKO\DBLinkInfo"),
  // creating it when missing. False when it can be neither opened nor
  // created; the caller then reads and writes nothing.
  virtual bool openKey(const QString &path) = 0;

  // The value `name` of the open key; a missing value reads as empty.
  // Throws SettingsError when the value exists but cannot be read as text.
  virtual QString readString(const QString &name) = 0;

  // Stores `value` under `name`. Throws SettingsError when it cannot.
  virtual void writeString(const QString &name, const QString &value) = 0;
};

using SettingsStoreFactory = std::function<std::unique_ptr<SettingsStore>()>;

// The machine's store: the settings file named by the environment variable
// BOMQUERY_SETTINGS_FILE when it is set, otherwise the registry on Windows
// and the system-wide settings file elsewhere.
std::unique_ptr<SettingsStore> createMachineSettingsStore();
