// The reference a plain Qt program sets: reads a query's whole result with a
// forward-only QSqlQuery into one QVector<QVariant> per row, and prints the
// time and the peak memory.
//
//   bench_plainqt <database file> <file holding the query>

#include "peakmemory.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <QVector>
#include <cstdio>

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  const QStringList arguments = app.arguments();
  if (arguments.size() != 3) {
    std::fprintf(stderr, "usage: bench_plainqt <database file> <sql file>\n");
    return 2;
  }
  QFile sqlFile(arguments[2]);
  if (!sqlFile.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "bench_plainqt: cannot read the query\n");
    return 1;
  }
  const QString sql = QString::fromUtf8(sqlFile.readAll()).trimmed();

  QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
  database.setDatabaseName(arguments[1]);
  database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
  if (!database.open()) {
    std::fprintf(stderr, "bench_plainqt: %s\n",
                 qPrintable(database.lastError().text()));
    return 1;
  }

  QElapsedTimer clock;
  clock.start();
  QVector<QVector<QVariant>> rows;
  {
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.exec(sql)) {
      std::fprintf(stderr, "bench_plainqt: %s\n",
                   qPrintable(query.lastError().text()));
      return 1;
    }
    const int columns = query.record().count();
    while (query.next()) {
      QVector<QVariant> row;
      row.reserve(columns);
      for (int i = 0; i < columns; ++i)
        row.append(query.value(i));
      rows.append(std::move(row));
    }
  }
  const double seconds = clock.nsecsElapsed() / 1e9;
  std::printf("rows %lld\nopen_s %.3f\npeak_mib %.1f\n",
              static_cast<long long>(rows.size()), seconds, peakMemoryMiB());
  return 0;
}
