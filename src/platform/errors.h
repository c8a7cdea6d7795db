#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// Base of every error the program raises itself. Window code catches these
// around each database open and settings access and shows its own fixed
// message; anything else reaches the application's default error display,
// which shows message().
class Error : public std::exception {
public:
  explicit Error(QString message)
      : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
  const QString &message() const noexcept { return m_message; }
  const char *what() const noexcept override { return m_utf8.constData(); }

private:
  QString m_message;
  QByteArray m_utf8;
};

// Raised by the query service: connection refused, SQL error, closed dataset,
// unknown field, missing declared column.
class DatabaseError : public Error {
public:
  using Error::Error;
};

// Raised by the settings store when a value cannot be read or written after
// its key was opened.
class SettingsError : public Error {
public:
  using Error::Error;
};

// Raised by number and date-time patterns ("Format string too long").
class FormatError : public Error {
public:
  using Error::Error;
};

// Raised by a field that cannot give its value in the form asked for.
class FieldError : public Error {
public:
  using Error::Error;
};

// Raised by file and stream writing ("Cannot create file %s",
// "Stream write error").
class StreamError : public Error {
public:
  using Error::Error;
};
