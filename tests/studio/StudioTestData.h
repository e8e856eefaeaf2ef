#pragma once

#include <QString>

// Surveys for the studio's tests, made by fondalis-analisi's own commands
// run in-process on the program's area.
namespace studiotest {

// The surveys the studio's tests open: `disegno casuale` of 15 stations
// (seed 4) and of 22 (seed 9); a copy of the first with one count that is
// not a number, at line 9, station 1; and one whose station 3 lies 7 m
// deeper than the area says. A field is "" when it could not be made.
struct Surveys {
    QString survey, other, broken, shifted;
    bool complete() const { return !survey.isEmpty() && !other.isEmpty() && !broken.isEmpty() && !shifted.isEmpty(); }
};
Surveys make(const QString &folder);

} // namespace studiotest
