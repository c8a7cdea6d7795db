#include "export/devicestream.h"
#include "export/memorystream.h"

#include "platform/errors.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>

namespace {

// A device that stores at most `capacity` bytes in all and then refuses, the
// way a full disk does.
class LimitedDevice : public QIODevice {
public:
  explicit LimitedDevice(qint64 capacity) : m_capacity(capacity) {
    open(QIODevice::WriteOnly);
  }
  QByteArray stored;

protected:
  qint64 readData(char *, qint64) override { return -1; }
  qint64 writeData(const char *data, qint64 size) override {
    const qint64 taken = std::min(size, m_capacity - stored.size());
    stored.append(data, taken);
    return taken;
  }

private:
  qint64 m_capacity;
};

void expectWriteError(const std::function<void()> &action) {
  try {
    action();
    FAIL() << "no error";
  } catch (const StreamError &error) {
    EXPECT_EQ(error.message(), QStringLiteral("Stream write error"));
  }
}

TEST(DeviceStreamTest, DeliversPiecesInOrderOnFlush) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  DeviceStream stream(buffer);
  stream.write("ab");
  stream.write("");
  stream.write("cd");
  EXPECT_TRUE(buffer.data().isEmpty());
  stream.flush();
  EXPECT_EQ(buffer.data(), QByteArray("abcd"));
}

TEST(DeviceStreamTest, LargeAndManyWritesArriveWhole) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  DeviceStream stream(buffer);
  QByteArray expected;
  for (int i = 0; i < 50000; ++i) {
    const QByteArray piece = QByteArray::number(i) + '\t';
    stream.write(piece);
    expected += piece;
  }
  const QByteArray big(300000, 'z');
  stream.write(big);
  expected += big;
  stream.write("end");
  expected += "end";
  stream.flush();
  EXPECT_EQ(buffer.data(), expected);
}

TEST(DeviceStreamTest, ShortWriteIsAnError) {
  LimitedDevice device(10);
  DeviceStream stream(device);
  stream.write("0123456789abc");
  expectWriteError([&] { stream.flush(); });
  EXPECT_EQ(device.stored, QByteArray("0123456789"));
  // The refused bytes are not offered again.
  stream.flush();
}

TEST(DeviceStreamTest, LargeWriteToAFullDeviceIsAnError) {
  LimitedDevice device(0);
  DeviceStream stream(device);
  expectWriteError([&] { stream.write(QByteArray(200000, 'x')); });
}

TEST(DeviceStreamTest, FullDeviceFileIsAnError) {
  if (!QFile::exists(QStringLiteral("/dev/full")))
    GTEST_SKIP() << "no full device here";
  for (const QIODevice::OpenMode mode :
       {QIODevice::OpenMode(QIODevice::WriteOnly),
        QIODevice::WriteOnly | QIODevice::Unbuffered}) {
    QFile file(QStringLiteral("/dev/full"));
    ASSERT_TRUE(file.open(mode));
    DeviceStream stream(file);
    stream.write("a few bytes");
    expectWriteError([&] { stream.flush(); });
  }
}

TEST(MemoryStreamTest, KeepsEverything) {
  MemoryStream stream;
  stream.write("ab");
  stream.write(QByteArray(3, '\0'));
  stream.flush();
  EXPECT_EQ(stream.bytes(), QByteArray("ab\0\0\0", 5));
}

} // namespace
