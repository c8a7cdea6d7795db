#pragma once

#include <QDate>

// The local calendar date, for names that carry today's date.
class Clock {
public:
  virtual ~Clock() = default;
  virtual QDate today() const = 0;
};

// The machine's clock.
class SystemClock final : public Clock {
public:
  QDate today() const override { return QDate::currentDate(); }
};
