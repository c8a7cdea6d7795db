#include "export/safefile.h"

#include "platform/errors.h"
#include "support/filefaults.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

class SafeFileTest : public testing::Test {
protected:
  QTemporaryDir folder;
  QString target() const {
    return folder.filePath(QStringLiteral("BOM查询-20240305.xls"));
  }
  QStringList entries() const {
    return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
  }
};

TEST_F(SafeFileTest, CommitReplacesTheTarget) {
  ASSERT_TRUE(writeFile(target(), "old content that is longer"));
  {
    SafeFile file(target());
    file.stream().write("new");
    EXPECT_EQ(contentOf(target()), QByteArray("old content that is longer"));
    file.commit();
  }
  EXPECT_EQ(contentOf(target()), QByteArray("new"));
  EXPECT_EQ(entries(), QStringList{QStringLiteral("BOM查询-20240305.xls")});
}

TEST_F(SafeFileTest, CommitCreatesAMissingTarget) {
  {
    SafeFile file(target());
    file.commit();
  }
  EXPECT_EQ(contentOf(target()), QByteArray());
}

TEST_F(SafeFileTest, WithoutCommitTheTargetStaysAndNothingIsLeft) {
  ASSERT_TRUE(writeFile(target(), "keep me"));
  {
    SafeFile file(target());
    file.stream().write(QByteArray(200000, 'x'));
  }
  EXPECT_EQ(contentOf(target()), QByteArray("keep me"));
  EXPECT_EQ(entries(), QStringList{QStringLiteral("BOM查询-20240305.xls")});
}

TEST_F(SafeFileTest, WithoutCommitNoTargetAppears) {
  { SafeFile file(target()); }
  EXPECT_TRUE(entries().isEmpty());
}

TEST_F(SafeFileTest, FolderThatCannotBeWrittenCannotCreateTheFile) {
  const QString name = folder.filePath(QStringLiteral("missing/out.txt"));
  try {
    SafeFile file(name);
    FAIL() << "created";
  } catch (const StreamError &error) {
    EXPECT_EQ(error.message(), QStringLiteral("Cannot create file ") + name);
  }
}

} // namespace

#ifdef Q_OS_UNIX
#include <QFileDevice>
#include <QFileInfo>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

TEST_F(SafeFileTest, FolderRefusingNewFilesGetsTheTargetWrittenInPlace) {
  ASSERT_TRUE(writeFile(target(), "old content that is longer"));
  const bool written =
      whereFolderRefusesNewFiles(folder.path(), {target()}, [&] {
        try {
          SafeFile file(target());
          file.stream().write("new");
          file.commit();
          return true;
        } catch (const StreamError &) {
          return false;
        }
      });
  EXPECT_TRUE(written);
  EXPECT_EQ(contentOf(target()), QByteArray("new"));
  EXPECT_EQ(entries(), QStringList{QStringLiteral("BOM查询-20240305.xls")});
}

TEST_F(SafeFileTest, ReplacedFileKeepsItsPermissions) {
  ASSERT_TRUE(writeFile(target(), "old"));
  const auto permissions =
      QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther;
  QFile::setPermissions(target(), permissions);
  {
    SafeFile file(target());
    file.stream().write("new");
    file.commit();
  }
  EXPECT_EQ(contentOf(target()), QByteArray("new"));
  const auto ownerGroupOther = QFileDevice::Permissions(0xF0FF);
  EXPECT_EQ(QFile::permissions(target()) & ownerGroupOther, permissions);
}

// Opens the read end of `pipe` after `delay` unless cancelled first: a
// writer blocked on opening the pipe is then set free, so a test whose
// writer waits fails instead of hanging.
class PipeReliever {
public:
  PipeReliever(const QString &pipe, std::chrono::milliseconds delay)
      : m_thread([this, pipe, delay] {
          std::unique_lock lock(m_mutex);
          if (!m_cancelled.wait_for(lock, delay, [this] { return m_done; }))
            m_reader = ::open(QFile::encodeName(pipe).constData(),
                              O_RDONLY | O_NONBLOCK);
        }) {}
  ~PipeReliever() {
    {
      std::lock_guard lock(m_mutex);
      m_done = true;
    }
    m_cancelled.notify_one();
    m_thread.join();
    if (m_reader >= 0)
      ::close(m_reader);
  }
  PipeReliever(const PipeReliever &) = delete;
  PipeReliever &operator=(const PipeReliever &) = delete;

private:
  std::mutex m_mutex;
  std::condition_variable m_cancelled;
  bool m_done = false;
  int m_reader = -1;
  std::thread m_thread;
};

// A named pipe nobody reads fails at once instead of freezing the export;
// one with a reader gets the bytes, as any device does.
TEST_F(SafeFileTest, APipeWithoutAReaderCannotBeCreatedAtOnce) {
  const QString pipe = folder.filePath(QStringLiteral("pipe.xls"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  {
    const PipeReliever reliever(pipe, std::chrono::seconds(3));
    try {
      SafeFile file(pipe);
      ADD_FAILURE() << "the pipe was opened without a reader";
    } catch (const StreamError &error) {
      EXPECT_EQ(error.message(), "Cannot create file " + pipe);
    }
  }

  const int reader =
      ::open(QFile::encodeName(pipe).constData(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  {
    SafeFile file(pipe);
    file.stream().write("bytes");
    file.commit();
  }
  char received[16] = {};
  EXPECT_EQ(::read(reader, received, sizeof received), 5);
  EXPECT_STREQ(received, "bytes");
  ::close(reader);
  EXPECT_EQ(entries(), QStringList{});
  EXPECT_FALSE(QFileInfo(pipe).isFile());
}

} // namespace
#endif
