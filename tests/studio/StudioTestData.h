#pragma once

#include <QString>
#include <QStringList>

// Surveys and documents for the studio's tests, made by fondalis-analisi's
// own commands run in-process on the program's area.
namespace studiotest {

// The program's area: the build's bin/ folder.
QString areaFolder();

struct Run {
    int status = -1;
    QString out, err;
};
Run analisi(const QStringList &args);

// A survey by `disegno casuale N --seme S` saved as a file in the folder.
QString design(const QString &folder, const QString &name, int stations, int seed);
// A copy of a survey with station `station`'s depth moved by `metres`.
QString withDepthMoved(const QString &survey, const QString &copy, int station, int metres);
// A copy with one count that is not a number: line 9, station 1.
QString broken(const QString &survey, const QString &copy);

// pdftotext's text of a PDF, laid out as on the page; its words in order,
// whatever the spacing; its page count by pdfinfo.
QString pdfText(const QString &pdf);
QStringList pdfWords(const QString &pdf);
int pdfPages(const QString &pdf);

} // namespace studiotest
