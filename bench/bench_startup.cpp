// Start-up and class-filter benchmark of the main window.
//
//   bench_startup window <settings file>    start-up to the shown main window
//                                           with the class list loaded
//   bench_startup bare                      a bare Qt window that shows
//   bench_startup typing <settings file> <text>
//                                           start, then type <text> into the
//                                           class filter one character at a
//                                           time and erase it again; every
//                                           keystroke re-runs the header query
//                                           and repaints the grid
//
// Prints "<what> <milliseconds>" lines, the times measured from the start
// of main(); the caller times the whole process as well.

#include "app/application.h"
#include "app/programsetup.h"
#include "app/unt_lorquin.h"
#include "platform/dataset/query.h"
#include "platform/desktop/messageboxes.h"
#include "platform/longwork/longwork.h"
#include "platform/longwork/onscreenstart.h"
#include "platform/platformservices.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstring>

namespace {

// Boxes print their text: a benchmark must never wait for a user.
class PrintedBoxes final : public MessageBoxes {
public:
  void showMessage(QWidget *, const QString &, const QString &text,
                   MessageIcon) override {
    std::fprintf(stderr, "message: %s\n", qUtf8Printable(text));
  }
  YesNoAnswer askYesNo(QWidget *, const QString &, const QString &) override {
    return YesNoAnswer::No;
  }
};

void press(QWidget *widget, Qt::Key key, const QString &text) {
  QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &down);
  QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &up);
}

void report(const char *what, const QElapsedTimer &clock) {
  std::printf("%s %.1f\n", what, clock.nsecsElapsed() / 1e6);
  std::fflush(stdout);
}

int bareWindow(int argc, char **argv, const QElapsedTimer &clock) {
  QApplication application(argc, argv);
  QWidget window;
  window.resize(942, 500);
  window.show();
  QTimer::singleShot(0, [&] {
    report("shown", clock);
    application.quit();
  });
  return application.exec();
}

int mainWindow(int argc, char **argv, const QElapsedTimer &clock,
               const QString &typed) {
  Application application(argc, argv);
  PrintedBoxes messages;
  prepareProgram(application, messages);
  PlatformServices services = machineServices(messages);
  Tfrm_lorquin window(services);
  window.setAttribute(Qt::WA_DeleteOnClose, false); // lives on this stack
  window.show();
  // The start-up sequence runs once the window is on screen.
  while (anyStartPending() || LongWork::anyRunning())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  if (!window.t_action->isActive()) {
    std::fprintf(stderr, "start-up did not complete\n");
    return 1;
  }
  report("shown", clock);
  QTimer::singleShot(0, [&] {
    QLineEdit *edit = window.edt_class->lineEdit();
    QElapsedTimer keystroke;
    const auto timed = [&](Qt::Key key, const QString &text) {
      keystroke.start();
      press(edit, key, text);
      QCoreApplication::processEvents(); // the grid repaints
      std::printf("keystroke %-12s rows %7d  %.1f ms\n",
                  qUtf8Printable(edit->text().isEmpty()
                                     ? QStringLiteral("(empty)")
                                     : edit->text()),
                  window.ado_bominfomain->recordCount(),
                  keystroke.nsecsElapsed() / 1e6);
    };
    for (const QChar c : typed)
      timed(Qt::Key_unknown, QString(c));
    for (qsizetype i = 0; i < typed.size(); ++i)
      timed(Qt::Key_Backspace, QString());
    application.quit();
  });
  return typed.isEmpty() ? 0 : application.exec();
}

} // namespace

int main(int argc, char **argv) {
  QElapsedTimer clock;
  clock.start();
  if (argc >= 2 && std::strcmp(argv[1], "bare") == 0)
    return bareWindow(argc, argv, clock);
  if (argc >= 3 && (std::strcmp(argv[1], "window") == 0 ||
                    std::strcmp(argv[1], "typing") == 0)) {
    qputenv("BOMQUERY_SETTINGS_FILE", argv[2]);
    const QString typed = argc >= 4 ? QString::fromUtf8(argv[3]) : QString();
    return mainWindow(argc, argv, clock, typed);
  }
  std::fprintf(stderr, "usage: bench_startup window|typing <settings> "
                       "[text] | bare\n");
  return 2;
}
