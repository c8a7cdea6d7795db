// Converts random UTF-16 text to code page 936 by every route and checks
// they agree, that each character becomes its bytes or one "?", and that the
// bytes read back give the text the screen shows.
#include "fuzzinput.h"

#include "platform/text/codepage936.h"

#include <cstdio>
#include <cstdlib>

namespace {

void require(bool ok, const char *what) {
  if (!ok) {
    std::fprintf(stderr, "code page 936: %s\n", what);
    std::abort();
  }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzInput in(data, size);
  const QString text = in.utf16(int(size / 2));
  const QByteArray bytes = toCodePage936(text);

  QByteArray appended("prefix");
  appendCodePage936(appended, text);
  require(appended == "prefix" + bytes, "append differs from convert");

  QByteArray written(2 * text.size() + 1, '\0');
  char *end = writeCodePage936(written.data(), text);
  require(end - written.data() <= 2 * text.size(), "wrote past 2 bytes a unit");
  require(QByteArrayView(written.data(), end - written.data()) == bytes,
          "write differs from convert");

  // No character takes more than two bytes, a pair no more than one "?".
  require(bytes.size() <= 2 * text.size(), "more than two bytes a unit");

  const QString shown = passThroughCodePage936(text);
  require(shown == fromCodePage936(bytes), "pass-through differs from bytes");
  require(toCodePage936(shown) == bytes, "shown text converts differently");
  require(passThroughCodePage936(QStringView(text)) == shown,
          "view and string pass-through differ");
  return 0;
}
