#include "export/twips.h"

#include "export/extendedreal.h"

#include <cstdlib>

namespace {
const ExtendedReal kTwipsPerInch = ExtendedReal::fromInteger(1440);
}

int twipsOf(int pixels, int dpi) {
  const ExtendedReal inches = ExtendedReal::quotient(pixels, dpi);
  return int(*(inches * kTwipsPerInch).truncated());
}

int titleSpacingOf(int vTitleMargin, int dpi) {
  // margin ÷ 2 is exact, so margin ÷ 2 ÷ dpi is one rounding of
  // margin ÷ (2 × dpi).
  const ExtendedReal inches =
      ExtendedReal::quotient(vTitleMargin, 2 * qint64(dpi));
  const ExtendedReal spacing =
      inches * kTwipsPerInch - ExtendedReal::fromInteger(20);
  return std::abs(int(*spacing.truncated()));
}
