#pragma once

#include <QString>

#include <memory>
#include <vector>

class QPrinter;
class QWidget;
class Workspace;

// What leaves the studio on the user's request: the report as a PDF or on
// paper (rapporto for one survey, classe for several), and a survey as CSV.
// Each command asks through its dialog; the ...To forms do the work, and
// tell the user when it fails.
class ExportCommands
{
public:
    ExportCommands(const Workspace &workspace, QWidget &parent);
    ~ExportCommands();

    void saveReport(const std::vector<int> &ids);
    bool saveReportTo(const std::vector<int> &ids, const QString &path);

    // The printer "Stampa…" offers, kept while the program runs.
    QPrinter &printer();
    void printReport(const std::vector<int> &ids);
    bool printOn(const std::vector<int> &ids, QPrinter &printer);

    void exportCsv(int id);
    bool exportCsvTo(int id, const QString &path, bool longFormat);

private:
    void warn(const QString &message);

    const Workspace &workspace_;
    QWidget &parent_;
    std::unique_ptr<QPrinter> printer_;
};
