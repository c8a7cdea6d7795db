// Window benchmark: a large header query in the main window and a very
// large expansion in the component window, through the real windows on the
// embedded engine (message boxes and the save dialog are the test fakes).
// For each step it prints the time, the resident memory afterwards and the
// peak so far, so one can see whether the program stays usable (painting
// and paging cost no more with many rows) and what the rows cost in memory.
//
//   window_bench <header database> <expansion database> [folder]
//
// The header database holds many headers (bench/run-window-bench.sh makes
// 200,000); the expansion database one BOM whose expansion is very long
// (1,000,000 components). Exports go to `folder` (default: a temporary one).

#include "app/application.h"
#include "app/unt_lorquin.h"
#include "bomdetail/unt_bominfo_detail.h"
#include "grid/applytitlesort.h"
#include "grid/dbgrideh.h"
#include "peakmemory.h"
#include "platform/database/createdatabaseenginefactory.h"
#include "platform/dataset/query.h"
#include "support/fakeplatform.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <cstdio>
#include <functional>

namespace {

void report(const char *step, double seconds, const QString &detail = {}) {
  std::printf("  %-38s %8.3f s  rss %7.1f MiB  peak %7.1f MiB  %s\n", step,
              seconds, residentMemoryMiB(), peakMemoryMiB(),
              detail.toUtf8().constData());
  std::fflush(stdout);
}

double timed(const std::function<void()> &step) {
  QElapsedTimer clock;
  clock.start();
  step();
  return clock.nsecsElapsed() / 1e9;
}

void storeSettings(FakePlatform &platform, const QString &database) {
  platform.store->values = {{"dbserver", "embedded"},
                            {"dbdatabase", database},
                            {"dbuser", "bench"},
                            {"dbpassword", ""}};
}

// What a user does with a grid full of rows: paint it whole, page down 200
// times, jump to the last row.
void browse(TDBGridEh &grid, const Query &rows) {
  const auto at = [&] { return QStringLiteral("at row %1").arg(rows.recNo()); };
  report("paint the whole grid", timed([&] { grid.grab(); }));
  double seconds = timed([&] {
    for (int i = 0; i < 200; ++i) {
      QTest::keyClick(&grid, Qt::Key_PageDown);
      grid.grab();
    }
  });
  report("200 x (Page Down and paint)", seconds, at());
  seconds = timed([&] {
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    grid.grab();
  });
  report("Ctrl+End and paint", seconds, at());
}

// "输出" in `format` (the save dialog's entry 1..4) to `path`.
void exportTo(FakePlatform &platform, QToolButton *button, int format,
              const QString &path, const char *step) {
  platform.saveDialog.choice = SaveDialogChoice{path, format};
  const double seconds = timed([&] { button->click(); });
  report(step, seconds,
         QStringLiteral("%1 MiB").arg(QFileInfo(path).size() / 1048576.0, 0,
                                      'f', 1));
}

void headerWindow(const QString &database, const QString &folder) {
  std::printf("main window, %s\n", qPrintable(database));
  FakePlatform platform(createDatabaseEngineFactory());
  storeSettings(platform, database);
  Tfrm_lorquin window(platform.services);
  window.setAttribute(Qt::WA_DeleteOnClose, false);
  window.resize(1600, 900);
  report("start-up (class list)", timed([&] { showStarted(window); }));
  double seconds = timed([&] { window.tbn_query->click(); });
  report("查询, no filter", seconds,
         QStringLiteral("%1 rows").arg(window.ado_bominfomain->recordCount()));
  browse(*window.dbg_bominfomain, *window.ado_bominfomain);
  seconds = timed([&] { window.tbn_query->click(); });
  report("查询 again", seconds,
         QStringLiteral("%1 rows").arg(window.ado_bominfomain->recordCount()));
  exportTo(platform, window.tbn_export, 4, folder + "/headers.txt",
           "输出 text");
  exportTo(platform, window.tbn_export, 1, folder + "/headers.xls", "输出 XLS");
  exportTo(platform, window.tbn_export, 2, folder + "/headers.rtf", "输出 RTF");
}

void componentWindow(const QString &database, const QString &folder) {
  std::printf("component window, %s\n", qPrintable(database));
  FakePlatform platform(createDatabaseEngineFactory());
  storeSettings(platform, database);
  Tfrm_lorquin window(platform.services);
  window.setAttribute(Qt::WA_DeleteOnClose, false);
  showStarted(window);
  window.tbn_query->click();
  platform.messages.answers = {YesNoAnswer::Yes};
  QElapsedTimer clock;
  whenModal([&] {
    Tfrm_bominfo_detail &detail = *frm_bominfo_detail;
    detail.resize(1600, 900);
    report("open, expand to the last level", clock.nsecsElapsed() / 1e9,
           QStringLiteral("%1 rows").arg(detail.ado_bomdetail->recordCount()));
    browse(*detail.dbg_bomdetail, *detail.ado_bomdetail);
    TColumnEh &quantity = detail.dbg_bomdetail->Columns()[5]; // 单件用量
    for (const char *step :
         {"title click: sort ascending", "title click: sort descending"}) {
      const double seconds = timed([&] {
        ApplyTitleSort(*detail.dbg_bomdetail, detail.ado_bomdetail, quantity);
        detail.dbg_bomdetail->grab();
      });
      report(step, seconds, detail.ado_bomdetail->sort());
    }
    exportTo(platform, detail.tbn_export, 4, folder + "/components.txt",
             "输出 text");
    exportTo(platform, detail.tbn_export, 1, folder + "/components.xls",
             "输出 XLS");
    exportTo(platform, detail.tbn_export, 2, folder + "/components.rtf",
             "输出 RTF");
    const double again = timed([&] { detail.tbn_query->click(); });
    report("expand again (查询)", again,
           QStringLiteral("%1 rows").arg(detail.ado_bomdetail->recordCount()));
    detail.close();
  });
  clock.start();
  window.dbg_bominfomainDblClick();
  report("closed", 0);
}

} // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  Application app(argc, argv);
  const QStringList arguments = app.arguments();
  if (arguments.size() < 3) {
    std::fprintf(stderr, "usage: window_bench <header database> <expansion "
                         "database> [folder]\n");
    return 2;
  }
  QTemporaryDir temporary;
  const QString folder = arguments.value(3, temporary.path());
  std::printf("at start: rss %.1f MiB\n", residentMemoryMiB());
  headerWindow(arguments[1], folder);
  componentWindow(arguments[2], folder);
  return 0;
}
