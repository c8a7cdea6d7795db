#include "app/application.h"

#include "app/errordisplay.h"

#include <QFileInfo>

namespace {

// Thrown for anything caught that is not a std::exception.
class UnknownError : public std::exception {
public:
  const char *what() const noexcept override { return ""; }
};

} // namespace

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv),
      m_title(applicationTitle(applicationFilePath())) {}

void Application::setErrorHandler(ErrorHandler handler) {
  m_errorHandler = std::move(handler);
}

void Application::HandleException(const std::exception &error) {
  try {
    if (m_errorHandler)
      m_errorHandler(error);
    else
      qWarning("%s", qUtf8Printable(errorMessageOf(error)));
  } catch (...) {
    qWarning("error while showing an error");
  }
}

bool Application::notify(QObject *receiver, QEvent *event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception &error) {
    HandleException(error);
  } catch (...) {
    HandleException(UnknownError());
  }
  return false;
}

void reportApplicationError(const std::exception &error) {
  if (Application *application = Application::instance())
    application->HandleException(error);
  else
    qWarning("%s", qUtf8Printable(errorMessageOf(error)));
}

Application *Application::instance() {
  return qobject_cast<Application *>(QCoreApplication::instance());
}

QString applicationTitle(const QString &programPath) {
  QString name = QFileInfo(programPath).fileName();
  name.truncate(name.indexOf(QLatin1Char('.')) < 0
                    ? name.size()
                    : name.indexOf(QLatin1Char('.')));
  return name.left(1) + name.mid(1).toLower();
}

QString currentApplicationTitle() {
  if (Application *application = Application::instance())
    return application->Title();
  return applicationTitle(QCoreApplication::applicationFilePath());
}
