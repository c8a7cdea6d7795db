// Runs a fuzz target over stored inputs (files, or every file of a folder):
// the crash inputs found so far and the seed corpus, as a regression test in
// every build, without the fuzzer.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

int main(int argc, char **argv) {
  LLVMFuzzerInitialize(&argc, &argv);
  QStringList files;
  for (int i = 1; i < argc; ++i) {
    const QFileInfo info(QString::fromLocal8Bit(argv[i]));
    if (!info.isDir()) {
      files << info.filePath();
      continue;
    }
    for (const QFileInfo &entry :
         QDir(info.filePath()).entryInfoList(QDir::Files, QDir::Name))
      files << entry.filePath();
  }
  for (const QString &name : files) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
      std::fprintf(stderr, "cannot read %s\n", qPrintable(name));
      return 1;
    }
    const QByteArray bytes = file.readAll();
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()),
                           size_t(bytes.size()));
  }
  std::printf("%d inputs ran\n", int(files.size()));
  return files.isEmpty() ? 1 : 0;
}
