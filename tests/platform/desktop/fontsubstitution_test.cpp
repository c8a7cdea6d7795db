#include "platform/desktop/fontsubstitution.h"

#include "grid/bomgridsettings.h"
#include "grid/dbgrideh.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <gtest/gtest.h>

namespace {

// What the mapping finds depends on the fonts installed; the test checks
// the promise on whatever this machine has.
TEST(FontSubstitution, SongTiResolvesToTwelvePixelLinesWhereAnyExist) {
  const QString family = mapMissingSongTi();
  EXPECT_EQ(mapMissingSongTi(), family); // mapped once, the same each time
  if (QFontDatabase::hasFamily(QStringLiteral("宋体"))) {
    EXPECT_EQ(family, QStringLiteral("宋体"));
    return;
  }
  bool twelvePixelFamilyExists = false;
  for (const QString &candidate :
       QFontDatabase::families(QFontDatabase::SimplifiedChinese)) {
    QFont font(candidate);
    font.setPixelSize(12);
    twelvePixelFamilyExists |= QFontMetrics(font).height() == 12;
  }
  if (!twelvePixelFamilyExists)
    GTEST_SKIP() << "no Chinese font with 12-pixel lines installed";
  QFont songTi(QStringLiteral("宋体"));
  songTi.setPixelSize(12);
  EXPECT_EQ(QFontInfo(songTi).family(), family);
  EXPECT_EQ(QFontMetrics(songTi).height(), 12);

  // Grids measured with the real fonts get the rows of the target machines.
  TDBGridEh grid;
  applyBomGridSettings(grid);
  grid.Columns().Add().Title().setCaption(QStringLiteral("存货编码"));
  EXPECT_EQ(grid.DataRowHeight(), 16);
  EXPECT_EQ(grid.TitleRowHeight(), 19);
}

} // namespace
