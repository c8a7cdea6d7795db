#include "app/bomheaderquery.h"
#include "bomdetail/expansionquery.h"
#include "platform/dataset/numericfield.h"
#include "platform/dataset/query.h"
#include "platform/text/regionalformats.h"
#include "support/demodatabase.h"
#include "support/fakeengine.h"
#include "support/qtprint.h"

#include <gtest/gtest.h>

namespace {

TEST(ExpansionStatementTest, HasTwoBlanksBeforeTheArguments) {
  EXPECT_EQ(expansionStatement(9785, 32221, ExpandMode::ToLastLevel),
            "exec Pellamar_ExpandCompQty  9785,32221,0");
  EXPECT_EQ(expansionStatement(1, 2, ExpandMode::OneLevel),
            "exec Pellamar_ExpandCompQty  1,2,1");
}

// The expansion procedure of the demo database through the embedded
// engine; the BOMs are found with the header query, as the main window
// finds them.
class ExpansionQueryTest : public ::testing::Test {
protected:
  ExpansionQueryTest() : connection(demoEngineFactory(DemoEngine::Embedded)) {
    connection.setConnectionString(QStringLiteral("demo"), demoLinkInfo());
    header.setConnection(&connection);
    declareBomHeaderFields(header);
    detail.setConnection(&connection);
    declareExpansionFields(detail);
    RegionalFormats::setCurrent(RegionalFormats());
  }
  ~ExpansionQueryTest() override {
    RegionalFormats::setCurrent(RegionalFormats::fromSystem());
  }

  // Expands the main BOM of the item named `name` with the model `model`;
  // returns "name model CQty1" of every component row (some items of the
  // demo database have no model).
  QStringList expand(const QString &name, const QString &model, ExpandMode mode,
                     const QString &status = QString()) {
    BomHeaderFilters filters;
    filters.name = name;
    filters.standard = model;
    filters.type = QStringLiteral("主BOM");
    filters.status = status;
    EXPECT_TRUE(runBomHeaderQuery(header, filters));
    EXPECT_EQ(header.recordCount(), 1) << name << model;
    EXPECT_TRUE(
        runExpansionQuery(detail, header.FieldByName("BomId")->AsInteger(),
                          header.FieldByName("parentId")->AsInteger(), mode));
    QStringList rows;
    for (detail.first(); !detail.eof(); detail.next())
      rows << text("cInvName") + ' ' + text("cInvStd") + ' ' + text("CQty1");
    return rows;
  }

  QString text(const char *field) {
    return detail.FieldByName(QLatin1String(field))->DisplayText();
  }

  DbConnection connection;
  Query header{QStringLiteral("ado_bominfomain")};
  Query detail{QStringLiteral("ado_bomdetail")};
};

TEST_F(ExpansionQueryTest, OneLevelListsTheDirectComponents) {
  EXPECT_EQ(expand("行星减速机", "PL-90 i=10", ExpandMode::OneLevel),
            (QStringList{"行星齿轮组  2", "减速机箱体 PL-90 1",
                         "内六角螺钉 M6×16 6"}));
}

TEST_F(ExpansionQueryTest, LastLevelMultipliesQuantitiesDownTheChain) {
  EXPECT_EQ(expand("行星减速机", "PL-90 i=10", ExpandMode::ToLastLevel),
            (QStringList{
                "行星齿轮组  2",
                "输入轴 PL-90 2",
                "圆钢  4.7",
                "中间轴 PL-90 6",
                "圆钢  10.8",
                "齿轮轴 m2 z18 6",
                "圆钢 20CrMnTi φ80 4.5",
                "轴承组件 6206-2RS 4",
                "平垫圈 10 8",
                "弹簧垫圈 10 4",
                "减速机箱体 PL-90 1",
                "铝棒 6061 φ50 3.4",
                "内六角螺钉 M6×16 6",
            }));
  // UseQty stays the quantity per unit of the direct parent.
  detail.setRecNo(5);
  EXPECT_EQ(text("UseQty"), "1.8");
  EXPECT_EQ(text("cComUnitName"), "千克");
  EXPECT_EQ(text("InvCode"), "0101010021");
}

TEST_F(ExpansionQueryTest, FillsEveryDeclaredColumn) {
  expand("配电箱", "XL-21", ExpandMode::OneLevel, "审核");
  ASSERT_EQ(detail.recordCount(), 3);
  detail.last();
  EXPECT_EQ(text("cInvName"), "缠绕膜");
  EXPECT_EQ(text("UseQty"), "0.1");
  EXPECT_TRUE(detail.FieldByName("ByproductFlag")->AsBoolean());
  EXPECT_EQ(text("Dept"), "0104");
  EXPECT_EQ(text("DepName"), "包装车间");
  EXPECT_EQ(text("WhCode"), "04");
  EXPECT_TRUE(detail.FieldByName("AuxUseQty")->IsNull());
  EXPECT_EQ(text("FVQty"), "1");
  EXPECT_TRUE(detail.FieldByName("Free3")->IsNull());
  EXPECT_EQ(detail.FieldByName("FVQty")->DataType(), FieldType::Word);
  const auto *quantity =
      dynamic_cast<const TBCDField *>(detail.FieldByName("CQty1"));
  ASSERT_NE(quantity, nullptr);
  EXPECT_EQ(quantity->Value(), 1000);
  EXPECT_EQ(quantity->Precision(), 28);
}

TEST_F(ExpansionQueryTest, ABomWithoutComponentsGivesNoRows) {
  EXPECT_TRUE(expand("减速电机", "", ExpandMode::ToLastLevel).isEmpty());
  EXPECT_TRUE(detail.active());
  EXPECT_EQ(detail.recordCount(), 0);
}

TEST_F(ExpansionQueryTest, ABomContainingItselfEndsTheExpansion) {
  EXPECT_EQ(expand("联轴器组件", "", ExpandMode::ToLastLevel),
            (QStringList{"联轴器组件 LX-30 1", "内六角螺钉 M5×12 4"}));
  EXPECT_EQ(expand("离合器组件", "LH-50", ExpandMode::ToLastLevel),
            (QStringList{"制动器组件  1", "离合器组件 LH-50 0.5",
                         "六角螺母 M8 4", "六角螺栓 M8×25 4"}));
}

TEST_F(ExpansionQueryTest, UnknownBomGivesNoRows) {
  EXPECT_TRUE(
      runExpansionQuery(detail, 999999, 999999, ExpandMode::ToLastLevel));
  EXPECT_EQ(detail.recordCount(), 0);
}

TEST(ExpansionQueryFailureTest, FailsAndClosesOnAnyError) {
  auto database = std::make_shared<FakeDatabase>();
  DbConnection connection(fakeEngineFactory(database));
  connection.setConnectionString(QStringLiteral("test"), DbLinkInfo());
  Query query(QStringLiteral("ado_bomdetail"));
  query.setConnection(&connection);
  declareExpansionFields(query);

  // A result without one of the declared columns.
  database->table = makeTable({{"BomId", FieldType::Integer}}, {{1}});
  EXPECT_FALSE(runExpansionQuery(query, 7, 8, ExpandMode::OneLevel));
  EXPECT_EQ(database->statements.last(), "exec Pellamar_ExpandCompQty  7,8,1");
  EXPECT_FALSE(query.active());

  database->failStatementsWith =
      QStringLiteral("Could not find stored procedure");
  EXPECT_FALSE(runExpansionQuery(query, 7, 8, ExpandMode::OneLevel));
  EXPECT_FALSE(query.active());
}

} // namespace
