#pragma once

#include "platform/results/fieldtype.h"
#include "platform/results/podbuffer.h"

#include <QString>
#include <QStringView>

// One column of a fetched result, stored compactly by type: integers (and
// booleans and fixed-point ten-thousandths) as 64-bit values, reals as
// doubles, text in one UTF-16 block with end offsets. Values are appended row
// by row while the engine fetches; afterwards the column is read only.
class ResultColumn {
public:
  ResultColumn(QString name, FieldType type, int size = 0, int precision = 0);

  const QString &name() const { return m_name; }
  FieldType type() const { return m_type; }
  int size() const { return m_size; }
  int precision() const { return m_precision; }
  int rowCount() const { return int(m_null.size()); }

  bool isNull(int row) const { return m_null[row] == Null; }
  // A value the database held but the column's type cannot (a decimal too
  // large for 64-bit ten-thousandths); not null, shown as "(Overflow)".
  bool isOverflow(int row) const { return m_null[row] == Overflow; }
  qint64 integer(int row) const { return m_integers[row]; }
  double real(int row) const { return m_reals[row]; }
  QStringView text(int row) const;

  void appendNull();
  void appendOverflow();
  void appendInteger(qint64 value);
  void appendReal(double value);
  void appendText(QStringView value);

  // Releases the spare capacity left by growing.
  void squeeze();

private:
  enum Mark : quint8 { Value, Null, Overflow };
  void appendPlaceholder(Mark mark);

  QString m_name;
  FieldType m_type;
  int m_size;
  int m_precision;
  PodBuffer<quint8> m_null;
  PodBuffer<qint64> m_integers;
  PodBuffer<double> m_reals;
  PodBuffer<char16_t> m_chars;
  PodBuffer<quint32> m_textEnds;
};
