#include "platform/database/sqlserverbrowser.h"
#include "platform/errors.h"
#include "support/qtprint.h"
#include "support/sqlbrowserstub.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

TEST(SqlServerBrowserTest, TheAnswerGivesTheInstancesTcpPort) {
  const struct {
    QByteArray answer;
    const char *instance;
    quint16 port; // 0: the lookup fails
  } cases[] = {
      {SqlBrowserStub::answerFor("SQLEXPRESS", 49152), "sqlexpress", 49152},
      {SqlBrowserStub::answer("ServerName;H;InstanceName;A;tcp;1;;"
                              "ServerName;H;InstanceName;B;tcp;2;;"),
       "B", 2},
      {SqlBrowserStub::answerFor("OTHER", 49152), "SQLEXPRESS", 0},
      {SqlBrowserStub::answer(
           "ServerName;H;InstanceName;SQLEXPRESS;np;\\\\H\\pipe;;"),
       "SQLEXPRESS", 0},
      {SqlBrowserStub::answerFor("SQLEXPRESS", 0), "SQLEXPRESS", 0},
      {"not an answer", "SQLEXPRESS", 0},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.answer.toStdString());
    const SqlBrowserStub browser(c.answer);
    ASSERT_TRUE(browser.bound());
    if (c.port != 0)
      EXPECT_EQ(
          sqlServerInstancePort("127.0.0.1", c.instance, 2s, browser.port()),
          c.port);
    else
      EXPECT_THROW(
          sqlServerInstancePort("127.0.0.1", c.instance, 2s, browser.port()),
          DatabaseError);
  }
}

// The question is sent again while the time allows (a datagram may be
// lost), and the lookup gives up when it has run out.
TEST(SqlServerBrowserTest, ABrowserThatNeverAnswersFailsAtTheTimeOut) {
  const SqlBrowserStub browser({});
  ASSERT_TRUE(browser.bound());
  QElapsedTimer clock;
  clock.start();
  EXPECT_THROW(
      sqlServerInstancePort("127.0.0.1", "SQLEXPRESS", 600ms, browser.port()),
      DatabaseError);
  EXPECT_GE(clock.elapsed(), 550);
  EXPECT_LT(clock.elapsed(), 1600);
  EXPECT_GE(browser.questions(), 2);
}

TEST(SqlServerBrowserTest, SettingsWithoutAnInstanceAreLeftAsTheyAre) {
  for (const char *server : {"erp", "erp,1433", "erp\\SQL2008,1433"})
    EXPECT_EQ(serverWithInstancePort(server), server);
}

} // namespace
