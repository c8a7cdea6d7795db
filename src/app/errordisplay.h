#pragma once

#include <QString>
#include <exception>

class MessageBoxes;

// The text of an error: the message of the program's own errors, what()
// read as UTF-8 for any other exception.
QString errorMessageOf(const std::exception &error);

// The message as the error display shows it: a full stop is appended when
// the message is not empty and its last character sorts after ".".
QString errorDisplayText(const QString &message);

// The application's default error display: a box with the error icon and
// an OK button, the error's text, the application title as caption.
void showDefaultError(MessageBoxes &messages, const QString &title,
                      const std::exception &error);
