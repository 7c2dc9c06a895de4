#pragma once

#include <string>
#include <string_view>

namespace zelvane::platform {

// Reads a value's text as a decimal number, whatever the user's locale:
// blanks (space, tab) around it, an optional sign, digits with an optional
// point ("5." and ".5" read) and an optional exponent.
// Throws RuntimeError: TypeMismatch for anything else, Overflow beyond the
// range of a double. A magnitude too small for a double reads as zero.
double readNumber(std::string_view text);

// The text of a number plus a step of 0.1, 1 or 10, written as writeNumber
// does. The sum has no more decimal places than the longer of the two, so
// a number written with more places than the step is rounded to them (1.053
// - 1 is 0.053, not 0.0529999999999999); where the step has more, the
// noise lies beyond 15 significant digits (-0.2 - 0.1 is -0.3, not
// -0.30000000000000004). Throws as readNumber does.
std::string addToNumber(std::string_view text, double addend);

// Writes a number as the tool shows it: rounded to 15 significant digits so
// that binary noise never shows (2.3 - 1 is "1.3"), plain notation from
// 0.0001 up to 999999999999999 and exponent form ("1E+15", "1E-05") beyond,
// and never "-0".
std::string writeNumber(double value);

}  // namespace zelvane::platform
