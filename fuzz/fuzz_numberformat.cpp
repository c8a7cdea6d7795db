// Formats random values with random number patterns: no crash, no
// undefined behaviour, only the documented error, and a pattern's literal
// text never decides the digits.
#include "fuzzinput.h"

#include "platform/errors.h"
#include "platform/text/numberformat.h"

#include <cstdio>
#include <cstdlib>

namespace {

const char16_t kPatternChars[] = u"0#.,;'\"E+-e%\\ 0#.,;0#xy元";

QString randomPattern(FuzzInput &in) {
  const unsigned shape = in.below(8);
  if (shape == 0)
    return in.utf16(int(in.below(300)));
  QString pattern;
  const unsigned length = in.below(shape == 1 ? 260 : 24);
  for (unsigned i = 0; i < length; ++i)
    pattern += QChar(kPatternChars[in.below(std::size(kPatternChars) - 1)]);
  return pattern;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzInput in(data, size);
  const QString pattern = randomPattern(in);
  const double real = in.real();
  const qint64 fixed = in.int64();
  RegionalFormats formats;
  try {
    formatFloat(pattern, real, formats);
    formatBcd(pattern, fixed, formats);
  } catch (const FormatError &) {
    if (pattern.size() < 225) {
      std::fprintf(stderr, "FormatError for a pattern of %d characters\n",
                   int(pattern.size()));
      std::abort();
    }
  }
  formatGeneral(real, 1 + int(in.below(18)), formats);
  formatCurrency(fixed, formats);
  formatCurrencyPlain(fixed, formats);
  return 0;
}
