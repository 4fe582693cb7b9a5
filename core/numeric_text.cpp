#include "core/numeric_text.h"

#include <charconv>
#include <cmath>

namespace core
{

double numericValue(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t start = i;
    std::size_t digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    // An exponent counts only when digits follow it: "12e" is 12.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && text[j] >= '0' && text[j] <= '9') {
            while (j < text.size() && text[j] >= '0' && text[j] <= '9')
                ++j;
            i = j;
        }
    }
    double value = 0.0;
    const auto result = std::from_chars(text.data() + start, text.data() + i, value);
    if (result.ec != std::errc())
        return 0.0; // out of range: no sensible number
    return negative ? -value : value;
}

std::string plainDecimal(long long value)
{
    return std::to_string(value);
}

namespace
{

// At least two digits, a sign in front of them: "05", "123", "-05".
std::string twoDigits(long long value)
{
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (digits.size() < 2)
        digits.insert(0, 1, '0');
    return value < 0 ? "-" + digits : digits;
}

} // namespace

std::string minutesSeconds(long long seconds)
{
    const auto minutes = static_cast<long long>(std::floor(static_cast<double>(seconds) / 60.0));
    const long long rest = seconds - 60 * minutes;
    return twoDigits(minutes) + ":" + twoDigits(rest);
}

} // namespace core
