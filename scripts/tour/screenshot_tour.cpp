// Drives the program's windows the way a user would and saves what they
// look like: the main window after a header query, the component window of
// a finished product with its export dialog and the message of a cancelled
// export, and the connection dialog, as PNG files in the folder
// given as the first argument. Runs on a real display (scripts/screenshots.sh
// starts one); the settings store is the one BOMQUERY_SETTINGS_FILE names.

#include "app/application.h"
#include "app/programsetup.h"
#include "app/unt_lorquin.h"
#include "bomdetail/unt_bominfo_detail.h"
#include "connection/unt_link.h"
#include "platform/dataset/query.h"
#include "platform/desktop/messageboxes.h"
#include "platform/desktop/qtmessageboxes.h"

#include <QDir>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

namespace {

// Answers the question "是否到末级？" with Yes without showing it; every
// other box is shown as the program shows it.
class TourMessageBoxes final : public MessageBoxes {
public:
  void showMessage(QWidget *owner, const QString &caption, const QString &text,
                   MessageIcon icon) override {
    std::fprintf(stderr, "message: %s\n", qUtf8Printable(text));
    m_boxes.showMessage(owner, caption, text, icon);
  }
  YesNoAnswer askYesNo(QWidget *, const QString &, const QString &) override {
    return YesNoAnswer::Yes;
  }

private:
  QtMessageBoxes m_boxes;
};

// Calls `step` after `milliseconds`, while whatever modal run is open.
void after(int milliseconds, std::function<void()> step) {
  QTimer::singleShot(milliseconds, qApp, std::move(step));
}

void save(QWidget *window, const QDir &folder, const char *name) {
  const QString path = folder.filePath(QString::fromLatin1(name));
  if (!window || !window->grab().save(path))
    std::fprintf(stderr, "could not save %s\n", qUtf8Printable(path));
  else
    std::printf("%s\n", qUtf8Printable(path));
}

} // namespace

int main(int argc, char **argv) {
  Application application(argc, argv);
  const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1])
                             : QStringLiteral("."));
  folder.mkpath(QStringLiteral("."));

  TourMessageBoxes messages;
  prepareProgram(application, messages);
  PlatformServices services = machineServices(messages);

  frm_lorquin = new Tfrm_lorquin(services);
  // Without a window manager "maximised" means nothing: fill the screen.
  frm_lorquin->setGeometry(
      QGuiApplication::primaryScreen()->availableGeometry());
  frm_lorquin->show();

  after(500, [&] {
    frm_lorquin->tbn_query->click();
    after(500, [&] { save(frm_lorquin, folder, "main.png"); });
    after(900, [&] {
      after(1200, [&] {
        save(frm_bominfo_detail, folder, "component.png");
        // The export's save dialog, then the message of a cancelled export.
        after(800, [&] {
          save(QApplication::activeModalWidget(), folder, "export.png");
          QApplication::activeModalWidget()->close();
          after(500, [&] {
            save(QApplication::activeModalWidget(), folder,
                 "export-cancelled.png");
            QApplication::activeModalWidget()->close();
            after(200, [&] { frm_bominfo_detail->close(); });
          });
        });
        frm_bominfo_detail->tbn_export->click();
      });
      // A finished product: its components go several levels down.
      Query &headers = *frm_lorquin->ado_bominfomain;
      for (headers.first(); !headers.eof(); headers.next())
        if (headers.FieldByName(QStringLiteral("cInvCName"))->AsString() ==
            QStringLiteral("减速机"))
          break;
      frm_lorquin->dbg_bominfomainDblClick();
      after(300, [&] {
        after(600, [&] {
          save(frm_link, folder, "connection.png");
          const QPixmap screen =
              QGuiApplication::primaryScreen()->grabWindow(0);
          screen.save(folder.filePath(QStringLiteral("screen-connection.png")));
          frm_link->close();
          after(200, [&] { frm_lorquin->close(); });
        });
        frm_lorquin->tbn_link->click();
      });
    });
  });
  return application.exec();
}
