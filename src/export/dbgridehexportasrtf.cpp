#include "export/dbgridehexportasrtf.h"

#include "export/outputstream.h"
#include "export/rtftext.h"
#include "export/titlelevels.h"
#include "export/twips.h"
#include "grid/columneh.h"
#include "grid/dbgrideh.h"
#include "grid/headtreenode.h"
#include "grid/tfont.h"

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
  stream.write(BodyStream->bytes());
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

void TDBGridEhExportAsRTF::writeLine() {
  m_line.append("\r\n");
  WriteBytes(m_line.bytes());
  m_line.clear();
}

void TDBGridEhExportAsRTF::EmitStyledText(const TFont &font,
                                          const QString &text,
                                          TColor background) {
  m_line.append("\\fs");
  m_line.appendNumber(2 * font.Size());
  const TFontStyles style = font.Style();
  if (style & fsBold)
    m_line.append("\\b");
  if (style & fsItalic)
    m_line.append("\\i");
  if (style & fsStrikeOut)
    m_line.append("\\strike");
  if (style & fsUnderline)
    m_line.append("\\ul");
  // The font is numbered before the colours, the text colour before the
  // background: first uses number them in this order.
  m_line.append("\\f");
  m_line.appendNumber(FontIndex(font.Name()));
  m_line.append("\\cf");
  m_line.appendNumber(ColorIndex(font.Color()));
  m_line.append("\\cb");
  m_line.appendNumber(ColorIndex(background));
  m_line.append(' ');
  m_line.appendText(rtfEscaped(text));
}

void TDBGridEhExportAsRTF::EmitCellBorders(const CellBorders &borders) {
  // Every border is a single line in colour 0.
  if (borders.left)
    WriteLine("\\clbrdrl\\brdrs\\brdrcf0");
  if (borders.top)
    WriteLine("\\clbrdrt\\brdrs\\brdrcf0");
  if (borders.bottom)
    WriteLine("\\clbrdrb\\brdrs\\brdrcf0");
  if (borders.right)
    WriteLine("\\clbrdrr\\brdrs\\brdrcf0");
}

void TDBGridEhExportAsRTF::emitRowStart() { WriteLine("\\trowd\\trgaph40"); }

void TDBGridEhExportAsRTF::emitCellDefinition(const TColumnEh &column,
                                              TColor shading, int &right) {
  right += twipsOfWidth(column.Width());
  m_line.append("\\clshdng10000\\clcfpat");
  m_line.appendNumber(ColorIndex(shading));
  m_line.append("\\cellx");
  m_line.appendNumber(right);
  writeLine();
}

void TDBGridEhExportAsRTF::emitCell(QByteArrayView alignment,
                                    QByteArrayView spacing, const TFont &font,
                                    const QString &text, TColor background) {
  m_line.append("\\pard\\intbl{");
  m_line.append(alignment);
  if (!spacing.isEmpty()) {
    m_line.append("\\sb");
    m_line.append(spacing);
    m_line.append("\\sa");
    m_line.append(spacing);
  }
  EmitStyledText(font, text, background);
  m_line.append("\\cell}");
  writeLine();
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
    emitCellDefinition(*columns[size_t(position)],
                       DataCellShading(columns, position), right);
  }
  WriteLine("{\\trrh0");
  TDBGridEhExport::EmitDataRow(columns);
  WriteLine("\\pard\\intbl\\row}");
}

void TDBGridEhExportAsRTF::EmitDataCell(TColumnEh &, TColCellParamsEh &params) {
  emitCell(alignmentControlWord(params.Alignment), cellSpacing(), *params.Font,
           params.Text, params.Background);
}

void TDBGridEhExportAsRTF::EmitFooterRow(const TColumnsEhList &columns,
                                         int footerRow) {
  emitRowStart();
  int right = 0;
  for (int position = 0; position < int(columns.size()); ++position) {
    EmitCellBorders({});
    emitCellDefinition(*columns[size_t(position)],
                       FooterCellShading(columns, position, footerRow), right);
  }
  WriteLine("{\\trrh0");
  TDBGridEhExport::EmitFooterRow(columns, footerRow);
  WriteLine("\\pard\\intbl\\row}");
}

void TDBGridEhExportAsRTF::EmitFooterCell(int, int, TColumnEh &, TFont &font,
                                          TColor background,
                                          TAlignment alignment,
                                          const QString &text) {
  emitCell(alignmentControlWord(alignment), cellSpacing(), font, text,
           background);
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
  for (const TColumnEh *column : columns) {
    EmitCellBorders({});
    emitCellDefinition(*column, column->Title().Color(), right);
  }
  WriteLine("{\\trrh0");
  for (const TColumnEh *column : columns) {
    const TColumnTitleEh &title = column->Title();
    emitCell(alignmentControlWord(title.Alignment()), cellSpacing(),
             title.Font(), title.Caption(), title.Color());
  }
  WriteLine("\\pard\\intbl\\row}");
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
          column, level > 0 ? grid().FixedColor() : column.Title().Color(),
          right);
    }
    WriteLine("{\\trrh0");
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
    WriteLine("\\pard\\intbl\\row}");
  }
}
