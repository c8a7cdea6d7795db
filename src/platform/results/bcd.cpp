#include "platform/results/bcd.h"

#include "platform/text/decimalnumber.h"

std::optional<qint64> bcdFromText(QStringView text) {
  // Any character outside Latin-1 becomes "?", which no number holds.
  const QByteArray latin = text.toLatin1();
  const std::optional<DecimalNumber> number =
      DecimalNumber::parse(std::string_view(latin.constData(), latin.size()));
  if (!number)
    return std::nullopt;
  return number->toScaled(4);
}

QString bcdToText(qint64 tenThousandths, QChar decimalSeparator) {
  // The magnitude in unsigned arithmetic, so that the smallest qint64 works.
  const quint64 magnitude = tenThousandths < 0 ? 0 - quint64(tenThousandths)
                                               : quint64(tenThousandths);
  QString text = QString::number(magnitude / 10000);
  if (const quint64 fraction = magnitude % 10000) {
    QString digits = QString::number(fraction).rightJustified(4, u'0');
    while (digits.endsWith(u'0'))
      digits.chop(1);
    text += decimalSeparator + digits;
  }
  if (tenThousandths < 0)
    text.prepend(u'-');
  return text;
}

double bcdToDouble(qint64 tenThousandths) {
  return double(tenThousandths) / 10000;
}
