#pragma once

#include <QString>

#include <optional>

// How the analyses write numbers: fixed decimals, a dot as the decimal
// separator, "n.d." where a value is undefined, and never "-0.00".
namespace numeri {

inline const QString kNd = QStringLiteral("n.d.");

QString fisso(double valore, int decimali);
QString fisso(std::optional<double> valore, int decimali);
// A relative error as a percentage with one decimal: "-12.3%".
QString percento(std::optional<double> valore);

// The decimals of each kind of figure.
inline constexpr int kIndici = 3; // H', J', 1 - lambda', d, AMBI
inline constexpr int kMedie = 2;  // means, errors, intervals

} // namespace numeri
