#include "ExportCommands.h"

#include "FileChooser.h"
#include "FileDialogs.h"
#include "Stampa.h"
#include "TextExport.h"
#include "Workspace.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

ExportCommands::ExportCommands(const Workspace &workspace, QWidget &parent)
    : workspace_(workspace)
    , parent_(parent)
{
}

ExportCommands::~ExportCommands() = default;

void ExportCommands::warn(const QString &message)
{
    QMessageBox::warning(&parent_, QStringLiteral("Fondalis Studio"), message);
}

bool ExportCommands::saveReportTo(const std::vector<int> &ids, const QString &path)
{
    const documenti::Esito made = workspace_.document(ids);
    const QString failure = made.documento ? made.documento->scrivi(path, {}) : made.errore;
    if (!failure.isEmpty()) {
        warn(failure);
        return false;
    }
    return true;
}

void ExportCommands::saveReport(const std::vector<int> &ids)
{
    const documenti::Esito made = workspace_.document(ids);
    if (!made.documento) {
        warn(made.errore);
        return;
    }
    const QString path = filechooser::saveFile(&parent_, QObject::tr("Salva rapporto PDF"), workspace_.suggestedPdfPath(ids),
                                               {QObject::tr("Documenti PDF (*.pdf)")});
    if (!path.isEmpty())
        saveReportTo(ids, path);
}

QPrinter &ExportCommands::printer()
{
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // The pages are drawn to the edge of an A4 sheet, as in the PDF, and
        // at its resolution, where the same names fit their columns.
        printer_->setPageSize(QPageSize(QPageSize::A4));
        printer_->setFullPage(true);
        printer_->setResolution(stampa::kDpiPdf);
    }
    return *printer_;
}

bool ExportCommands::printOn(const std::vector<int> &ids, QPrinter &printer)
{
    const documenti::Esito made = workspace_.document(ids);
    if (!made.documento) {
        warn(made.errore);
        return false;
    }
    if (!made.documento->dipingi(printer)) {
        warn(QObject::tr("La stampa non è riuscita."));
        return false;
    }
    return true;
}

void ExportCommands::printReport(const std::vector<int> &ids)
{
    const documenti::Esito made = workspace_.document(ids);
    if (!made.documento) {
        warn(made.errore);
        return;
    }
    QPrinter &pr = printer();
    pr.setDocName(QFileInfo(workspace_.suggestedPdfPath(ids)).completeBaseName());
    // Its choice of an output file opens Qt's own file dialog.
    filedialogs::keepNoSettings();
    QPrintDialog dialog(&pr, &parent_);
    dialog.setWindowTitle(QObject::tr("Stampa"));
    if (dialog.exec() == QDialog::Accepted)
        printOn(ids, pr);
}

bool ExportCommands::exportCsvTo(int id, const QString &path, bool longFormat)
{
    const QString failure = textexport::write(path, workspace_.csv(id, longFormat));
    if (!failure.isEmpty()) {
        warn(failure);
        return false;
    }
    return true;
}

void ExportCommands::exportCsv(int id)
{
    const OpenSurvey *survey = workspace_.survey(id);
    if (!survey || !survey->readable())
        return;
    const QStringList filters{QObject::tr("CSV lungo, una riga per stazione e specie (*.csv)"),
                              QObject::tr("CSV trasposto, una riga per stazione (*.csv)")};
    QString filter = filters.front();
    const QString path = filechooser::saveFile(&parent_, QObject::tr("Esporta CSV"),
                                               workspace_.suggestedPath(id, QStringLiteral(".csv")), filters, &filter);
    if (!path.isEmpty())
        exportCsvTo(id, path, filter == filters.front());
}
