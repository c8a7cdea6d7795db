#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringEncoder>
#include <QStringView>
#include <QTemporaryDir>

struct lxw_format;
struct lxw_workbook;
struct lxw_worksheet;
class OutputStream;

// An Excel workbook of one worksheet, built with libxlsxwriter in its
// constant-memory mode: each row goes to a temporary file as soon as the
// next row begins, so memory stays flat in the row count. Rows must come in
// ascending order (a cell of an earlier row is lost); the cells of one row
// in any order. The workbook is assembled in a temporary folder of its own,
// removed with the object, and only close() hands its bytes on.
class XlsxWorkbook {
public:
  // Excel's sheet limits.
  static constexpr qint64 kMaxRows = 1048576;
  static constexpr qint64 kMaxColumns = 16384;
  // Characters of text one cell holds.
  static constexpr qsizetype kMaxTextLength = 32767;

  // Throws StreamError("Cannot create file <folder>") when no temporary
  // folder can be made.
  XlsxWorkbook();
  ~XlsxWorkbook();
  XlsxWorkbook(const XlsxWorkbook &) = delete;
  XlsxWorkbook &operator=(const XlsxWorkbook &) = delete;

  // Row and column numbers are 0-based. A null format is Excel's default.
  // A text is written as cellText gives it.
  void writeText(int row, int column, QStringView text,
                 lxw_format *format = nullptr);
  void writeNumber(int row, int column, double value,
                   lxw_format *format = nullptr);
  void writeBlank(int row, int column, lxw_format *format);
  // Marks the block as one merged cell showing `text`. Call it once every
  // cell of the block has been written, before a row below `lastRow`.
  void mergeCells(int firstRow, int firstColumn, int lastRow, int lastColumn,
                  QStringView text, lxw_format *format);
  // Width in screen pixels.
  void setColumnWidth(int column, int pixels);
  // Keeps the top `rows` rows in view while the sheet scrolls.
  void freezeRows(int rows);

  lxw_format *boldFormat() const { return m_bold; }
  // The cell format with number format `numberFormat` (Excel's notation);
  // one per distinct text.
  lxw_format *numberFormat(const QString &numberFormat);

  // Finishes the workbook and writes its bytes to `output`. Throws
  // StreamError("Stream write error") when the workbook cannot be finished
  // or read back, and what `output` throws.
  void close(OutputStream &output);

private:
  // `text` as a cell holds it, so that readers show it as it is: what XML
  // cannot hold (U+FFFE, U+FFFF, a lone surrogate) as U+FFFD; the "_" of a
  // literal "_xHHHH_", which readers take for the character of code HHHH,
  // escaped as "_x005F_"; cut at kMaxTextLength characters, escapes
  // included. Control characters the library escapes itself.
  QStringView cellText(QStringView text);
  // The text as libxlsxwriter takes it: UTF-8, NUL-terminated.
  const char *utf8(QStringView text);
  // Throws FormatError with the library's text for an error code.
  static void check(int error);

  QTemporaryDir m_folder;
  QByteArray m_folderName;
  QString m_path;
  lxw_workbook *m_workbook = nullptr;
  lxw_worksheet *m_sheet = nullptr;
  lxw_format *m_bold = nullptr;
  QHash<QString, lxw_format *> m_numberFormats;
  QStringEncoder m_encoder{QStringEncoder::Utf8,
                           QStringConverter::Flag::Stateless};
  QByteArray m_utf8;
  QString m_cellText;
};
