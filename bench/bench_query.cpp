// Opens the header query with all filters empty on a SQLite database
// through the program's own query service, then sorts it by cInvName, and
// prints the times and the peak memory. With --print-sql it only prints
// the header query's text, for the reference programs.
//
//   bench_query <database file>
//   bench_query --print-sql

#include "app/bomheaderquery.h"
#include "peakmemory.h"
#include "platform/database/createdatabaseenginefactory.h"
#include "platform/dataset/query.h"
#include "platform/errors.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  const QStringList arguments = app.arguments();
  if (arguments.size() != 2) {
    std::fprintf(stderr, "usage: bench_query <database file> | --print-sql\n");
    return 2;
  }
  if (arguments[1] == QLatin1String("--print-sql")) {
    std::fputs(bomHeaderSqlLines({}).join(QStringLiteral("\r\n")).toUtf8(),
               stdout);
    std::fputs(";\n", stdout);
    return 0;
  }

  try {
    DbConnection connection(createDatabaseEngineFactory());
    connection.setConnectionString(QStringLiteral("bench"),
                                   {QStringLiteral("embedded"),
                                    arguments[1],
                                    QStringLiteral("bench"),
                                    {}});
    connection.open();
    Query query(QStringLiteral("ado_bominfomain"));
    query.setConnection(&connection);
    declareBomHeaderFields(query);

    QElapsedTimer clock;
    clock.start();
    if (!runBomHeaderQuery(query, {})) {
      std::fprintf(stderr, "bench_query: the header query failed\n");
      return 1;
    }
    const double openSeconds = clock.nsecsElapsed() / 1e9;
    clock.restart();
    query.setSort(QStringLiteral("cInvName ASC"));
    const double sortSeconds = clock.nsecsElapsed() / 1e9;

    std::printf("rows %d\nopen_s %.3f\nsort_s %.3f\npeak_mib %.1f\n",
                query.recordCount(), openSeconds, sortSeconds, peakMemoryMiB());
  } catch (const Error &error) {
    std::fprintf(stderr, "bench_query: %s\n", error.what());
    return 1;
  }
  return 0;
}
