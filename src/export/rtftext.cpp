#include "export/rtftext.h"

#include "export/markupbuffer.h"

void appendRtfText(MarkupBuffer &out, QStringView text) {
  // The three are ASCII, which the code page writes as it is, so the text
  // between them is converted in pieces.
  qsizetype plain = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c != u'\\' && c != u'{' && c != u'}')
      continue;
    out.appendText(text.sliced(plain, i - plain));
    out.append('\\');
    out.append(char(c));
    plain = i + 1;
  }
  out.appendText(text.sliced(plain));
}
