// prj_lorquin: the BOM query program.

#include "app/application.h"
#include "app/errordisplay.h"
#include "app/screenresolution.h"
#include "app/unt_lorquin.h"
#include "grid/griderrorhandler.h"
#include "platform/clock.h"
#include "platform/createdatabaseenginefactory.h"
#include "platform/platformservices.h"
#include "platform/qtmessageboxes.h"
#include "platform/qtsavedialog.h"
#include "platform/qtshell.h"

int main(int argc, char **argv) {
  Application application(argc, argv);
  giveFontsScreenResolution();

  QtMessageBoxes messages;
  QtSaveDialog saveDialog;
  QtShell shell;
  SystemClock clock;
  PlatformServices services{messages, saveDialog, shell, clock,
                            createMachineSettingsStore,
                            createDatabaseEngineFactory()};
  application.setErrorHandler([&](const std::exception &error) {
    showDefaultError(messages, application.Title(), error);
  });
  setGridErrorHandler([&](const std::exception &error) {
    application.HandleException(error);
  });

  frm_lorquin = new Tfrm_lorquin(services);
  frm_lorquin->showMaximized();
  return application.exec();
}
