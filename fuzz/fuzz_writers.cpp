// Exports random datasets with each writer and checks the structure of every
// file: random field classes, nulls, markup and control characters,
// double-byte characters whose second byte is "\", "{", "}" or "|", long
// texts, extreme numbers, many rows and columns, multi-level captions.
#include "formatchecks.h"
#include "fuzzinput.h"

#include "export/dbgridehexportashtml.h"
#include "export/dbgridehexportasrtf.h"
#include "export/dbgridehexportastext.h"
#include "export/dbgridehexportasxls.h"
#include "export/memorystream.h"
#include "grid/columneh.h"
#include "grid/dbgrideh.h"
#include "grid/griderrorhandler.h"
#include "grid/systemcolors.h"
#include "platform/dataset/query.h"
#include "platform/errors.h"
#include "platform/text/regionalformats.h"
#include "support/exportgrid.h"

#include <QApplication>
#include <QFile>
#include <cstdio>
#include <cstdlib>

namespace {

// Pieces texts are made of: what each format must escape or keep apart.
const QString kPieces[] = {
    QStringLiteral("\t"), QStringLiteral("\r\n"), QStringLiteral("\r"),
    QStringLiteral("\n"), QStringLiteral("\""),   QStringLiteral("'"),
    QStringLiteral("\\"), QStringLiteral("{"),    QStringLiteral("}"),
    QStringLiteral("|"),  QStringLiteral("<"),    QStringLiteral(">"),
    QStringLiteral("&"),  QStringLiteral("乗"),   QStringLiteral("亄"),
    QStringLiteral("倉"), QStringLiteral("丨"),   QStringLiteral("单件用量"),
    QStringLiteral("😀"),  QStringLiteral(" "),    QStringLiteral("0.00"),
    QStringLiteral("a")};

QString randomText(FuzzInput &in) {
  const unsigned shape = in.below(16);
  if (shape == 0)
    return in.utf16(int(in.below(64)));
  if (shape == 1)
    return QString(int(in.below(70000)), QChar(u'长'));
  QString text;
  const unsigned count = in.below(12);
  for (unsigned i = 0; i < count; ++i)
    text += kPieces[in.below(std::size(kPieces))];
  return text;
}

const FieldType kTypes[] = {FieldType::String,   FieldType::WideString,
                            FieldType::Integer,  FieldType::Word,
                            FieldType::BCD,      FieldType::Float,
                            FieldType::DateTime, FieldType::Boolean};

QVariant randomValue(FuzzInput &in, FieldType type) {
  if (in.below(8) == 0)
    return QVariant();
  switch (type) {
  case FieldType::String:
  case FieldType::WideString:
    return randomText(in);
  case FieldType::Integer:
    return qint64(qint32(in.int64()));
  case FieldType::Word:
    return qint64(in.below(65536));
  case FieldType::BCD:
    return qint64(in.int64());
  case FieldType::Boolean:
    return qint64(in.below(2));
  case FieldType::DateTime:
    // Days from about year 100 to 9999, and a few far outside.
    return in.below(16) == 0 ? in.real() : double(in.int64() % 3000000) + 0.5;
  case FieldType::Float:
    return in.real();
  }
  return QVariant();
}

// The grid under test and the separators its texts hold.
struct Scene : ExportGrid {
  int textLines = 0; // CR LF inside exported texts
  int textTabs = 0;
};

void countSeparators(Scene &scene, const QString &text) {
  scene.textLines += int(text.count(QStringLiteral("\r\n")));
  scene.textTabs += int(text.count(QLatin1Char('\t')));
}

// Reports a malformed file and keeps it as fuzz-failure.<format> in the
// working folder for a look.
void fail(const char *format, const QString &problem, const QByteArray &bytes) {
  std::fprintf(stderr, "%s: %s\n", format, qPrintable(problem));
  QFile kept(QStringLiteral("fuzz-failure.") + QLatin1String(format));
  if (kept.open(QIODevice::WriteOnly))
    kept.write(bytes);
  kept.close();
  std::abort();
}

// Runs `writer` and checks its bytes; an error the writer raises on purpose
// (a limit of the format) is fine, anything else is a finding.
template <class Writer, class Check>
void exportAndCheck(Scene &scene, const char *format, Check check) {
  Writer writer;
  writer.setGrid(&scene.grid);
  MemoryStream stream;
  try {
    writer.WriteGridToStream(stream, true);
  } catch (const Error &) {
    return;
  }
  const QString problem = check(stream.bytes());
  if (!problem.isEmpty())
    fail(format, problem, stream.bytes());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  new QApplication(*argc, *argv);
  RegionalFormats::setCurrent(RegionalFormats());
  SystemColors::setCurrent(SystemColors());
  // A caption layout the title tree refuses is reported by the grid and the
  // grid goes on; the writers must still write well-formed files from it.
  setGridErrorHandler([](const std::exception &) {});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzInput in(data, size);
  Scene scene;
  const int columnCount = 1 + int(in.below(12));
  std::vector<FakeColumn> fields;
  // The columns are set up in one layout, which may refuse the captions
  // ("ATo not in level"); the grid goes on without a title tree then.
  scene.grid.BeginLayout();
  for (int c = 0; c < columnCount; ++c) {
    const FieldType type = kTypes[in.below(std::size(kTypes))];
    const QString name = QStringLiteral("f%1").arg(c);
    fields.push_back({name, type});
    TColumnEh &column = scene.grid.Columns().Add();
    column.setFieldName(name);
    QString caption = randomText(in);
    if (in.below(2))
      caption += QStringLiteral("|") + randomText(in);
    column.Title().setCaption(caption);
    column.setWidth(int(in.below(400)));
    column.setVisible(in.below(8) != 0);
    if (column.Visible())
      countSeparators(scene, caption);
  }
  try {
    scene.grid.EndLayout();
  } catch (const Error &) {
  }
  const int rowCount =
      in.below(4) == 0 ? int(in.below(3000)) : int(in.below(20));
  std::vector<std::vector<QVariant>> rows;
  for (int r = 0; r < rowCount; ++r) {
    std::vector<QVariant> row;
    for (int c = 0; c < columnCount; ++c)
      row.push_back(randomValue(in, fields[c].type));
    rows.push_back(std::move(row));
  }
  scene.database->table = makeTable(fields, rows);
  try {
    scene.query.open();
  } catch (const Error &) {
    return 0;
  }

  int visible = 0;
  for (TColumnEh *column : scene.grid.VisibleColumns()) {
    ++visible;
    if (!column->Field() ||
        storageKindOf(fields[column->FieldName().mid(1).toInt()].type) !=
            StorageKind::Text)
      continue;
    for (const auto &row : rows)
      countSeparators(scene,
                      row[column->FieldName().mid(1).toInt()].toString());
  }

  exportAndCheck<TDBGridEhExportAsXLS>(scene, "xls", checkXlsRecords);
  exportAndCheck<TDBGridEhExportAsHTML>(scene, "html", checkHtmlTags);
  exportAndCheck<TDBGridEhExportAsRTF>(scene, "rtf", checkRtfGroups);
  if (visible > 0)
    exportAndCheck<TDBGridEhExportAsText>(
        scene, "txt", [&](const QByteArray &bytes) {
          return checkTextShape(bytes, 1 + rowCount + scene.textLines,
                                (1 + rowCount) * (visible - 1) +
                                    scene.textTabs);
        });
  return 0;
}
