#include "app/errordisplay.h"

#include "platform/desktop/messageboxes.h"
#include "platform/errors.h"

QString errorMessageOf(const std::exception &error) {
  if (const auto *own = dynamic_cast<const Error *>(&error))
    return own->message();
  return QString::fromUtf8(error.what());
}

QString errorDisplayText(const QString &message) {
  if (!message.isEmpty() && message.back() > QLatin1Char('.'))
    return message + QLatin1Char('.');
  return message;
}

void showDefaultError(MessageBoxes &messages, const QString &title,
                      const std::exception &error) {
  messages.showMessage(nullptr, title, errorDisplayText(errorMessageOf(error)),
                       MessageIcon::Error);
}
