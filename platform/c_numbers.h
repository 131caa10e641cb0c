#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The C runtime's text-number conversions as the stored files and plot files
// expect them, independent of the process locale (the Qt front end switches
// the process to the user's locale, where a decimal comma would break them).
namespace platform {

// atoi: leading white space, an optional sign, decimal digits; anything else
// ends the number and no digits give 0. Out-of-range values saturate at the
// 32-bit limits, as the original runtime's atoi does.
int32_t Atoi(std::string_view text);

// atof: leading white space, then the longest prefix that strtod accepts in
// the "C" locale; no number gives 0.
double Atof(std::string_view text);

// A decimal number typed by the operator or stored in "config.ini": leading
// white space, then the longest part that forms a decimal number (an
// optional sign, digits with at most one point, an optional exponent); no
// hexadecimal, infinity or NaN. No number gives 0; a number beyond the double
// range gives an infinity of its sign.
double ReadDecimal(std::string_view text);

// ReadDecimal as a 32-bit float, a number beyond the float range held at
// the largest float of its sign (as Atoi holds at the 32-bit limits).
float ReadDecimalFloat(std::string_view text);

// printf("%.*f", decimals, value) in the "C" locale.
std::string FormatFixed(double value, int decimals);

}  // namespace platform
