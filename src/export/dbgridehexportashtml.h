#pragma once

#include "export/celllook.h"
#include "export/dbgridehexport.h"
#include "export/markupbuffer.h"

#include <vector>

// One HTML 3.2 document holding a single table: the title row or rows (one
// per title level with multi-level titles), one row per record and one per
// footer row. Markup characters in texts are escaped; every line ends with
// CR LF; the document is code page 936 without a character-set declaration.
class TDBGridEhExportAsHTML : public TDBGridEhExport {
protected:
  void BeginDocument() override;
  void EndDocument() override;
  void EmitTitleRows(const TColumnsEhList &columns) override;
  void EmitDataRow(const TColumnsEhList &columns) override;
  void EmitDataCell(TColumnEh &column, TColCellParamsEh &params) override;
  void EmitFooterRow(const TColumnsEhList &columns, int footerRow) override;
  void EmitFooterCell(int position, int footerRow, TColumnEh &column,
                      TFont &font, TColor background, TAlignment alignment,
                      const QString &text) override;

private:
  void emitSingleTitleRow(const TColumnsEhList &columns);
  void emitTitleLevels(const TColumnsEhList &columns);
  // One data or footer cell line.
  void emitCell(int width, TAlignment alignment, TColor background,
                const TFont &font, const QString &text);
  // Writes the assembled markup and empties it.
  void writeMarkup();

  // Each row's markup is assembled here, then written whole.
  MarkupBuffer m_markup;
  // The markup before and after the text of the data and footer cells of
  // each column, for the look it was last made for.
  struct CellMarkup {
    CellLook look;
    MarkupBuffer before;
    MarkupBuffer after;
  };
  std::vector<CellMarkup> m_cellMarkup;
  // Export position of the next data or footer cell in its row.
  size_t m_cellPosition = 0;
};
