#include "export/xlsxworkbook.h"

#include "export/outputstream.h"
#include "platform/errors.h"

#include <QFile>
#include <new>
#include <xlsxwriter.h>

namespace {

// The library opens files by byte names: UTF-8 on Windows, the local 8-bit
// encoding elsewhere.
QByteArray libraryFileName(const QString &path) {
#ifdef Q_OS_WIN
  return path.toUtf8();
#else
  return QFile::encodeName(path);
#endif
}

constexpr qint64 kCopyBlock = 256 * 1024;

bool isHexDigit(QChar c) {
  return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') ||
         (c >= u'A' && c <= u'F');
}

// Whether "_xHHHH_" starts at `i`: readers of the format take it for the
// character of code HHHH.
bool escapeAt(QStringView text, qsizetype i) {
  if (i + 7 > text.size() || text[i + 1].toLower() != u'x' ||
      text[i + 6] != u'_')
    return false;
  for (qsizetype k = i + 2; k < i + 6; ++k)
    if (!isHexDigit(text[k]))
      return false;
  return true;
}

// Whether the text needs more than cutting: an "_", a surrogate, U+FFFE or
// U+FFFF.
bool needsCare(QStringView text) {
  for (const QChar c : text)
    if (c == u'_' || c.isSurrogate() || c.unicode() >= 0xFFFE)
      return true;
  return false;
}

} // namespace

XlsxWorkbook::XlsxWorkbook() {
  if (!m_folder.isValid())
    throw StreamError(
        QStringLiteral("Cannot create file %1").arg(m_folder.path()));
  m_path = m_folder.filePath(QStringLiteral("workbook.xlsx"));
  m_folderName = libraryFileName(m_folder.path());
  lxw_workbook_options options = {};
  options.constant_memory = LXW_TRUE;
  // The row files go into the folder as well, so nothing outlives it.
  options.tmpdir = m_folderName.data();
  m_workbook = workbook_new_opt(libraryFileName(m_path).constData(), &options);
  if (m_workbook == nullptr)
    throw StreamError(QStringLiteral("Cannot create file %1").arg(m_path));
  m_sheet = workbook_add_worksheet(m_workbook, nullptr);
  m_bold = workbook_add_format(m_workbook);
  if (m_sheet == nullptr || m_bold == nullptr)
    throw std::bad_alloc();
  format_set_bold(m_bold);
}

XlsxWorkbook::~XlsxWorkbook() {
  if (m_workbook != nullptr)
    lxw_workbook_free(m_workbook);
}

void XlsxWorkbook::check(int error) {
  if (error == LXW_NO_ERROR)
    return;
  if (error == LXW_ERROR_MEMORY_MALLOC_FAILED)
    throw std::bad_alloc();
  throw FormatError(QString::fromUtf8(lxw_strerror(lxw_error(error))));
}

const char *XlsxWorkbook::utf8(QStringView text) {
  m_utf8.resize(text.size() * 3 + 1);
  char *end = m_encoder.appendToBuffer(m_utf8.data(), text);
  *end = '\0';
  return m_utf8.constData();
}

QStringView XlsxWorkbook::cellText(QStringView text) {
  if (text.size() <= kMaxTextLength && !needsCare(text))
    return text;
  m_cellText.clear();
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    QStringView piece = text.sliced(i, 1);
    if (c.isHighSurrogate() && i + 1 < text.size() &&
        text[i + 1].isLowSurrogate())
      piece = text.sliced(i++, 2);
    else if (c.isSurrogate() || c.unicode() >= 0xFFFE)
      piece = u"\uFFFD";
    else if (c == u'_' && escapeAt(text, i))
      piece = u"_x005F_";
    if (m_cellText.size() + piece.size() > kMaxTextLength)
      break;
    m_cellText += piece;
  }
  return m_cellText;
}

void XlsxWorkbook::writeText(int row, int column, QStringView text,
                             lxw_format *format) {
  text = cellText(text);
  if (text.isEmpty()) {
    if (format != nullptr)
      writeBlank(row, column, format);
    return;
  }
  check(worksheet_write_string(m_sheet, lxw_row_t(row), lxw_col_t(column),
                               utf8(text), format));
}

void XlsxWorkbook::writeNumber(int row, int column, double value,
                               lxw_format *format) {
  // Excel has no negative zero.
  check(worksheet_write_number(m_sheet, lxw_row_t(row), lxw_col_t(column),
                               value == 0 ? 0.0 : value, format));
}

void XlsxWorkbook::writeBlank(int row, int column, lxw_format *format) {
  check(worksheet_write_blank(m_sheet, lxw_row_t(row), lxw_col_t(column),
                              format));
}

void XlsxWorkbook::mergeCells(int firstRow, int firstColumn, int lastRow,
                              int lastColumn, QStringView text,
                              lxw_format *format) {
  // The library writes the block's cells again; those of rows already
  // finished are dropped, which leaves what was written there.
  check(worksheet_merge_range(
      m_sheet, lxw_row_t(firstRow), lxw_col_t(firstColumn), lxw_row_t(lastRow),
      lxw_col_t(lastColumn), utf8(cellText(text)), format));
}

void XlsxWorkbook::setColumnWidth(int column, int pixels) {
  check(worksheet_set_column_pixels(m_sheet, lxw_col_t(column),
                                    lxw_col_t(column), uint32_t(pixels),
                                    nullptr));
}

void XlsxWorkbook::freezeRows(int rows) {
  worksheet_freeze_panes(m_sheet, lxw_row_t(rows), 0);
}

lxw_format *XlsxWorkbook::numberFormat(const QString &numberFormat) {
  const auto found = m_numberFormats.constFind(numberFormat);
  if (found != m_numberFormats.constEnd())
    return *found;
  const char *bytes = utf8(numberFormat);
  // The library keeps a format's text in a field of fixed size; a longer
  // one would be cut into a different format.
  lxw_format *format = nullptr;
  if (qstrlen(bytes) < LXW_FORMAT_FIELD_LEN) {
    format = workbook_add_format(m_workbook);
    if (format == nullptr)
      throw std::bad_alloc();
    format_set_num_format(format, bytes);
  }
  m_numberFormats.insert(numberFormat, format);
  return format;
}

void XlsxWorkbook::close(OutputStream &output) {
  const lxw_error error = workbook_close(m_workbook);
  m_workbook = nullptr; // closing frees it, also on error
  if (error != LXW_NO_ERROR)
    raiseStreamWriteError();
  QFile file(m_path);
  if (!file.open(QIODevice::ReadOnly))
    raiseStreamWriteError();
  QByteArray block(kCopyBlock, Qt::Uninitialized);
  while (true) {
    const qint64 read = file.read(block.data(), kCopyBlock);
    if (read < 0)
      raiseStreamWriteError();
    if (read == 0)
      break;
    output.write(QByteArrayView(block.constData(), read));
  }
}
