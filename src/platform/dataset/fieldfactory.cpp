#include "platform/dataset/fieldfactory.h"

#include "platform/dataset/booleanfield.h"
#include "platform/dataset/datetimefield.h"
#include "platform/dataset/numericfield.h"
#include "platform/dataset/query.h"
#include "platform/dataset/stringfield.h"

std::unique_ptr<TField> createField(const Query &dataSet, int columnIndex) {
  switch (dataSet.result().column(columnIndex).type()) {
  case FieldType::String:
    return std::make_unique<TStringField>(dataSet, columnIndex);
  case FieldType::WideString:
    return std::make_unique<TWideStringField>(dataSet, columnIndex);
  case FieldType::Integer:
    return std::make_unique<TIntegerField>(dataSet, columnIndex);
  case FieldType::Word:
    return std::make_unique<TWordField>(dataSet, columnIndex);
  case FieldType::BCD:
    return std::make_unique<TBCDField>(dataSet, columnIndex);
  case FieldType::Float:
    return std::make_unique<TFloatField>(dataSet, columnIndex);
  case FieldType::DateTime:
    return std::make_unique<TDateTimeField>(dataSet, columnIndex);
  case FieldType::Boolean:
    return std::make_unique<TBooleanField>(dataSet, columnIndex);
  }
  return nullptr;
}
