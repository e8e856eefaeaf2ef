#pragma once

#include <cstdint>
#include <string>

// Every caption, list and table of the program writes numbers the same way:
// a leading blank for values of 0 or more (a "-" for negative ones), the
// shortest decimal form with "." as the point, no trailing zeros and no zero
// before the point of a value between -1 and 1 (0.3 gives " .3").
namespace numtext {

// Single-precision values keep at most 7 significant digits, doubles 15.
// Values too large or too small for plain decimals use the "1.234568E+07"
// form, with the same sign and leading-blank rules.
std::string str(float value);
std::string strDouble(double value);
std::string str(long long value);
inline std::string str(int value) { return str(static_cast<long long>(value)); }

// The same text without its leading blank.
std::string trimmed(float value);
std::string trimmedDouble(double value);
std::string trimmed(long long value);
inline std::string trimmed(int value) { return trimmed(static_cast<long long>(value)); }

} // namespace numtext

namespace rounding {

// "Rounded": to the nearest whole number, halves to the even neighbour.
double halfEven(double value);
// "Int": rounded down, also for negative values.
double floorOf(double value);

// Whole-number forms for indexes and pixel positions; the value must fit.
int halfEvenInt(double value);
int floorInt(double value);

} // namespace rounding
