#pragma once

#include "platform/results/fieldtype.h"

#include <QDate>
#include <QStringView>
#include <QTime>
#include <vector>

class ResultColumn;

// Appends the values a database gives, row by row, to one result column,
// converting each into the column's type. Text for a text column passes
// through code page 936; a decimal column takes decimal text exactly, never
// through a double, and a value too large for it is stored as overflow; a
// date-time column takes "yyyy-MM-dd[ HH:mm:ss[.zzz]]". A value that cannot
// be converted throws DatabaseError.
class ResultColumnWriter {
public:
  explicit ResultColumnWriter(ResultColumn &column);

  void appendNull();
  void appendInteger(qint64 value);
  void appendReal(double value);
  // Text as the database holds it: a string, or a number or date-time
  // written as text.
  void appendText(QStringView value);
  // The same, without a copy of `value` when code page 936 leaves it as it
  // is (the common case), so readers pass a reused buffer here.
  void appendText(const QString &value);
  void appendDateTime(QDate date, QTime time);

private:
  void appendDecimal(QStringView value);
  [[noreturn]] void raiseCannotConvert(const QString &value) const;

  ResultColumn *m_column;
  FieldType m_type;
};

// The declared column named `name` (ignoring case), or null.
const FieldDef *findDeclaredField(const std::vector<FieldDef> &declared,
                                  const QString &name);
