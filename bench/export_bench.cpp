// Export benchmark: the four writers over generated grids held in memory,
// 60,000 component rows × 6 columns and 60,000 header rows × 11 columns, each
// written to a file through WriteGridToFile as the export command does.
// Reports throughput (MB/s of the file written) and the extra peak memory of
// each export at half and full row count, next to two references: copying a
// file of the same size with cp (the floor) and writing the same header rows
// as tab-separated GBK text with Python's csv module (a peer). The export
// command's safe replacement flushes the file to disk before it replaces the
// target, which neither reference does; the "plain" column times the same
// export written straight into the file, for a like-for-like comparison.
//
// Usage: export_bench [rows [format [folder]]]   (default 60000 rows, every
// format; a format of xls, rtf, html or txt runs that one alone, for
// profiling, and "all" every format; the files are left in `folder` when one
// is given, to compare the bytes of two builds)

#include "benchgrid.h"
#include "generatedresult.h"
#include "peakmemory.h"

#include "app/bominfomaincolumns.h"
#include "bomdetail/bomdetailcolumns.h"
#include "export/dbgridehexport.h"
#include "export/devicestream.h"
#include "export/exporterclass.h"
#include "grid/bomgridsettings.h"
#include "grid/dbgrideh.h"
#include "platform/database/dbconnection.h"
#include "platform/dataset/datasource.h"
#include "platform/dataset/query.h"
#include "platform/text/regionalformats.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

constexpr int kRepeats = 3;

// Kilobytes of a line ("VmHWM:   1234 kB") of /proc/self/status; -1 where
// there is none.
qint64 statusKilobytes(const char *key) {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly))
    return -1;
  for (const QByteArray &line : status.readAll().split('\n'))
    if (line.startsWith(key))
      return line.mid(qstrlen(key)).trimmed().split(' ').value(0).toLongLong();
  return -1;
}

struct Measurement {
  qint64 bytes = 0;
  double seconds = 0;   // best of kRepeats
  double extraMiB = -1; // peak resident size above the size before
};

Measurement measureExport(TDBGridEh &grid, int filterIndex,
                          const QString &path) {
  Measurement result;
  result.seconds = 1e9;
  for (int run = 0; run < kRepeats; ++run) {
    const std::unique_ptr<TDBGridEhExport> writer =
        exporterClassOfFilterIndex(filterIndex)();
    writer->setGrid(&grid);
    resetPeakMemory();
    const qint64 before = statusKilobytes("VmRSS:");
    QElapsedTimer timer;
    timer.start();
    writer->WriteGridToFile(path, true);
    result.seconds = std::min(result.seconds, timer.nsecsElapsed() / 1e9);
    const qint64 peak = statusKilobytes("VmHWM:");
    if (before >= 0 && peak >= 0)
      result.extraMiB = std::max(0.0, (peak - before) / 1024.0);
  }
  result.bytes = QFileInfo(path).size();
  return result;
}

// Seconds for the best of kRepeats runs of the export written straight into
// the file at `path`: no temporary file, no flush to disk, no replacing.
double measurePlainExport(TDBGridEh &grid, int filterIndex,
                          const QString &path) {
  double best = 1e9;
  for (int run = 0; run < kRepeats; ++run) {
    const std::unique_ptr<TDBGridEhExport> writer =
        exporterClassOfFilterIndex(filterIndex)();
    writer->setGrid(&grid);
    QElapsedTimer timer;
    timer.start();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate |
                   QIODevice::Unbuffered))
      return -1;
    DeviceStream stream(file);
    writer->WriteGridToStream(stream, true);
    file.close();
    best = std::min(best, timer.nsecsElapsed() / 1e9);
  }
  return best;
}

// Seconds for the best of kRepeats runs of `program`, or -1 when it cannot
// be run.
double bestRun(const QString &program, const QStringList &arguments,
               QByteArray *output = nullptr) {
  double best = 1e9;
  for (int run = 0; run < kRepeats; ++run) {
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
      return -1;
    best = std::min(best, timer.nsecsElapsed() / 1e9);
    if (output)
      *output = process.readAllStandardOutput();
  }
  return best;
}

// Writes the header rows with Python's csv module and prints the seconds the
// writing took (generation excluded).
const char *kPythonPeer = R"(
import csv, datetime, sys, time
path, count = sys.argv[1], int(sys.argv[2])
statuses = ["新增", "审核", "停用"]
base = datetime.date(1899, 12, 30)
def day(d): return base + datetime.timedelta(days=d)
def short(d): return "%d-%d-%d" % (d.year, d.month, d.day)
rows = [["存货大类", "存货编码", "存货名称", "存货代码", "规格型号", "类型", "状态",
         "版本", "替代BOM", "生效日期", "结束日期"]]
for i in range(count):
    d = day(45000 + i % 1000)
    rows.append(["成品类%d" % (i % 13), "%08d" % (100000 + i), "主板组件-%d" % i,
                 "A%06d" % i, "%dx%d mm" % (i % 500, i % 300),
                 "主BOM" if i % 5 else "替代BOM", statuses[i % 3], "1.%d" % (i % 10),
                 "" if i % 4 else "替代%d" % (i % 7), short(d), short(d) + " 12:00:00"])
start = time.perf_counter()
with open(path, "w", encoding="gbk", newline="") as f:
    csv.writer(f, delimiter="\t", lineterminator="\r\n").writerows(rows)
print(time.perf_counter() - start)
)";

double megabytesPerSecond(qint64 bytes, double seconds) {
  return seconds > 0 ? bytes / 1e6 / seconds : 0;
}

} // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int rows = argc > 1 ? std::max(2, atoi(argv[1])) : 60000;
  const QByteArray only = argc > 2 && QByteArray(argv[2]) != "all"
                              ? QByteArray(argv[2])
                              : QByteArray();
  RegionalFormats::setCurrent(RegionalFormats());
  QTemporaryDir temporary;
  const QDir folder(argc > 3 ? QString::fromLocal8Bit(argv[3])
                             : temporary.path());
  QTextStream out(stdout);

  struct Dataset {
    const char *name;
    ResultTable (*generate)(int);
    void (*setupColumns)(TDBGridEh &);
  };
  const Dataset datasets[] = {
      {"component", componentRows, setupBomDetailColumns},
      {"header", headerRows, setupBomInfoMainColumns}};
  const char *formats[] = {"", "xls", "rtf", "html", "txt"};
  const double targets[] = {0, 3, 6, 6, 3};

  out << QStringLiteral("%1 rows; best of %2 runs; memory: peak resident size "
                        "above the size before the export\n\n")
             .arg(rows)
             .arg(kRepeats);
  out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9 %10\n")
             .arg("data", -10)
             .arg("format", -6)
             .arg("MB", 8)
             .arg("seconds", 9)
             .arg("MB/s", 8)
             .arg("x cp", 6)
             .arg("plain s", 9)
             .arg("x cp", 6)
             .arg("MiB half", 9)
             .arg("MiB full", 9);
  out.flush();
  double headerSeconds[5] = {};
  double headerPlainSeconds[5] = {};
  for (const Dataset &dataset : datasets) {
    const ResultTable full = dataset.generate(rows);
    const ResultTable half = dataset.generate(rows / 2);
    BenchGrid fullGrid(full, dataset.setupColumns);
    BenchGrid halfGrid(half, dataset.setupColumns);
    for (int index = 1; index <= 4; ++index) {
      if (!only.isEmpty() && only != formats[index])
        continue;
      const QString path = folder.filePath(
          QStringLiteral("%1.%2").arg(dataset.name, formats[index]));
      const Measurement halfRun =
          measureExport(halfGrid.grid, index, path + QStringLiteral(".half"));
      const Measurement fullRun = measureExport(fullGrid.grid, index, path);
      const double plain = measurePlainExport(fullGrid.grid, index,
                                              path + QStringLiteral(".plain"));
      const double copy =
          bestRun(QStringLiteral("cp"), {path, path + QStringLiteral(".copy")});
      const auto timesCopy = [copy](double seconds) {
        return copy > 0 && seconds > 0 ? QString::number(seconds / copy, 'f', 1)
                                       : QStringLiteral("n/a");
      };
      out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9 %10\n")
                 .arg(dataset.name, -10)
                 .arg(formats[index], -6)
                 .arg(fullRun.bytes / 1e6, 8, 'f', 2)
                 .arg(fullRun.seconds, 9, 'f', 4)
                 .arg(megabytesPerSecond(fullRun.bytes, fullRun.seconds), 8,
                      'f', 1)
                 .arg(timesCopy(fullRun.seconds), 6)
                 .arg(plain, 9, 'f', 4)
                 .arg(timesCopy(plain), 6)
                 .arg(halfRun.extraMiB, 9, 'f', 1)
                 .arg(fullRun.extraMiB, 9, 'f', 1);
      if (copy > 0)
        out << QStringLiteral("%1 %2 cp %3 s (%4 MB/s); target within %5x\n")
                   .arg("", -10)
                   .arg("", -6)
                   .arg(copy, 0, 'f', 4)
                   .arg(megabytesPerSecond(fullRun.bytes, copy), 0, 'f', 1)
                   .arg(targets[index]);
      out.flush();
      if (QByteArray(dataset.name) == "header") {
        headerSeconds[index] = fullRun.seconds;
        headerPlainSeconds[index] = plain;
      }
    }
  }

  const QString script = folder.filePath(QStringLiteral("peer.py"));
  QFile scriptFile(script);
  if (scriptFile.open(QIODevice::WriteOnly))
    scriptFile.write(kPythonPeer);
  scriptFile.close();
  QByteArray printed;
  const QString peerOutput = folder.filePath(QStringLiteral("peer.txt"));
  if (bestRun(QStringLiteral("python3"),
              {script, peerOutput, QString::number(rows)}, &printed) < 0) {
    out << "\nPython peer: python3 not available\n";
    return 0;
  }
  const double peerSeconds = printed.trimmed().toDouble();
  const qint64 peerBytes = QFileInfo(peerOutput).size();
  out << QStringLiteral("\nPython csv peer, header rows as GBK text: %1 MB in "
                        "%2 s (%3 MB/s)\n")
             .arg(peerBytes / 1e6, 0, 'f', 2)
             .arg(peerSeconds, 0, 'f', 4)
             .arg(megabytesPerSecond(peerBytes, peerSeconds), 0, 'f', 1);
  for (int index = 1; index <= 4; ++index)
    out << QStringLiteral("  header %1: %2x the peer's time (plain: %3x)\n")
               .arg(formats[index], -4)
               .arg(headerSeconds[index] / peerSeconds, 0, 'f', 2)
               .arg(headerPlainSeconds[index] / peerSeconds, 0, 'f', 2);
  return 0;
}
