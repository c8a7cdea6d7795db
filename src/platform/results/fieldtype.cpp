#include "platform/results/fieldtype.h"

QString fieldTypeName(FieldType type) {
  switch (type) {
  case FieldType::String:
    return QStringLiteral("String");
  case FieldType::WideString:
    return QStringLiteral("WideString");
  case FieldType::Integer:
    return QStringLiteral("Integer");
  case FieldType::Word:
    return QStringLiteral("Word");
  case FieldType::BCD:
    return QStringLiteral("BCD");
  case FieldType::Float:
    return QStringLiteral("Float");
  case FieldType::DateTime:
    return QStringLiteral("DateTime");
  case FieldType::Boolean:
    return QStringLiteral("Boolean");
  }
  return {};
}
