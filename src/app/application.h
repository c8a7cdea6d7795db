#pragma once

#include <QApplication>
#include <exception>
#include <functional>

// The application object. Every event is dispatched inside a guard: an
// error that escapes an event handler goes to the error handler (the
// default error display of the program, installed at start-up) and the
// event loop goes on, so no exception ever crosses Qt.
class Application : public QApplication {
  Q_OBJECT
public:
  using ErrorHandler = std::function<void(const std::exception &)>;

  Application(int &argc, char **argv);

  // The program file's name without its folder and without everything from
  // the first "." on, every character after the first in lower case.
  const QString &Title() const { return m_title; }

  // Replaces the error handler; without one an error is only logged.
  void setErrorHandler(ErrorHandler handler);
  // Passes `error` to the error handler; never throws.
  void HandleException(const std::exception &error);

  bool notify(QObject *receiver, QEvent *event) override;

  // The running application object; null when there is none or it is a
  // plain QApplication.
  static Application *instance();

private:
  QString m_title;
  ErrorHandler m_errorHandler;
};

// The title of the program file at `programPath` (see Application::Title).
QString applicationTitle(const QString &programPath);

// The title of the running program: the caption of its plain message boxes
// and of the default error display.
QString currentApplicationTitle();

// Hands `error` to the running Application's error handler (only logs it
// when the application object is a plain QApplication).
void reportApplicationError(const std::exception &error);

// Runs `handler` as an event handler: an error escaping it goes to the
// application's error handler instead of into Qt. Signal connections and
// event overrides of the windows run through this.
template <class Handler> void runGuarded(Handler &&handler) {
  try {
    handler();
  } catch (const std::exception &error) {
    reportApplicationError(error);
  }
}

// `handler` wrapped in runGuarded, for connecting to a signal; arguments
// the signal passes are ignored.
template <class Handler> auto guarded(Handler handler) {
  return [handler](auto &&...) { runGuarded(handler); };
}
