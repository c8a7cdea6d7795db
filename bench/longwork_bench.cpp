// Long-work benchmark: how long the window's thread stays away from its
// event loop while the real windows run their longest work, and how soon
// "取消" (Esc) gives the window back.
//
//   longwork_bench <header database> <expansion database> [folder]
//
// The databases are those of bench/run-window-bench.sh (200,000 headers;
// one BOM of 1,000,000 components). A 16 ms timer runs on the window's
// thread; its largest gap between two ticks is the longest time the thread
// did not return to its event loop. For each piece of work it prints: the
// work done the old way, blocking the thread (time and gap), the same work
// through the window (time and gap), and the time from Esc, pressed a third
// of the way through the work (for the export: while it walks the rows),
// until the window's handler returned.

#include "app/application.h"
#include "app/bomheaderquery.h"
#include "app/unt_lorquin.h"
#include "bomdetail/expansionquery.h"
#include "bomdetail/unt_bominfo_detail.h"
#include "export/dbgridehexport.h"
#include "export/exporterclass.h"
#include "gapprobe.h"
#include "grid/dbgrideh.h"
#include "platform/database/createdatabaseenginefactory.h"
#include "platform/database/odbcconnectionstring.h"
#include "platform/database/odbcengine.h"
#include "platform/dataset/query.h"
#include "support/fakeplatform.h"
#include "support/tdstestserver.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <functional>

namespace {

struct Measured {
  double seconds = 0;
  qint64 longestGapMs = 0;
};

Measured measure(const std::function<void()> &work) {
  GapProbe probe;
  probe.start();
  QElapsedTimer clock;
  clock.start();
  work();
  const double seconds = clock.nsecsElapsed() / 1e9;
  return {seconds, probe.stop()};
}

Measured faster(const Measured &a, const Measured &b) {
  return a.seconds <= b.seconds ? a : b;
}

// Presses Esc after `delay` and returns the time from the press until
// `work` returned.
double cancelToUsable(int delayMs, QWidget *window,
                      const std::function<void()> &work) {
  QElapsedTimer sinceEscape;
  QTimer::singleShot(delayMs, [&] {
    sinceEscape.start();
    QTest::keyClick(window, Qt::Key_Escape);
  });
  work();
  return sinceEscape.isValid() ? sinceEscape.nsecsElapsed() / 1e6 : -1;
}

void report(const char *work, const Measured &before, const Measured &after,
            double cancelMs, const QString &detail) {
  std::printf("%s (%s)\n", work, detail.toUtf8().constData());
  std::printf("  blocking:     %8.3f s   longest gap %6lld ms\n",
              before.seconds, static_cast<long long>(before.longestGapMs));
  std::printf("  long work:    %8.3f s   longest gap %6lld ms   (%+.1f %%)\n",
              after.seconds, static_cast<long long>(after.longestGapMs),
              before.seconds > 0 ? (after.seconds / before.seconds - 1) * 100
                                 : 0.0);
  std::printf("  Esc to usable: %7.1f ms\n", cancelMs);
  std::fflush(stdout);
}

void storeSettings(FakePlatform &platform, const QString &server,
                   const QString &database) {
  platform.store->values = {{"dbserver", server},
                            {"dbdatabase", database},
                            {"dbuser", "bench"},
                            {"dbpassword", ""}};
}

void headerQuery(const QString &database) {
  FakePlatform platform(createDatabaseEngineFactory());
  storeSettings(platform, "embedded", database);
  Tfrm_lorquin window(platform.services);
  window.setAttribute(Qt::WA_DeleteOnClose, false);
  window.resize(1600, 900);
  showStarted(window);
  const Measured before = measure(
      [&] { runBomHeaderQuery(*window.ado_bominfomain, BomHeaderFilters()); });
  const Measured after = measure([&] { window.tbn_query->click(); });
  const int rows = window.ado_bominfomain->recordCount();
  const double cancel = cancelToUsable(int(after.seconds * 1000 / 3), &window,
                                       [&] { window.tbn_query->click(); });
  report("header query", before, after, cancel,
         QStringLiteral("%1 rows").arg(rows));
}

void expansionAndExport(const QString &database, const QString &folder) {
  FakePlatform platform(createDatabaseEngineFactory());
  storeSettings(platform, "embedded", database);
  Tfrm_lorquin window(platform.services);
  window.setAttribute(Qt::WA_DeleteOnClose, false);
  showStarted(window);
  window.tbn_query->click();
  platform.messages.answers = {YesNoAnswer::Yes};
  whenModal([&] {
    Tfrm_bominfo_detail &detail = *frm_bominfo_detail;
    detail.resize(1600, 900);
    const int bomId = window.ado_bominfomain->FieldByName("BomId")->AsInteger();
    const int parentId =
        window.ado_bominfomain->FieldByName("parentId")->AsInteger();
    detail.ado_bomdetail->close();
    const Measured before = measure([&] {
      runExpansionQuery(*detail.ado_bomdetail, bomId, parentId,
                        ExpandMode::ToLastLevel);
    });
    const Measured after = measure([&] { detail.tbn_query->click(); });
    const int rows = detail.ado_bomdetail->recordCount();
    const double cancel = cancelToUsable(int(after.seconds * 1000 / 3), &detail,
                                         [&] { detail.tbn_query->click(); });
    report("expansion to the last level", before, after, cancel,
           QStringLiteral("%1 rows").arg(rows));

    detail.tbn_query->click();
    const QString path = folder + "/components.rtf";
    platform.saveDialog.choice = SaveDialogChoice{path, 2};
    // A file of a gigabyte: the disk's mood varies more than the work, so
    // each way runs twice, alternately, and the faster run counts.
    Measured written{1e9, 0}, exported{1e9, 0};
    for (int run = 0; run < 2; ++run) {
      written = faster(written, measure([&] {
                         const std::unique_ptr<TDBGridEhExport> writer =
                             exporterClassOfFilterIndex(2)();
                         writer->setGrid(detail.dbg_bomdetail);
                         writer->WriteGridToFile(path, true);
                       }));
      exported = faster(exported, measure([&] { detail.tbn_export->click(); }));
    }
    const double cancelExport =
        cancelToUsable(int(exported.seconds * 1000 / 3), &detail,
                       [&] { detail.tbn_export->click(); });
    report("RTF export", written, exported, cancelExport,
           QStringLiteral("%1 rows").arg(rows));
    detail.close();
  });
  window.dbg_bominfomainDblClick();
}

// A SQL Server that takes the header query and never answers: the 5 s
// statement time-out ends it.
void silentServer() {
  TdsTestServer server([](const QString &sql) {
    TdsReply reply;
    if (sql.startsWith("select distinct  cInvCName"))
      reply.result = TdsResultSet{{{"cInvCName", TdsType::NVarChar, 50},
                                   {"cinvCCode", TdsType::NVarChar, 12}},
                                  {{QString("原材料"), QString("01")}}};
    else if (sql.startsWith("select a.BomId"))
      reply.kind = TdsReply::Kind::Silent;
    return reply;
  });
  FakePlatform platform([](const DbLinkInfo &info) {
    return std::make_unique<OdbcEngine>(
        sqlServerOdbcConnectionString(info, "FreeTDS"),
        std::chrono::seconds(5));
  });
  storeSettings(platform, server.serverSetting(), "UFDATA");
  Tfrm_lorquin window(platform.services);
  window.setAttribute(Qt::WA_DeleteOnClose, false);
  showStarted(window);
  const Measured before = measure(
      [&] { runBomHeaderQuery(*window.ado_bominfomain, BomHeaderFilters()); });
  const Measured after = measure([&] { window.tbn_query->click(); });
  const double cancel =
      cancelToUsable(1000, &window, [&] { window.tbn_query->click(); });
  report("header query, server silent (5 s time-out)", before, after, cancel,
         platform.messages.texts().join(QStringLiteral(", ")));
}

} // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  Application app(argc, argv);
  const QStringList arguments = app.arguments();
  if (arguments.size() < 3) {
    std::fprintf(stderr, "usage: longwork_bench <header database> <expansion "
                         "database> [folder]\n");
    return 2;
  }
  QTemporaryDir temporary;
  const QString folder = arguments.value(3, temporary.path());
  {
    GapProbe idle;
    idle.start();
    QTest::qWait(500);
    std::printf("idle: longest gap %lld ms\n",
                static_cast<long long>(idle.stop()));
  }
  headerQuery(arguments[1]);
  expansionAndExport(arguments[2], folder);
  silentServer();
  return 0;
}
