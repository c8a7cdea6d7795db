// prj_lorquin: the BOM query program.

#include "app/application.h"
#include "app/programsetup.h"
#include "app/unt_lorquin.h"
#include "platform/desktop/qtmessageboxes.h"

int main(int argc, char **argv) {
  Application application(argc, argv);
  QtMessageBoxes messages;
  prepareProgram(application, messages);
  PlatformServices services = machineServices(messages);

  frm_lorquin = new Tfrm_lorquin(services);
  frm_lorquin->showMaximized();
  return application.exec();
}
