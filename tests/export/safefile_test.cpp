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

} // namespace
#endif
