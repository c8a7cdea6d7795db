#include "app/programsetup.h"

#include "app/application.h"
#include "app/errordisplay.h"
#include "app/screenresolution.h"
#include "grid/griderrorhandler.h"
#include "platform/database/createdatabaseenginefactory.h"
#include "platform/desktop/clock.h"
#include "platform/desktop/qtsavedialog.h"
#include "platform/desktop/qtshell.h"

#include <QLibraryInfo>
#include <QTranslator>

PlatformServices machineServices(MessageBoxes &messages) {
  // Stateless: one of each serves every window.
  static QtSaveDialog saveDialog;
  static QtShell shell;
  static const SystemClock clock;
  return {messages,
          saveDialog,
          shell,
          clock,
          createMachineSettingsStore,
          createDatabaseEngineFactory()};
}

void prepareProgram(Application &application, MessageBoxes &messages) {
  giveFontsScreenResolution();
  // The windows speak Chinese whatever the user's locale, so Qt's own
  // dialogs (the save dialog's buttons and folder view) do too.
  auto *translator = new QTranslator(&application);
  if (translator->load(QStringLiteral("qtbase_zh_CN"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(translator);
  application.setErrorHandler([&](const std::exception &error) {
    showDefaultError(messages, application.Title(), error);
  });
  setGridErrorHandler(
      [&](const std::exception &error) { application.HandleException(error); });
}
