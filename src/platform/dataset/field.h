#pragma once

#include "platform/dataset/alignment.h"
#include "platform/results/fieldtype.h"

#include <QString>
#include <functional>

class Query;
class ResultColumn;

// A result column of an open query, read at the query's active record.
// Fields exist only while their query is open.
class TField {
public:
  // Replaces the field's own text: receives the text so far (empty) and
  // whether the text is for display (true) or for editing (false).
  using TFieldGetTextEvent =
      std::function<void(TField &Sender, QString &Text, bool DisplayText)>;

  TField(const Query &dataSet, int columnIndex);
  virtual ~TField() = default;
  TField(const TField &) = delete;
  TField &operator=(const TField &) = delete;

  const Query &DataSet() const { return m_dataSet; }
  const QString &FieldName() const;
  FieldType DataType() const;
  int Size() const;

  bool IsNull() const;
  // The field's own text, or the text OnGetText gives when assigned; empty
  // for null.
  QString GetFieldText(bool displayText) const;
  QString DisplayText() const { return GetFieldText(true); }
  QString AsString() const { return GetFieldText(false); }

  // The value as a number; throws FieldError when the field has none.
  virtual qint32 AsInteger() const;
  virtual double AsFloat() const;
  virtual bool AsBoolean() const;

  QString DisplayLabel() const;
  void setDisplayLabel(const QString &label) { m_displayLabel = label; }
  TAlignment Alignment() const { return m_alignment; }
  void setAlignment(TAlignment alignment) { m_alignment = alignment; }

  TFieldGetTextEvent OnGetText;

protected:
  // Text of a non-null value.
  virtual QString GetText(bool displayText) const = 0;
  const ResultColumn &column() const;
  int row() const;
  [[noreturn]] void raiseCannotAccess(const char *asType) const;

private:
  const Query &m_dataSet;
  int m_columnIndex;
  QString m_displayLabel;
  TAlignment m_alignment = taLeftJustify;
};
