#include "platform/text/maskformat.h"

namespace {

bool takesCharacter(QChar c) { return QStringView(u"09#LlAaCc").contains(c); }

} // namespace

QString formatMaskText(QStringView mask, QStringView text) {
  QString out;
  qsizetype next = 0;
  for (qsizetype i = 0; i < mask.size(); ++i) {
    const QChar c = mask[i];
    if (c == u';')
      break;
    if (c == u'\\') {
      if (++i < mask.size())
        out += mask[i];
    } else if (!takesCharacter(c)) {
      out += c;
    } else if (next < text.size()) {
      out += text[next++];
    }
  }
  return out;
}
