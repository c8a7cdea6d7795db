// Builds the header query from random filter texts: whatever a user types,
// the statement keeps its structure, each filter staying inside its own
// string literal.
#include "fuzzinput.h"

#include "app/bomheaderquery.h"

#include <cstdio>
#include <cstdlib>

namespace {

const char16_t kFilterChars[] = u"'\"%_[]-;/*\\ \t\r\nab1中";

QString randomFilter(FuzzInput &in) {
  if (in.below(4) == 0)
    return in.utf16(int(in.below(40)));
  QString text;
  const unsigned length = in.below(20);
  for (unsigned i = 0; i < length; ++i)
    text += QChar(kFilterChars[in.below(std::size(kFilterChars) - 1)]);
  return text;
}

// The statement with every string literal's contents removed: what remains
// is its structure.
QString structureOf(const QStringList &lines) {
  const QString sql = lines.join(QStringLiteral("\r\n"));
  QString out;
  bool inLiteral = false;
  for (qsizetype i = 0; i < sql.size(); ++i) {
    const QChar c = sql[i];
    if (c == u'\'') {
      if (inLiteral && i + 1 < sql.size() && sql[i + 1] == u'\'') {
        ++i;
        continue;
      }
      inLiteral = !inLiteral;
      out += c;
    } else if (!inLiteral) {
      out += c;
    }
  }
  if (inLiteral)
    out += QStringLiteral("<unterminated>");
  return out;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzInput in(data, size);
  const QString typeChoices[] = {QString(), QStringLiteral("主BOM"),
                                 QStringLiteral("替代BOM")};
  const QString statusChoices[] = {QString(), QStringLiteral("新增"),
                                   QStringLiteral("审核"),
                                   QStringLiteral("停用")};
  BomHeaderFilters typed;
  typed.code = randomFilter(in);
  typed.standard = randomFilter(in);
  typed.addCode = randomFilter(in);
  typed.name = randomFilter(in);
  typed.className = randomFilter(in);
  typed.type = typeChoices[in.below(3)];
  typed.status = statusChoices[in.below(4)];

  // The same filters with every text replaced by one letter: the statement
  // must differ only inside the literals.
  BomHeaderFilters plain = typed;
  for (QString *text : {&plain.code, &plain.standard, &plain.addCode,
                        &plain.name, &plain.className})
    *text = text->trimmed().isEmpty() ? QString() : QStringLiteral("x");

  const QStringList lines = bomHeaderSqlLines(typed);
  if (lines.size() != 23 ||
      structureOf(lines) != structureOf(bomHeaderSqlLines(plain))) {
    std::fprintf(stderr, "structure changed:\n%s\n",
                 qPrintable(lines.join(QLatin1Char('\n'))));
    std::abort();
  }
  return 0;
}
