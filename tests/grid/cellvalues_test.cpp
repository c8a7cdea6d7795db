#include "gridfixture.h"

#include "grid/cellcheckboxstate.h"
#include "grid/cellimageindex.h"

namespace {

class CellValuesTest : public GridFixture {
protected:
  void SetUp() override {
    open(makeTable({{"Flag", FieldType::Boolean},
                    {"Text", FieldType::WideString},
                    {"Num", FieldType::Integer}},
                   {{1, QStringLiteral("Yes"), 2},
                    {0, QStringLiteral("off"), 7},
                    {QVariant(), QVariant(), QVariant()}}));
  }

  TCheckBoxState stateAt(TColumnEh &column, int position) {
    query.setActiveRecord(position);
    const TCheckBoxState state = cellCheckboxState(column);
    query.clearActiveRecord();
    return state;
  }

  int imageAt(TColumnEh &column, int position) {
    query.setActiveRecord(position);
    const int index = cellImageIndex(column);
    query.clearActiveRecord();
    return index;
  }
};

TEST_F(CellValuesTest, CheckboxStateOfBooleanNullAndFieldlessColumns) {
  TColumnEh &flag = addColumn("Flag");
  EXPECT_EQ(stateAt(flag, 0), cbChecked);
  EXPECT_EQ(stateAt(flag, 1), cbUnchecked);
  EXPECT_EQ(stateAt(flag, 2), cbGrayed);
  EXPECT_EQ(stateAt(addColumn("Missing"), 0), cbUnchecked);
}

TEST_F(CellValuesTest, CheckboxStateFromTheKeyList) {
  TColumnEh &text = addColumn("Text");
  EXPECT_EQ(stateAt(text, 0), cbGrayed); // empty key list

  text.setKeyList({QStringLiteral("y;YES;1")});
  EXPECT_EQ(stateAt(text, 0), cbChecked); // case ignored
  EXPECT_EQ(stateAt(text, 1), cbGrayed);  // no second entry

  text.setKeyList({QStringLiteral("y;yes"), QStringLiteral("no;OFF")});
  EXPECT_EQ(stateAt(text, 1), cbUnchecked);
  EXPECT_EQ(stateAt(text, 2), cbGrayed); // null

  // Numbers compare by their edit text.
  TColumnEh &num = addColumn("Num");
  num.setDisplayFormat(QStringLiteral("0.00"));
  num.setKeyList({QStringLiteral("2"), QStringLiteral("7")});
  EXPECT_EQ(stateAt(num, 0), cbChecked);
  EXPECT_EQ(stateAt(num, 1), cbUnchecked);
}

TEST_F(CellValuesTest, ImageIndexOnlyForColumnsWithImagesByKey) {
  TColumnEh &text = addColumn("Text");
  text.setKeyList({QStringLiteral("off"), QStringLiteral("YES")});
  EXPECT_EQ(imageAt(text, 0), -1); // no image list

  text.setHasImageList(true);
  EXPECT_EQ(imageAt(text, 0), 1);
  EXPECT_EQ(imageAt(text, 1), 0);
  EXPECT_EQ(imageAt(text, 2), -1); // NotInKeyListIndex default
  text.setNotInKeyListIndex(4);
  EXPECT_EQ(imageAt(text, 2), 4);

  TColumnEh &bare = addColumn("Num");
  bare.setHasImageList(true);
  EXPECT_EQ(imageAt(bare, 0), -1); // empty key list
}

} // namespace
