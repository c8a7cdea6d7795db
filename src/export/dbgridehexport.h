#pragma once

#include "export/columnsehlist.h"
#include "grid/colcellparamseh.h"
#include "grid/color.h"
#include "platform/dataset/alignment.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <functional>
#include <vector>

class LongWork;
class OutputStream;
class WorkProgress;
class Query;
class TColumnEh;
class TColumnFooterEh;
class TDBGridEh;
class TField;
class TFont;

// Base of the four file writers. It walks the records and the visible
// columns of a grid and calls the writer hooks in a fixed order:
// BeginDocument; EmitTitleRows (only with dgTitles); EmitDataRow per record,
// which calls EmitDataCell per column; EmitFooterRow per footer row, which
// calls EmitFooterCell per column; EndDocument. The walk writes no byte
// itself; the hooks write to Output().
//
// One writer serves one export: create it, set the grid, WriteGridToFile.
class TDBGridEhExport {
public:
  TDBGridEhExport();
  virtual ~TDBGridEhExport();
  TDBGridEhExport(const TDBGridEhExport &) = delete;
  TDBGridEhExport &operator=(const TDBGridEhExport &) = delete;

  // The grid to export; not owned.
  TDBGridEh *Grid() const { return m_grid; }
  void setGrid(TDBGridEh *grid) { m_grid = grid; }

  // Writes the export into a temporary file beside `fileName` and puts it in
  // that file's place only when the export finished; on any error the
  // temporary file is removed, an existing file of that name is left as it
  // was and the error passes on unchanged. Throws StreamError("Cannot create
  // file <fileName>") when the file cannot be created or replaced, and
  // whatever the walk throws. With `work`, the walk returns to the event
  // loop between rows (LongWork::pace) and a cancel ends it as an error
  // does, with WorkCancelled; the finished file is then stored on another
  // thread, to its end.
  void WriteGridToFile(const QString &fileName, bool exportAll,
                       LongWork *work = nullptr);

  // Exports into `stream` and flushes it. Only the export of every record is
  // supported (the grid has no selection): with exportAll false nothing is
  // written. While the walk runs the dataset does not notify the grid; the
  // grid's current record and scroll position are restored afterwards, also
  // on error. Throws DatabaseError for a closed dataset (nothing written),
  // StreamError("Stream write error") when the stream refuses bytes, and
  // whatever fields and event handlers throw.
  virtual void WriteGridToStream(OutputStream &stream, bool exportAll);

protected:
  virtual void BeginDocument() {}
  virtual void EndDocument() {}
  virtual void EmitTitleRows(const TColumnsEhList &columns);
  // Fills the cell parameters of each column in turn and calls
  // EmitDataCell; writers that override it call it for the cells.
  virtual void EmitDataRow(const TColumnsEhList &columns);
  virtual void EmitDataCell(TColumnEh &column, TColCellParamsEh &params);
  // Computes each column's footer text and attributes and calls
  // EmitFooterCell; writers that override it call it for the cells.
  virtual void EmitFooterRow(const TColumnsEhList &columns, int footerRow);
  virtual void EmitFooterCell(int position, int footerRow, TColumnEh &column,
                              TFont &font, TColor background,
                              TAlignment alignment, const QString &text);

  OutputStream &Output() const { return *m_output; }
  // Between rows: lets the long work of the export, if any, serve the
  // event loop, and throws WorkCancelled once it was cancelled.
  void keepPace();
  // Runs `step`, a writer's long step that touches no grid, query or
  // widget (copying bytes), on another thread while the export's long work
  // serves the event loop; here when there is none. `step` gets the
  // progress to watch for a cancel (null when there is none).
  void runOffThread(const std::function<void(WorkProgress *)> &step);
  const TColumnsEhList &ExportColumns() const { return m_exportColumns; }
  TDBGridEh &grid() const { return *m_grid; }

  // Bytes as they are; text as its code page 936 bytes; a line adds CR LF.
  void WriteBytes(QByteArrayView bytes);
  void WriteText(QStringView text);
  void WriteLine(QByteArrayView bytes);
  void WriteLine(QStringView text);

  // The running sum or count of footer row `footerRow` at export position
  // `position`, in ten-thousandths.
  qint64 FooterSum(int footerRow, int position) const;
  // The text of a sum or count footer from its running value.
  QString FormatFooterSum(int footerRow, int position) const;
  // The text the framework hands to EmitFooterCell before the grid's
  // OnGetFooterParams: FormatFooterSum for sums and counts, else the grid's
  // own footer text.
  QString FooterCellText(int footerRow, int position) const;
  // The field a footer sums or counts: its own FieldName, else the
  // column's; null when the dataset has none of that name.
  TField *FooterField(const TColumnFooterEh &footer,
                      const TColumnEh &column) const;

private:
  void walkKeepingGridPosition();
  void walkRecords();
  void endWalk(Query &dataSet);
  void AccumulateFooterSums();

  TColCellParamsEh m_cellParams;
  TDBGridEh *m_grid = nullptr;
  LongWork *m_work = nullptr;
  qint64 m_rowsWritten = 0;
  qint64 m_rowsToWrite = 0;
  TColumnsEhList m_exportColumns;
  OutputStream *m_output = nullptr;
  // WriteText's conversion buffer, kept from one text to the next.
  QByteArray m_textBytes;
  // Footer row r at export position c is entry c + r × k (k columns).
  std::vector<qint64> m_footerSums;
};
