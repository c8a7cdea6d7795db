// The reference side of the end-to-end test (run-e2e.sh): what the library
// itself gives for what the program shows, to compare the program's output
// with. Run it in the program's environment (display, regional formats) so
// fonts and formats are the same on both sides.
//
//   e2e_reference main <database> <class> <prefix>
//       the header grid after the header query with only the class filter
//       set (an empty class: no filter)
//   e2e_reference detail <database> <class> <prefix>
//       the component grid of the first header of that query, expanded to
//       the last level
//     Both write the grid with the writer of each file type of the export's
//     save dialog, into <prefix>-<type>.<extension> (<prefix>-1.xls,
//     -2.rtf, ...: the types in the dialog's order), and print the record
//     count.
//   e2e_reference settings
//       prints the stored connection settings, one a line (server, database,
//       user, password), read by the program's own reader from the store
//       BOMQUERY_SETTINGS_FILE names
//   With E2E_FIXED_SYSTEM_COLOURS set, the grids are drawn in fixed system
//   colours instead of the system's own.
//   e2e_reference find-text <png> <x> <y> <width> <height> <text> [box]
//       exit status 0 when <text>, drawn black in the windows' 9 pt font
//       (with "box": in the font of message boxes, the application's), is
//       in that rectangle of the screenshot; 1 when it is not

#include "app/bomheaderquery.h"
#include "app/bominfomaincolumns.h"
#include "app/screenresolution.h"
#include "app/windowfonts.h"
#include "bomdetail/bomdetailcolumns.h"
#include "bomdetail/expansionquery.h"
#include "connection/linksettings.h"
#include "connection/startupconnection.h"
#include "export/dbgridehexport.h"
#include "export/exporterclass.h"
#include "export/exportgridtofile.h"
#include "grid/bomgridsettings.h"
#include "grid/dbgrideh.h"
#include "grid/systemcolors.h"
#include "platform/database/createdatabaseenginefactory.h"
#include "platform/database/dbconnection.h"
#include "platform/dataset/datasource.h"
#include "platform/dataset/query.h"
#include "platform/desktop/qtsavedialog.h"
#include "platform/settings/settingsstore.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

// The query and grid pair of one window, on the demo database.
struct ReferenceGrid {
  // `gridName` is the name of the window's grid, which the HTML writer
  // puts into the page title.
  ReferenceGrid(const QString &database, const QString &gridName)
      : connection(createDatabaseEngineFactory()) {
    const DbLinkInfo info{QStringLiteral("embedded"), database,
                          QStringLiteral("demo"), QString()};
    if (connectAtStartup(connection, info) != StartupConnectResult::Connected)
      throw std::runtime_error("cannot open the demo database");
    query.setConnection(&connection);
    source.setDataSet(&query);
    grid.setName(gridName);
    applyBomGridSettings(grid);
  }

  // Writes the grid with the writer of each file type of the export's save
  // dialog into <prefix>-<type>.<extension of the type>, prints the count.
  void writeAll(const QString &prefix) {
    const QList<DialogFilterEntry> types =
        dialogFilterEntries(ExportDialogFilter);
    for (int type = 1; type <= types.size(); ++type) {
      const std::unique_ptr<TDBGridEhExport> writer =
          exporterClassOfFilterIndex(type)();
      writer->setGrid(&grid);
      const QString extension =
          types[type - 1].patterns.value(0).section(QLatin1Char('.'), -1);
      writer->WriteGridToFile(
          prefix + QStringLiteral("-%1.%2").arg(type).arg(extension.toLower()),
          true);
    }
    std::printf("%d\n", query.recordCount());
  }

  DbConnection connection;
  Query query{QStringLiteral("ado_reference")};
  DataSource source;
  TDBGridEh grid;
};

void runHeaderQuery(Query &query, const QString &className) {
  declareBomHeaderFields(query);
  BomHeaderFilters filters;
  filters.className = className;
  if (!runBomHeaderQuery(query, filters))
    throw std::runtime_error("the header query failed");
}

int writeHeaderGrid(const QString &database, const QString &className,
                    const QString &prefix) {
  ReferenceGrid headers(database, QStringLiteral("dbg_bominfomain"));
  setupBomInfoMainColumns(headers.grid);
  headers.grid.setDataSource(&headers.source);
  runHeaderQuery(headers.query, className);
  headers.writeAll(prefix);
  return 0;
}

int writeDetailGrid(const QString &database, const QString &className,
                    const QString &prefix) {
  ReferenceGrid detail(database, QStringLiteral("dbg_bomdetail"));
  Query header(QStringLiteral("ado_header"));
  header.setConnection(&detail.connection);
  runHeaderQuery(header, className);
  if (header.isEmpty())
    throw std::runtime_error("no header in that class");
  setupBomDetailColumns(detail.grid);
  detail.grid.setDataSource(&detail.source);
  declareExpansionFields(detail.query);
  if (!runExpansionQuery(
          detail.query,
          header.FieldByName(QStringLiteral("BomId"))->AsInteger(),
          header.FieldByName(QStringLiteral("parentId"))->AsInteger(),
          ExpandMode::ToLastLevel))
    throw std::runtime_error("the expansion query failed");
  detail.writeAll(prefix);
  return 0;
}

int printSettings() {
  const std::unique_ptr<SettingsStore> store = createMachineSettingsStore();
  DbLinkInfo info;
  ReadLinkSettings(*store, LinkReadOrder::Dialog, info);
  for (const QString &value :
       {info.server, info.database, info.user, info.password})
    std::printf("%s\n", qUtf8Printable(value));
  return 0;
}

// The smallest rectangle of `image` holding a pixel other than `background`.
QRect inkBounds(const QImage &image, QRgb background) {
  QRect bounds;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != background)
        bounds |= QRect(x, y, 1, 1);
  return bounds;
}

QRgb commonestColour(const QImage &image) {
  QHash<QRgb, int> counts;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      ++counts[image.pixel(x, y)];
  QRgb commonest = 0;
  for (auto it = counts.cbegin(); it != counts.cend(); ++it)
    if (it.value() > counts.value(commonest))
      commonest = it.key();
  return commonest;
}

bool containsAt(const QImage &area, const QImage &glyphs, int left, int top) {
  for (int y = 0; y < glyphs.height(); ++y)
    for (int x = 0; x < glyphs.width(); ++x)
      if (area.pixel(left + x, top + y) != glyphs.pixel(x, y))
        return false;
  return true;
}

// Draws `text` as a label does, on the commonest colour of the area (its
// background), and looks for its ink pixel for pixel anywhere in the area.
int findText(const QString &png, const QRect &rectangle, const QString &text,
             const QFont &font) {
  const QImage screenshot(png);
  const QImage area = screenshot.copy(rectangle & screenshot.rect())
                          .convertToFormat(QImage::Format_RGB32);
  if (area.isNull())
    throw std::runtime_error("cannot read the screenshot");
  const QRgb background = commonestColour(area);
  const QFontMetrics metrics(font);
  // The blank of one digit after the text is part of what must match, so
  // "记录数为：8" is not found in "记录数为：83".
  const int blank = metrics.horizontalAdvance(QLatin1Char('0'));
  QImage canvas(metrics.horizontalAdvance(text) + blank + 4,
                metrics.height() + 4, QImage::Format_RGB32);
  canvas.fill(background);
  {
    QPainter painter(&canvas);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(2, 2 + metrics.ascent(), text);
  }
  const QImage glyphs =
      canvas.copy(inkBounds(canvas, background).adjusted(0, 0, blank, 0));
  for (int top = 0; top + glyphs.height() <= area.height(); ++top)
    for (int left = 0; left + glyphs.width() <= area.width(); ++left)
      if (containsAt(area, glyphs, left, top))
        return 0;
  return 1;
}

int usage() {
  std::fprintf(stderr, "usage: e2e_reference main|detail <database> <class> "
                       "<prefix> | settings | find-text <png> <x> <y> <w> "
                       "<h> <text> [box]\n");
  return 2;
}

} // namespace

int main(int argc, char **argv) {
  QApplication application(argc, argv);
  giveFontsScreenResolution();
  // The files of two systems are compared with the same system colours:
  // each system's own scheme is its own.
  if (qEnvironmentVariableIsSet("E2E_FIXED_SYSTEM_COLOURS"))
    SystemColors::setCurrent(SystemColors());
  const QStringList args = application.arguments().mid(1);
  try {
    if (args.size() == 4 && args[0] == QLatin1String("main"))
      return writeHeaderGrid(args[1], args[2], args[3]);
    if (args.size() == 4 && args[0] == QLatin1String("detail"))
      return writeDetailGrid(args[1], args[2], args[3]);
    if (args.size() == 1 && args[0] == QLatin1String("settings"))
      return printSettings();
    if ((args.size() == 7 || args.size() == 8) &&
        args[0] == QLatin1String("find-text"))
      return findText(args[1],
                      QRect(args[2].toInt(), args[3].toInt(), args[4].toInt(),
                            args[5].toInt()),
                      args[6],
                      args.size() == 8 && args[7] == QLatin1String("box")
                          ? QApplication::font()
                          : songTiFont(9));
    return usage();
  } catch (const std::exception &error) {
    std::fprintf(stderr, "e2e_reference: %s\n", error.what());
    return 2;
  }
}
