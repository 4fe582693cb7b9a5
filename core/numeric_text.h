#pragma once
// Counters and stored results are decimal texts. This is the one parse and the one
// write-back used for all of them.

#include <string>
#include <string_view>

namespace core
{

// The number the text begins with (leading blanks skipped, an optional sign, digits with an
// optional fraction and exponent); 0 for an empty text or one that does not begin with a number.
double numericValue(std::string_view text);

// Plain decimal digits: no sign for positives, no blank, no separators.
std::string plainDecimal(long long value);

// Whole seconds as minutes and seconds: minutes with at least two digits, never cut or
// wrapped into hours ("00:00", "01:01", "100:00", "600:00").
std::string minutesSeconds(long long seconds);

} // namespace core
