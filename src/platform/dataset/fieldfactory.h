#pragma once

#include "platform/dataset/field.h"

#include <memory>

// The field of the class that matches the type of result column
// `columnIndex` of `dataSet`.
std::unique_ptr<TField> createField(const Query &dataSet, int columnIndex);
