#include "export/dbgridehexportasrtf.h"

#include "export/outputstream.h"
#include "export/rtftext.h"
#include "export/titlelevels.h"
#include "export/twips.h"
#include "grid/columneh.h"
#include "grid/dbgrideh.h"
#include "grid/headtreenode.h"
#include "grid/tfont.h"
#include "platform/longwork/workprogress.h"

#include <QScopeGuard>

namespace {

QByteArrayView alignmentControlWord(TAlignment alignment) {
  switch (alignment) {
  case taRightJustify:
    return "\\qr";
  case taCenter:
    return "\\qc";
  case taLeftJustify:
    break;
  }
  return "\\ql";
}

} // namespace

void TDBGridEhExportAsRTF::WriteGridToStream(OutputStream &stream,
                                             bool exportAll) {
  if (!exportAll) {
    TDBGridEhExport::WriteGridToStream(stream, exportAll);
    return;
  }
  BodyStream.emplace();
  // Markup left over from an export that failed in mid-row.
  m_row.clear();
  // Made with the colour and font numbers of an earlier document.
  m_definitions.clear();
  m_cellStarts.clear();
  ColorTable.emplace();
  FontTable.emplace();
  m_pixelsPerInch = grid().PixelsPerInchX();
  m_twipsOfWidth.clear();
  const auto release = qScopeGuard([this] {
    BodyStream.reset();
    ColorTable.reset();
    FontTable.reset();
  });
  TDBGridEhExport::WriteGridToStream(*BodyStream, exportAll);
  stream.write("{\\rtf0\\ansi\r\n");
  stream.write(ColorTable->text() + "\r\n");
  stream.write(FontTable->text() + "\r\n");
  // The body may be a large temporary file by now.
  runOffThread([&](WorkProgress *progress) {
    BodyStream->copyTo(stream, [progress] {
      if (progress)
        progress->throwIfCancelled();
    });
  });
  stream.flush();
}

void TDBGridEhExportAsRTF::EndDocument() { WriteBytes("}"); }

int TDBGridEhExportAsRTF::ColorIndex(TColor color) {
  return ColorTable->index(color);
}

int TDBGridEhExportAsRTF::FontIndex(const QString &name) {
  return FontTable->index(name);
}

int TDBGridEhExportAsRTF::twipsOfWidth(int pixels) {
  for (const auto &[width, twips] : m_twipsOfWidth)
    if (width == pixels)
      return twips;
  const int twips = twipsOf(pixels, m_pixelsPerInch);
  m_twipsOfWidth.emplace_back(pixels, twips);
  return twips;
}

QByteArrayView TDBGridEhExportAsRTF::cellSpacing() const {
  return grid().Flat() ? "12" : "24";
}

void TDBGridEhExportAsRTF::endLine(QByteArrayView last) {
  if (!last.isEmpty())
    m_row.append(last);
  m_row.append("\r\n");
}

void TDBGridEhExportAsRTF::writeRow() {
  WriteBytes(m_row.bytes());
  m_row.clear();
}

void TDBGridEhExportAsRTF::appendCellStart(MarkupBuffer &out,
                                           QByteArrayView alignment,
                                           QByteArrayView spacing,
                                           const TFont &font,
                                           TColor background) {
  out.append("\\pard\\intbl{");
  out.append(alignment);
  if (!spacing.isEmpty()) {
    out.append("\\sb");
    out.append(spacing);
    out.append("\\sa");
    out.append(spacing);
  }
  out.append("\\fs");
  out.appendNumber(2 * font.Size());
  const TFontStyles style = font.Style();
  if (style & fsBold)
    out.append("\\b");
  if (style & fsItalic)
    out.append("\\i");
  if (style & fsStrikeOut)
    out.append("\\strike");
  if (style & fsUnderline)
    out.append("\\ul");
  // The font is numbered before the colours, the text colour before the
  // background: first uses number them in this order.
  out.append("\\f");
  out.appendNumber(FontIndex(font.Name()));
  out.append("\\cf");
  out.appendNumber(ColorIndex(font.Color()));
  out.append("\\cb");
  out.appendNumber(ColorIndex(background));
  out.append(' ');
}

void TDBGridEhExportAsRTF::EmitCellBorders(const CellBorders &borders) {
  // Every border is a single line in colour 0.
  if (borders.left)
    endLine("\\clbrdrl\\brdrs\\brdrcf0");
  if (borders.top)
    endLine("\\clbrdrt\\brdrs\\brdrcf0");
  if (borders.bottom)
    endLine("\\clbrdrb\\brdrs\\brdrcf0");
  if (borders.right)
    endLine("\\clbrdrr\\brdrs\\brdrcf0");
}

void TDBGridEhExportAsRTF::emitRowStart() { endLine("\\trowd\\trgaph40"); }

void TDBGridEhExportAsRTF::emitCellDefinition(size_t position,
                                              const TColumnEh &column,
                                              TColor shading, int &right) {
  right += twipsOfWidth(column.Width());
  if (position == m_definitions.size())
    m_definitions.emplace_back();
  CellDefinition &definition = m_definitions[position];
  // A colour's number follows from its RGB value alone.
  const TColor rgb = resolveColor(shading);
  if (!definition.made || definition.rgb != rgb || definition.right != right) {
    definition.made = true;
    definition.rgb = rgb;
    definition.right = right;
    definition.line.clear();
    definition.line.append("\\clshdng10000\\clcfpat");
    definition.line.appendNumber(ColorIndex(shading));
    definition.line.append("\\cellx");
    definition.line.appendNumber(right);
    definition.line.append("\r\n");
  }
  m_row.append(definition.line.bytes());
}

void TDBGridEhExportAsRTF::emitCell(QByteArrayView alignment,
                                    QByteArrayView spacing, const TFont &font,
                                    const QString &text, TColor background) {
  appendCellStart(m_row, alignment, spacing, font, background);
  appendRtfText(m_row, text);
  endLine("\\cell}");
}

void TDBGridEhExportAsRTF::emitBodyCell(TAlignment alignment, const TFont &font,
                                        const QString &text,
                                        TColor background) {
  const QByteArrayView spacing = cellSpacing();
  if (m_cellPosition == m_cellStarts.size())
    m_cellStarts.emplace_back();
  CellStart &start = m_cellStarts[m_cellPosition++];
  if (!start.look.is(0, alignment, background, font) ||
      start.spacing != spacing) {
    start.look.set(0, alignment, background, font);
    start.spacing = spacing;
    start.markup.clear();
    appendCellStart(start.markup, alignmentControlWord(alignment), spacing,
                    font, background);
  }
  m_row.append(start.markup.bytes());
  appendRtfText(m_row, text);
  endLine("\\cell}");
}

TColor TDBGridEhExportAsRTF::DataCellShading(const TColumnsEhList &columns,
                                             int position) {
  TColumnEh &column = *columns[size_t(position)];
  TColor shading = column.Color();
  if (grid().OnGetCellParams) {
    TFont scratch(column.Font());
    grid().OnGetCellParams(grid(), column, scratch, shading, {});
  }
  return shading;
}

TColor TDBGridEhExportAsRTF::FooterCellShading(const TColumnsEhList &columns,
                                               int position, int footerRow) {
  TColumnEh &column = *columns[size_t(position)];
  const TColumnFooterEh &footer = column.UsedFooter(footerRow);
  TColor shading = footer.Color();
  if (grid().OnGetFooterParams) {
    TFont scratch(footer.Font());
    TAlignment alignment = footer.Alignment();
    QString text = FooterCellText(footerRow, position);
    grid().OnGetFooterParams(grid(), column.Index(), footerRow, column, scratch,
                             shading, alignment, text, {});
  }
  return shading;
}

void TDBGridEhExportAsRTF::EmitDataRow(const TColumnsEhList &columns) {
  emitRowStart();
  int right = 0;
  for (int position = 0; position < int(columns.size()); ++position) {
    EmitCellBorders({});
    emitCellDefinition(size_t(position), *columns[size_t(position)],
                       DataCellShading(columns, position), right);
  }
  endLine("{\\trrh0");
  m_cellPosition = 0;
  TDBGridEhExport::EmitDataRow(columns);
  endLine("\\pard\\intbl\\row}");
  writeRow();
}

void TDBGridEhExportAsRTF::EmitDataCell(TColumnEh &, TColCellParamsEh &params) {
  emitBodyCell(params.Alignment, *params.Font, params.Text, params.Background);
}

void TDBGridEhExportAsRTF::EmitFooterRow(const TColumnsEhList &columns,
                                         int footerRow) {
  emitRowStart();
  int right = 0;
  for (int position = 0; position < int(columns.size()); ++position) {
    EmitCellBorders({});
    emitCellDefinition(size_t(position), *columns[size_t(position)],
                       FooterCellShading(columns, position, footerRow), right);
  }
  endLine("{\\trrh0");
  m_cellPosition = 0;
  TDBGridEhExport::EmitFooterRow(columns, footerRow);
  endLine("\\pard\\intbl\\row}");
  writeRow();
}

void TDBGridEhExportAsRTF::EmitFooterCell(int, int, TColumnEh &, TFont &font,
                                          TColor background,
                                          TAlignment alignment,
                                          const QString &text) {
  emitBodyCell(alignment, font, text, background);
}

void TDBGridEhExportAsRTF::EmitTitleRows(const TColumnsEhList &columns) {
  if (grid().UseMultiTitle())
    emitTitleLevels(columns);
  else
    emitSingleTitleRow(columns);
}

void TDBGridEhExportAsRTF::emitSingleTitleRow(const TColumnsEhList &columns) {
  emitRowStart();
  int right = 0;
  for (size_t position = 0; position < columns.size(); ++position) {
    EmitCellBorders({});
    emitCellDefinition(position, *columns[position],
                       columns[position]->Title().Color(), right);
  }
  endLine("{\\trrh0");
  for (const TColumnEh *column : columns) {
    const TColumnTitleEh &title = column->Title();
    emitCell(alignmentControlWord(title.Alignment()), cellSpacing(),
             title.Font(), title.Caption(), title.Color());
  }
  endLine("\\pard\\intbl\\row}");
  writeRow();
}

void TDBGridEhExportAsRTF::emitTitleLevels(const TColumnsEhList &columns) {
  const QByteArray levelSpacing = QByteArray::number(
      titleSpacingOf(grid().VTitleMargin(), m_pixelsPerInch));
  TitleLevels levels = BuildTitleLevels(grid(), columns);
  RtfTitleBorders borders;
  const int count = int(columns.size());
  // Upper levels on the grid's fixed colour and title font, level 0 in each
  // title's own colour and font. Every cell is centred; a span's text stands
  // in its top-left cell and its other cells stay empty.
  for (int level = int(levels.size()) - 1; level >= 0; --level) {
    emitRowStart();
    int right = 0;
    for (int position = 0; position < count; ++position) {
      const TColumnEh &column = *columns[size_t(position)];
      const TitleSpan span = ComputeTitleSpan(levels, level, position);
      borders.RegisterSpanBorders(position, level, span.colSpan, span.rowSpan);
      EmitCellBorders(borders.LookupCellBorders(position, level));
      emitCellDefinition(
          size_t(position), column,
          level > 0 ? grid().FixedColor() : column.Title().Color(), right);
    }
    endLine("{\\trrh0");
    for (int position = 0; position < count; ++position) {
      const TColumnEh &column = *columns[size_t(position)];
      const THeadTreeNode *node = levels[size_t(level)][size_t(position)];
      const QByteArrayView spacing =
          node != nullptr ? QByteArrayView(levelSpacing) : QByteArrayView();
      const QString text = node != nullptr ? node->Text : QString();
      if (level > 0)
        emitCell("\\qc", spacing, grid().TitleFont(), text,
                 grid().FixedColor());
      else
        emitCell("\\qc", spacing, column.Title().Font(), text,
                 column.Title().Color());
    }
    endLine("\\pard\\intbl\\row}");
    writeRow();
  }
}
