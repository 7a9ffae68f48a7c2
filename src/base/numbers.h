#ifndef MORVEL_BASE_NUMBERS_H_
#define MORVEL_BASE_NUMBERS_H_

#include <string>
#include <string_view>

#include "base/types.h"

// The one place where numbers become text and text becomes numbers. Every
// loader and editor goes through these, so the figures a user sees and the
// values a user types are treated the same way everywhere.
namespace morvel {

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4,
// -2.5 -> -2). Out of range or NaN raises error 6 "Overflow".
Long RoundToLong(double value);
Integer RoundToInteger(double value);

// Locale-aware conversion of typed text: leading and trailing blanks, an
// optional sign, digits with the locale's decimal separator, an optional
// exponent. Empty or non-numeric text raises error 13 "Type mismatch"; a value
// beyond the target's range raises error 6 "Overflow".
Single TextToSingle(std::string_view text);
double TextToDouble(std::string_view text);

// Formats with one of the patterns "0.0##", "0.0###", "#.0###" and "0.0":
// "0" digits are always written, "#" digits only when not zero; rounds to the
// last place. 2 -> "2.0" and 1.23456 -> "1.235" with "0.0##"; 0 -> ".0" and
// -0.25 -> "-.25" with "#.0###". Any other pattern raises error 5.
std::string FormatNumber(double value, std::string_view pattern);

// The general text of a Single: up to seven significant digits, no trailing
// zeros, "0" before a leading decimal point, exponent form ("1E+10",
// "1E-07") for very large or very small magnitudes.
std::string SingleToText(Single value);

// Plain decimal, no leading blank.
std::string LongToText(Long value);

// The decimal separator of the current locale ("." in the C locale). Parsing
// accepts it; formatting writes it.
char DecimalSeparator();

}  // namespace morvel

#endif  // MORVEL_BASE_NUMBERS_H_
