#pragma once

#include <cfloat>

// On x86 with GCC or Clang, long double is the 80-bit extended type itself:
// the reference the integer arithmetic must agree with bit for bit. Tests
// against it are skipped where long double is a plain double (MSVC).
constexpr bool kHaveExtended = LDBL_MANT_DIG == 64;
