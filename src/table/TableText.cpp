#include "TableText.h"

#include "Velmara.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace {

// The whole table is ASCII: it is put together as bytes and widened once,
// rather than a string per number.
void appendNumber(std::string &text, int value)
{
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    text.append(digits, result.ptr);
}

template <typename ValueOf>
void appendLine(std::string &text, const char *label, int stations, ValueOf valueOf)
{
    text += label;
    for (int i = 1; i <= stations; ++i) {
        text += '\t';
        appendNumber(text, valueOf(i));
    }
    text += "\r\n";
}

} // namespace

namespace tabletext {

QString build(const Velmara &v, int numStazioni)
{
    const int n = std::clamp(numStazioni, 0, Velmara::kMaxStazioni);
    // The metre products are taken in int: no stored 16-bit position can
    // overflow there, where the 16-bit arithmetic of old could.
    const auto &st = v.Stazioni;
    std::string text;
    text.reserve(static_cast<std::size_t>(17 * (12 + 6 * n)));
    appendLine(text, "staz.", n, [](int i) { return i; });
    appendLine(text, "x (m)", n, [&](int i) { return 10 * st[i][Velmara::kX]; });
    appendLine(text, "y (m)", n, [&](int i) { return 5110 - 10 * st[i][Velmara::kY]; });
    appendLine(text, "prof. (m)", n, [&](int i) { return int(st[i][Velmara::kProf]); });
    text += "\r\n";
    for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp) {
        const std::string label = "sp. " + std::to_string(sp);
        appendLine(text, label.c_str(), n, [&](int i) { return int(v.Conteggi[i][sp]); });
    }
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace tabletext
