#pragma once

#include "export/dbgridehexport.h"
#include "export/markupbuffer.h"

// Tab-separated plain text: at most one title line, one line per record and
// one per footer row, joined by CR LF, with no line end after the last line.
// Texts are written as they are, unquoted: a tab or line break inside a text
// splits the cell or the line.
class TDBGridEhExportAsText : public TDBGridEhExport {
public:
  void WriteGridToStream(OutputStream &stream, bool exportAll) override;

protected:
  void EmitTitleRows(const TColumnsEhList &columns) override;
  void EmitDataRow(const TColumnsEhList &columns) override;
  void EmitDataCell(TColumnEh &column, TColCellParamsEh &params) override;
  void EmitFooterRow(const TColumnsEhList &columns, int footerRow) override;
  void EmitFooterCell(int position, int footerRow, TColumnEh &column,
                      TFont &font, TColor background, TAlignment alignment,
                      const QString &text) override;

private:
  // CR LF before every line but the first.
  void BeginLine();
  // A tab before every cell of a line but the first.
  void BeginCell();
  // Writes the assembled line and empties it.
  void EndLine();

  bool IsFirstLine = true;
  bool IsFirstCell = true;
  // Each line is assembled here, then written whole.
  MarkupBuffer m_line;
};
