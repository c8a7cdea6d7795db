#pragma once

#include "export/celllook.h"
#include "export/dbgridehexport.h"
#include "export/markupbuffer.h"
#include "export/rtfcolortable.h"
#include "export/rtffonttable.h"
#include "export/rtftitleborders.h"
#include "export/spillstream.h"

#include <QByteArray>
#include <optional>
#include <utility>
#include <vector>

// A rich-text document holding one table: title row or rows, one row per
// record and one per footer row. Its head names colours and fonts by number,
// and only the body tells which are used, so the body is rendered first
// (in memory, or in a temporary file once it grows past a few MiB), then the
// head with both tables is written, then the body.
// An export that fails while the body is rendered writes nothing at all.
// Cell widths are in twips at the grid's resolution; "\", "{" and "}" in
// texts are escaped.
class TDBGridEhExportAsRTF : public TDBGridEhExport {
public:
  void WriteGridToStream(OutputStream &stream, bool exportAll) override;

protected:
  void EndDocument() override;
  void EmitTitleRows(const TColumnsEhList &columns) override;
  void EmitDataRow(const TColumnsEhList &columns) override;
  void EmitDataCell(TColumnEh &column, TColCellParamsEh &params) override;
  void EmitFooterRow(const TColumnsEhList &columns, int footerRow) override;
  void EmitFooterCell(int position, int footerRow, TColumnEh &column,
                      TFont &font, TColor background, TAlignment alignment,
                      const QString &text) override;

private:
  int ColorIndex(TColor color);
  int FontIndex(const QString &name);
  // Appends "\pard\intbl{", the alignment, the spacing words (none when
  // empty) and the character formatting with its closing blank: what stands
  // before a cell's text.
  void appendCellStart(MarkupBuffer &out, QByteArrayView alignment,
                       QByteArrayView spacing, const TFont &font,
                       TColor background);
  void EmitCellBorders(const CellBorders &borders);
  // One "\clshdng10000\clcfpatN\cellxX" line for the column at export
  // position `position`; `right` advances by the column's width in twips.
  void emitCellDefinition(size_t position, const TColumnEh &column,
                          TColor shading, int &right);
  void emitRowStart();
  // One cell paragraph: "\pard\intbl{", the alignment, the spacing words
  // (none when empty), the styled text, "\cell}".
  void emitCell(QByteArrayView alignment, QByteArrayView spacing,
                const TFont &font, const QString &text, TColor background);
  // The cell paragraph of a data or footer cell, with the data cells'
  // spacing, at the next position of the row.
  void emitBodyCell(TAlignment alignment, const TFont &font,
                    const QString &text, TColor background);
  // Ends the line being assembled with `last` and CR LF.
  void endLine(QByteArrayView last = {});
  // Writes the assembled row and empties the buffer.
  void writeRow();
  void emitSingleTitleRow(const TColumnsEhList &columns);
  void emitTitleLevels(const TColumnsEhList &columns);
  TColor DataCellShading(const TColumnsEhList &columns, int position);
  TColor FooterCellShading(const TColumnsEhList &columns, int position,
                           int footerRow);
  // The cell spacing of data and single-row title cells: "12" when flat.
  QByteArrayView cellSpacing() const;
  // Twips of a column width at the grid's resolution, remembered per width.
  int twipsOfWidth(int pixels);

  std::optional<SpillStream> BodyStream;
  std::optional<RtfColorTable> ColorTable;
  std::optional<RtfFontTable> FontTable;
  // The row being assembled, written whole at its end.
  MarkupBuffer m_row;
  int m_pixelsPerInch = 96;
  std::vector<std::pair<int, int>> m_twipsOfWidth;
  // What each position's cell definition line and cell start were last
  // made from, with the bytes made: rows repeat them.
  struct CellDefinition {
    bool made = false;
    TColor rgb = 0;
    int right = 0;
    MarkupBuffer line;
  };
  std::vector<CellDefinition> m_definitions;
  struct CellStart {
    CellLook look;
    QByteArrayView spacing;
    MarkupBuffer markup;
  };
  std::vector<CellStart> m_cellStarts;
  // Export position of the next data or footer cell in its row.
  size_t m_cellPosition = 0;
};
