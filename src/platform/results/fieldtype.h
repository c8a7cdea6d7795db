#pragma once

#include <QString>

// Storage type of a result column, which decides its field class.
enum class FieldType {
  String,     // 8-bit text column (TStringField)
  WideString, // UTF-16 text column (TWideStringField)
  Integer,    // signed 32-bit (TIntegerField)
  Word,       // unsigned 16-bit (TWordField)
  BCD,        // fixed point, ten-thousandths in 64 bits (TBCDField)
  Float,      // double (TFloatField)
  DateTime,   // days since 30 December 1899 as a double (TDateTimeField)
  Boolean,    // (TBooleanField)
};

// A result column a query declares before it opens: opening fails when the
// result lacks it, and its values are stored as `type` whatever type the
// engine reports.
struct FieldDef {
  QString name;
  FieldType type = FieldType::WideString;
  int size = 0;      // characters of a text column
  int precision = 0; // digits of a decimal column, as the database declares
};

// Which of the three storage vectors a type lives in.
enum class StorageKind { Text, Integer, Real };

constexpr StorageKind storageKindOf(FieldType type) {
  switch (type) {
  case FieldType::String:
  case FieldType::WideString:
    return StorageKind::Text;
  case FieldType::Float:
  case FieldType::DateTime:
    return StorageKind::Real;
  default:
    return StorageKind::Integer;
  }
}

// The type's name in messages ("Integer", "WideString", ...).
QString fieldTypeName(FieldType type);
