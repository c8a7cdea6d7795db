#include "platform/settings/settingsstore.h"

#include "platform/settings/inisettingsstore.h"
#include "platform/settings/registrysettingsstore.h"

#include <QSettings>

std::unique_ptr<SettingsStore> createMachineSettingsStore() {
  const QString fileName = qEnvironmentVariable("BOMQUERY_SETTINGS_FILE");
  if (!fileName.isEmpty())
    return std::make_unique<IniSettingsStore>(fileName);
#ifdef Q_OS_WIN
  return std::make_unique<RegistrySettingsStore>();
#else
  return std::make_unique<IniSettingsStore>(
      QSettings(QSettings::IniFormat, QSettings::SystemScope,
                QStringLiteral("bomquery"), QStringLiteral("bomquery"))
          .fileName());
#endif
}
