#include "export/dbgridehexportashtml.h"

#include "export/htmlmarkup.h"
#include "export/titlelevels.h"
#include "grid/columneh.h"
#include "grid/dbgrideh.h"
#include "grid/headtreenode.h"

namespace {

// ` COLSPAN = "2"` and ` ROWSPAN = "3"` as a span needs them.
QString spanAttributes(const TitleSpan &span) {
  QString attributes;
  if (span.colSpan > 1)
    attributes += QStringLiteral(" COLSPAN = \"%1\"").arg(span.colSpan);
  if (span.rowSpan > 1)
    attributes += QStringLiteral(" ROWSPAN = \"%1\"").arg(span.rowSpan);
  return attributes;
}

} // namespace

void TDBGridEhExportAsHTML::BeginDocument() {
  WriteLine("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2//EN\">");
  WriteLine("<HTML>");
  WriteLine("<HEAD>");
  WriteLine("<TITLE>");
  WriteLine(grid().Name());
  WriteLine("</TITLE>");
  WriteLine("</HEAD>");
  const bool lines = grid().Options() & (dgColLines | dgRowLines);
  QString table = QStringLiteral("<TABLE ");
  if (!lines)
    table += QStringLiteral("BORDER=0 CELLSPACING=0 CELLPADDING=");
  else if (grid().Ctl3D())
    table += QStringLiteral("BORDER=1 CELLSPACING=0 CELLPADDING=");
  else
    table += QStringLiteral("BORDER=0 CELLSPACING=1 CELLPADDING=");
  table += grid().Flat() ? u'1' : u'2';
  table += QStringLiteral(" BGCOLOR=#") + htmlColorHex(grid().FixedColor()) +
           QStringLiteral(">\r\n");
  WriteLine(table);
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
  WriteLine("<TR>");
  for (const TColumnEh *column : columns) {
    const TColumnTitleEh &title = column->Title();
    WriteText(QStringLiteral("  <TD WIDTH=%1 ALIGN=\"%2\">")
                  .arg(column->Width())
                  .arg(htmlAlignmentKeyword(title.Alignment())) +
              htmlFontedText(title.Font(), title.Caption()));
    WriteLine("</TD>");
  }
  WriteLine("</TR>");
}

void TDBGridEhExportAsHTML::emitTitleLevels(const TColumnsEhList &columns) {
  TitleLevels levels = BuildTitleLevels(grid(), columns);
  // Every multi-level title cell is centred, whatever the title's alignment.
  for (int level = int(levels.size()) - 1; level >= 1; --level) {
    WriteLine("<TR>");
    for (int position = 0; position < int(columns.size()); ++position) {
      const THeadTreeNode *node = levels[size_t(level)][size_t(position)];
      if (node == nullptr)
        continue;
      const TitleSpan span = ComputeTitleSpan(levels, level, position);
      WriteText(QStringLiteral("  <TD ALIGN=\"CENTER\"") +
                spanAttributes(span) + u'>' +
                htmlFontedText(grid().TitleFont(), node->Text));
      WriteLine("</TD>");
    }
    WriteLine("</TR>");
  }
  WriteLine("<TR>");
  for (int position = 0; position < int(columns.size()); ++position) {
    const THeadTreeNode *node = levels[0][size_t(position)];
    if (node == nullptr)
      continue;
    const TColumnEh &column = *columns[size_t(position)];
    const TitleSpan span = ComputeTitleSpan(levels, 0, position);
    WriteText(
        QStringLiteral("  <TD WIDTH=%1 ALIGN=\"CENTER\"").arg(column.Width()) +
        spanAttributes(span) + u'>' +
        htmlFontedText(column.Title().Font(), node->Text));
    WriteLine("</TD>");
  }
  WriteLine("</TR>");
}

void TDBGridEhExportAsHTML::EmitDataRow(const TColumnsEhList &columns) {
  WriteLine("<TR>");
  TDBGridEhExport::EmitDataRow(columns);
  WriteLine("</TR>");
}

void TDBGridEhExportAsHTML::EmitDataCell(TColumnEh &column,
                                         TColCellParamsEh &params) {
  emitCell(column.Width(), params.Alignment, params.Background, *params.Font,
           params.Text);
}

void TDBGridEhExportAsHTML::EmitFooterRow(const TColumnsEhList &columns,
                                          int footerRow) {
  WriteLine("<TR>");
  TDBGridEhExport::EmitFooterRow(columns, footerRow);
  WriteLine("</TR>");
}

void TDBGridEhExportAsHTML::EmitFooterCell(int, int footerRow,
                                           TColumnEh &column, TFont &font,
                                           TColor background, TAlignment,
                                           const QString &text) {
  // The footer's own alignment setting, not the one OnGetFooterParams may
  // have changed: HTML footers have always been aligned so.
  emitCell(column.Width(), column.UsedFooter(footerRow).Alignment(), background,
           font, text);
}

void TDBGridEhExportAsHTML::emitCell(int width, TAlignment alignment,
                                     TColor background, const TFont &font,
                                     const QString &text) {
  QString cell = QStringLiteral("  <TD WIDTH=%1 ALIGN=\"").arg(width);
  cell += htmlAlignmentKeyword(alignment);
  cell += QStringLiteral("\" BGCOLOR=#");
  cell += htmlColorHex(background);
  cell += u'>';
  cell += htmlFontedText(font, text);
  cell += QStringLiteral("</TD>\r\n");
  WriteText(cell);
}
