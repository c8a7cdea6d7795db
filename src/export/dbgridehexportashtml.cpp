#include "export/dbgridehexportashtml.h"

#include "export/htmlmarkup.h"
#include "export/titlelevels.h"
#include "grid/columneh.h"
#include "grid/dbgrideh.h"
#include "grid/headtreenode.h"

void TDBGridEhExportAsHTML::writeMarkup() {
  WriteBytes(m_markup.bytes());
  m_markup.clear();
}

void TDBGridEhExportAsHTML::BeginDocument() {
  // Markup left over from an export that failed in mid-row.
  m_markup.clear();
  WriteLine("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2//EN\">");
  WriteLine("<HTML>");
  WriteLine("<HEAD>");
  WriteLine("<TITLE>");
  WriteLine(grid().Name());
  WriteLine("</TITLE>");
  WriteLine("</HEAD>");
  const bool lines = grid().Options() & (dgColLines | dgRowLines);
  m_markup.append("<TABLE ");
  if (!lines)
    m_markup.append("BORDER=0 CELLSPACING=0 CELLPADDING=");
  else if (grid().Ctl3D())
    m_markup.append("BORDER=1 CELLSPACING=0 CELLPADDING=");
  else
    m_markup.append("BORDER=0 CELLSPACING=1 CELLPADDING=");
  m_markup.append(grid().Flat() ? "1" : "2");
  m_markup.append(" BGCOLOR=#");
  appendHtmlColorHex(m_markup, grid().FixedColor());
  // The table start tag carries its own line end, so an empty line follows.
  m_markup.append(">\r\n\r\n");
  writeMarkup();
}

void TDBGridEhExportAsHTML::EndDocument() {
  WriteLine("</TABLE>");
  WriteLine("</BODY>");
  WriteLine("</HTML>");
}

void TDBGridEhExportAsHTML::EmitTitleRows(const TColumnsEhList &columns) {
  if (columns.empty())
    return;
  if (grid().UseMultiTitle())
    emitTitleLevels(columns);
  else
    emitSingleTitleRow(columns);
}

void TDBGridEhExportAsHTML::emitSingleTitleRow(const TColumnsEhList &columns) {
  m_markup.append("<TR>\r\n");
  for (const TColumnEh *column : columns) {
    const TColumnTitleEh &title = column->Title();
    m_markup.append("  <TD WIDTH=");
    m_markup.appendNumber(column->Width());
    m_markup.append(" ALIGN=\"");
    m_markup.append(htmlAlignmentKeyword(title.Alignment()));
    m_markup.append("\">");
    appendHtmlFontedText(m_markup, title.Font(), title.Caption());
    m_markup.append("</TD>\r\n");
  }
  m_markup.append("</TR>\r\n");
  writeMarkup();
}

void TDBGridEhExportAsHTML::emitTitleLevels(const TColumnsEhList &columns) {
  TitleLevels levels = BuildTitleLevels(grid(), columns);
  const auto appendSpan = [this](const TitleSpan &span) {
    if (span.colSpan > 1) {
      m_markup.append(" COLSPAN = \"");
      m_markup.appendNumber(span.colSpan);
      m_markup.append("\"");
    }
    if (span.rowSpan > 1) {
      m_markup.append(" ROWSPAN = \"");
      m_markup.appendNumber(span.rowSpan);
      m_markup.append("\"");
    }
  };
  // Every multi-level title cell is centred, whatever the title's alignment;
  // upper levels are in the grid's title font and carry no width.
  for (int level = int(levels.size()) - 1; level >= 0; --level) {
    m_markup.append("<TR>\r\n");
    for (int position = 0; position < int(columns.size()); ++position) {
      const THeadTreeNode *node = levels[size_t(level)][size_t(position)];
      if (node == nullptr)
        continue;
      const TColumnEh &column = *columns[size_t(position)];
      m_markup.append("  <TD");
      if (level == 0) {
        m_markup.append(" WIDTH=");
        m_markup.appendNumber(column.Width());
      }
      m_markup.append(" ALIGN=\"CENTER\"");
      appendSpan(ComputeTitleSpan(levels, level, position));
      m_markup.append(">");
      appendHtmlFontedText(
          m_markup, level == 0 ? column.Title().Font() : grid().TitleFont(),
          node->Text);
      m_markup.append("</TD>\r\n");
    }
    m_markup.append("</TR>\r\n");
    writeMarkup();
  }
}

void TDBGridEhExportAsHTML::EmitDataRow(const TColumnsEhList &columns) {
  m_markup.append("<TR>\r\n");
  m_cellPosition = 0;
  TDBGridEhExport::EmitDataRow(columns);
  m_markup.append("</TR>\r\n");
  writeMarkup();
}

void TDBGridEhExportAsHTML::EmitDataCell(TColumnEh &column,
                                         TColCellParamsEh &params) {
  emitCell(column.Width(), params.Alignment, params.Background, *params.Font,
           params.Text);
}

void TDBGridEhExportAsHTML::EmitFooterRow(const TColumnsEhList &columns,
                                          int footerRow) {
  m_markup.append("<TR>\r\n");
  m_cellPosition = 0;
  TDBGridEhExport::EmitFooterRow(columns, footerRow);
  m_markup.append("</TR>\r\n");
  writeMarkup();
}

void TDBGridEhExportAsHTML::EmitFooterCell(int, int footerRow,
                                           TColumnEh &column, TFont &font,
                                           TColor background, TAlignment,
                                           const QString &text) {
  // HTML footer cells take the footer's own alignment setting; an alignment
  // changed by OnGetFooterParams does not reach them.
  emitCell(column.Width(), column.UsedFooter(footerRow).Alignment(), background,
           font, text);
}

void TDBGridEhExportAsHTML::emitCell(int width, TAlignment alignment,
                                     TColor background, const TFont &font,
                                     const QString &text) {
  if (m_cellPosition == m_cellMarkup.size())
    m_cellMarkup.emplace_back();
  CellMarkup &cell = m_cellMarkup[m_cellPosition++];
  if (!cell.look.is(width, alignment, background, font)) {
    cell.look.set(width, alignment, background, font);
    cell.before.clear();
    cell.before.append("  <TD WIDTH=");
    cell.before.appendNumber(width);
    cell.before.append(" ALIGN=\"");
    cell.before.append(htmlAlignmentKeyword(alignment));
    cell.before.append("\" BGCOLOR=#");
    appendHtmlColorHex(cell.before, background);
    cell.before.append(">");
    appendHtmlFontStart(cell.before, font);
    cell.after.clear();
    appendHtmlFontEnd(cell.after, font);
    cell.after.append("</TD>\r\n");
  }
  m_markup.append(cell.before.bytes());
  appendHtmlCellText(m_markup, text);
  m_markup.append(cell.after.bytes());
}
