#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// What each reader of the program must keep, whatever bytes it is given:
// either a result that keeps the reader's contract or a refusal with a
// message. The fuzz targets and the corpus test run the very same checks.
namespace fuzzcontracts {

struct Target {
    const char *name; // also the folder of its corpus under tests/fuzz/corpus/
    // Runs the reader on the input; empty when the contract holds, otherwise
    // what broke it.
    QString (*check)(const QByteArray &input);
};

const std::vector<Target> &targets();
const Target *find(const QString &name);

// The area target's input: the bathymetry, then the species pictures,
// parted by this mark; species missing at the end repeat the last picture.
inline constexpr char kPictureMark[] = "#picture#";

} // namespace fuzzcontracts
