#include "TableText.h"

#include "NumberText.h"
#include "Velmara.h"

#include <algorithm>

namespace {

const QLatin1String kCrLf("\r\n");

QString field(int value)
{
    return QString::fromStdString(numtext::trimmed(value));
}

template <typename ValueOf>
void appendLine(QString &text, const QString &label, int stations, ValueOf valueOf)
{
    text += label;
    for (int i = 1; i <= stations; ++i) {
        text += QLatin1Char('\t');
        text += field(valueOf(i));
    }
    text += kCrLf;
}

} // namespace

namespace tabletext {

QString build(const Velmara &v, int numStazioni)
{
    const int n = std::clamp(numStazioni, 0, Velmara::kMaxStazioni);
    // The metre products are taken in int: no stored 16-bit position can
    // overflow there, where the 16-bit arithmetic of old could.
    const auto &st = v.Stazioni;
    QString text;
    text.reserve(17 * (12 + 6 * n));
    appendLine(text, QStringLiteral("staz."), n, [](int i) { return i; });
    appendLine(text, QStringLiteral("x (m)"), n, [&](int i) { return 10 * st[i][Velmara::kX]; });
    appendLine(text, QStringLiteral("y (m)"), n, [&](int i) { return 5110 - 10 * st[i][Velmara::kY]; });
    appendLine(text, QStringLiteral("prof. (m)"), n, [&](int i) { return int(st[i][Velmara::kProf]); });
    text += kCrLf;
    for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp)
        appendLine(text, QStringLiteral("sp. %1").arg(sp), n, [&](int i) { return int(v.Conteggi[i][sp]); });
    return text;
}

} // namespace tabletext
