#pragma once

#include <QString>
#include <QStringList>

// fondalis-analisi's commands run in-process on the program's area, and
// the PDFs they write read back by poppler, for the tests of every layer
// that shows what the commands print.
namespace analisitest {

// The program's area: the build's bin/ folder.
QString areaFolder();

struct Run {
    int status = -1;
    QString out, err;
};
Run analisi(const QStringList &args);

// A survey by `disegno casuale N --seme S` saved as a file in the folder;
// "" when the command or the writing failed.
QString design(const QString &folder, const QString &name, int stations, int seed);

// A poppler tool's standard output, or a line saying it is missing.
QString poppler(const QString &program, const QStringList &args);
// pdftotext's text of a PDF laid out as on the page, or as it flows; its
// words in order, whatever the spacing; its page count by pdfinfo.
QString pdfText(const QString &pdf);
QString pdfFlowText(const QString &pdf);
QStringList pdfWords(const QString &pdf);
int pdfPages(const QString &pdf);

} // namespace analisitest
