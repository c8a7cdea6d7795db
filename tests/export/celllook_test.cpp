#include "export/celllook.h"

#include "grid/systemcolors.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

struct LookValues {
  int width = 64;
  TAlignment alignment = taLeftJustify;
  TColor background = clInfoBk;
  TFont font;
};

TEST(CellLookTest, NotSetIsNoLook) {
  const LookValues values;
  EXPECT_FALSE(CellLook().is(values.width, values.alignment, values.background,
                             values.font));
}

// Every value the markup is made from tells two looks apart.
TEST(CellLookTest, EveryValueCounts) {
  SystemColors::setCurrent(SystemColors());
  const struct {
    const char *name;
    std::function<void(LookValues &)> change;
  } cases[] = {
      {"width", [](LookValues &v) { v.width = 65; }},
      {"alignment", [](LookValues &v) { v.alignment = taRightJustify; }},
      {"background", [](LookValues &v) { v.background = clWhite; }},
      {"font name", [](LookValues &v) { v.font.setName("黑体"); }},
      {"font height", [](LookValues &v) { v.font.setHeight(-13); }},
      {"pixels per inch", [](LookValues &v) { v.font.setPixelsPerInch(120); }},
      {"font colour", [](LookValues &v) { v.font.setColor(clRed); }},
      {"font style", [](LookValues &v) { v.font.setStyle(fsItalic); }},
  };
  for (const auto &c : cases) {
    LookValues values;
    CellLook look;
    look.set(values.width, values.alignment, values.background, values.font);
    EXPECT_TRUE(
        look.is(values.width, values.alignment, values.background, values.font))
        << c.name;
    c.change(values);
    EXPECT_FALSE(
        look.is(values.width, values.alignment, values.background, values.font))
        << c.name;
  }
}

TEST(CellLookTest, SystemColourWithAnotherValueIsAnotherLook) {
  SystemColors colors;
  SystemColors::setCurrent(colors);
  const LookValues values;
  CellLook look;
  look.set(values.width, values.alignment, values.background, values.font);
  colors.setRgb(int(clInfoBk & 0xFF), 0x123456);
  SystemColors::setCurrent(colors);
  EXPECT_FALSE(
      look.is(values.width, values.alignment, values.background, values.font));
  SystemColors::setCurrent(SystemColors());
}

} // namespace
