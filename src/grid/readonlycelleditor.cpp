#include "grid/readonlycelleditor.h"

#include "platform/dataset/numericfield.h"
#include "platform/desktop/systembeep.h"
#include "platform/text/regionalformats.h"

#include <QFocusEvent>
#include <QKeyEvent>

ReadOnlyCellEditor::ReadOnlyCellEditor(QWidget *parent) : QLineEdit(parent) {
  setReadOnly(true);
  setFrame(false);
}

bool fieldAcceptsCharacter(const TField *field, QChar c) {
  const bool integral = dynamic_cast<const TIntegerField *>(field) != nullptr;
  const bool bcd = dynamic_cast<const TBCDField *>(field) != nullptr;
  if (!integral && !bcd)
    return true;
  if (c.isDigit() || c == QLatin1Char('+') || c == QLatin1Char('-'))
    return true;
  return bcd && c == RegionalFormats::current().decimalSeparator;
}

void ReadOnlyCellEditor::discardTyped(const QString &text) const {
  for (const QChar c : text)
    if (c.isPrint() && !fieldAcceptsCharacter(m_field, c)) {
      systemBeep();
      return;
    }
}

void ReadOnlyCellEditor::keyPressEvent(QKeyEvent *event) {
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
    if (OnCloseKey)
      OnCloseKey();
    return;
  }
  const bool command =
      event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
  if (!command && !event->text().isEmpty() && event->text()[0].isPrint()) {
    discardTyped(event->text());
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void ReadOnlyCellEditor::focusOutEvent(QFocusEvent *event) {
  QLineEdit::focusOutEvent(event);
  if (OnFocusLeft)
    OnFocusLeft();
}
