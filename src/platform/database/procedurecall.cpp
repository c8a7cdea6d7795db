#include "platform/database/procedurecall.h"

#include <QRegularExpression>

std::optional<ProcedureCall> parseProcedureCall(QStringView sql) {
  static const QRegularExpression pattern(
      QStringLiteral(R"(^\s*exec\s+(\w+)(?:\s+([-+\d\s,]*?))?\s*;?\s*$)"),
      QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = pattern.match(sql);
  if (!match.hasMatch())
    return std::nullopt;
  ProcedureCall call{match.captured(1), {}};
  const QString arguments = match.captured(2);
  if (arguments.isEmpty())
    return call;
  for (const QString &argument : arguments.split(QLatin1Char(','))) {
    bool ok = false;
    call.arguments.append(argument.trimmed().toLongLong(&ok));
    if (!ok)
      return std::nullopt;
  }
  return call;
}
