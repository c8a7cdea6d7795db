// The read-only in-place editor of TDBGridEh.
#include "grid/dbgrideh.h"

#include "grid/readonlycelleditor.h"
#include "platform/dataset/field.h"
#include "platform/dataset/query.h"

#include <QApplication>

bool TDBGridEh::canOpenEditor() const {
  if (!m_options.testFlag(dgEditing) || !dataSetOpen() ||
      DataSet()->isEmpty() || SelectedIndex() < 0 ||
      SelectedIndex() >= m_columns.Count())
    return false;
  // Only the form's active control opens its editor.
  const QWidget *focus = window()->focusWidget();
  return focus == this || focus == viewport() || focus == m_editor;
}

void TDBGridEh::ShowEditor(bool selectAll) {
  if (!canOpenEditor())
    return;
  if (!m_editor) {
    m_editor = new ReadOnlyCellEditor(viewport());
    m_editor->OnCloseKey = [this] {
      HideEditor();
      setFocus();
    };
    m_editor->OnFocusLeft = [this] {
      const QWidget *focus = QApplication::focusWidget();
      if (m_editor && focus != this && focus != viewport())
        m_editor->hide();
    };
  }
  TColumnEh &column = m_columns[SelectedIndex()];
  const TField *field = column.Field();
  m_editor->setField(field);
  m_editor->setText(field ? field->GetFieldText(false) : QString());
  m_editorOpen = true;
  placeEditor();
  m_editor->show();
  m_editor->setFocus();
  if (selectAll)
    m_editor->selectAll();
  else
    m_editor->end(false);
}

void TDBGridEh::placeEditor() {
  if (!m_editor || !m_editorOpen)
    return;
  const QRect rect = CellRect(m_col, Row());
  if (rect.isEmpty()) {
    m_editor->hide();
    return;
  }
  m_editor->setFont(m_columns[SelectedIndex()].Font().toQFont());
  m_editor->setGeometry(rect);
}

void TDBGridEh::HideEditor() {
  if (!m_editorOpen)
    return;
  m_editorOpen = false;
  if (m_editor) {
    const bool hadFocus = m_editor->hasFocus();
    m_editor->hide();
    if (hadFocus)
      setFocus();
  }
}

void TDBGridEh::typeIntoGrid(const QString &text) {
  ShowEditor(true);
  if (m_editorOpen && m_editor)
    m_editor->discardTyped(text);
}
