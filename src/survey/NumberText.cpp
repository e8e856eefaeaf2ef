#include "NumberText.h"

#include <cfenv>
#include <cmath>
#include <cstdio>

namespace {

// %g already gives the shortest form within the precision, drops trailing
// zeros and switches to an exponent exactly where plain decimals stop being
// exact; what remains is the sign rule and the missing leading zero.
std::string formatted(double value, int significantDigits)
{
    if (value == 0.0)
        return " 0"; // also for -0.0: the sign of a zero is never shown
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", significantDigits, value);
    std::string text(buffer);

    const bool negative = text.front() == '-';
    std::string digits = negative ? text.substr(1) : text;
    if (digits.size() > 1 && digits[0] == '0' && digits[1] == '.')
        digits.erase(0, 1);
    for (char &c : digits) {
        if (c == 'e')
            c = 'E';
    }
    digits.insert(digits.begin(), negative ? '-' : ' ');
    return digits;
}

std::string withoutBlank(std::string text)
{
    if (!text.empty() && text.front() == ' ')
        text.erase(0, 1);
    return text;
}

} // namespace

namespace numtext {

std::string str(float value) { return formatted(static_cast<double>(value), 7); }
std::string strDouble(double value) { return formatted(value, 15); }

std::string str(long long value)
{
    std::string text = std::to_string(value);
    if (value >= 0)
        text.insert(text.begin(), ' ');
    return text;
}

std::string trimmed(float value) { return withoutBlank(str(value)); }
std::string trimmedDouble(double value) { return withoutBlank(strDouble(value)); }
std::string trimmed(long long value) { return std::to_string(value); }

} // namespace numtext

namespace rounding {

double halfEven(double value)
{
    // nearbyint follows the current rounding mode; make the mode explicit so
    // that a library that changed it cannot change our results. Setting the
    // mode costs far more than reading it, and pixel mapping rounds often.
    const int previous = std::fegetround();
    if (previous == FE_TONEAREST)
        return std::nearbyint(value);
    std::fesetround(FE_TONEAREST);
    const double result = std::nearbyint(value);
    std::fesetround(previous);
    return result;
}

double floorOf(double value) { return std::floor(value); }

int halfEvenInt(double value) { return static_cast<int>(halfEven(value)); }
int floorInt(double value) { return static_cast<int>(std::floor(value)); }

} // namespace rounding
