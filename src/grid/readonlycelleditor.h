#pragma once

#include <QLineEdit>
#include <functional>

class TField;

// The edit box a read-only grid opens over its current cell. It shows the
// cell's edit text and lets it be selected and copied, but every character
// typed is discarded; one the cell's field would refuse as input first
// makes the system beep.
class ReadOnlyCellEditor : public QLineEdit {
  Q_OBJECT
public:
  explicit ReadOnlyCellEditor(QWidget *parent = nullptr);

  // The field whose input rule decides the beep; null accepts everything.
  void setField(const TField *field) { m_field = field; }
  // Discards `text`, beeping once for a character the field refuses.
  void discardTyped(const QString &text) const;

  // Enter or Esc pressed in the box.
  std::function<void()> OnCloseKey;
  // The focus went to a control other than the grid.
  std::function<void()> OnFocusLeft;

protected:
  void keyPressEvent(QKeyEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;

private:
  const TField *m_field = nullptr;
};

// Whether `field` accepts `c` as typed input: integer and word fields take
// "+", "-" and digits, BCD fields these and the decimal separator of the
// regional formats, every other field any character.
bool fieldAcceptsCharacter(const TField *field, QChar c);
