#include "platform/database/procedurecall.h"

#include "support/qtprint.h"

#include <gtest/gtest.h>

namespace {

TEST(ProcedureCallTest, ReadsNameAndIntegerArguments) {
  const struct {
    const char *sql;
    const char *name;
    QList<qint64> arguments;
  } cases[] = {
      {"exec Pellamar_ExpandCompQty  9785,32221,0",
       "Pellamar_ExpandCompQty",
       {9785, 32221, 0}},
      {"EXEC p 1", "p", {1}},
      {"  exec\tp   -3 , 4 ,5  ", "p", {-3, 4, 5}},
      {"exec p 1,2;", "p", {1, 2}},
      {"exec p", "p", {}},
      {"exec p  9223372036854775807", "p", {9223372036854775807LL}},
  };
  for (const auto &c : cases) {
    const auto call = parseProcedureCall(QString::fromUtf8(c.sql));
    ASSERT_TRUE(call) << c.sql;
    EXPECT_EQ(call->name, QString::fromUtf8(c.name)) << c.sql;
    EXPECT_EQ(call->arguments, c.arguments) << c.sql;
  }
}

TEST(ProcedureCallTest, LeavesOtherStatementsAlone) {
  for (const char *sql :
       {"select 1", "execute p 1", "exec", "exec p 1,x", "exec p 1,,2",
        "exec p 1.5", "exec p 'a'", "exec p 1; delete from t",
        "select * from t where a = 'exec p 1'", "exec p 99999999999999999999"})
    EXPECT_FALSE(parseProcedureCall(QString::fromUtf8(sql))) << sql;
}

} // namespace
