#include "SaveDialog.h"

#include "FileDialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QPointer>

namespace {

QString tr(const char *text) { return QCoreApplication::translate("SaveDialog", text); }

// Qt's own file dialog, in Italian: the program sets nothing else.
void prepare(QFileDialog &dialog)
{
    filedialogs::prepare(dialog, QFileDialog::AcceptSave, QFileDialog::AnyFile);
    // The program replaces an existing file without asking.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setWindowTitle(tr("Salva con nome"));
}

} // namespace

QString SaveDialog::ShowSave(QWidget *parent)
{
    // On the heap: should the parent go while the dialog is up, the parent
    // deletes it and the guard notices.
    filedialogs::keepNoSettings();
    QPointer<QFileDialog> dialog = new QFileDialog(parent);
    prepare(*dialog);
    if (!fileName_.isEmpty())
        dialog->selectFile(fileName_);
    const int result = dialog->exec();
    if (!dialog)
        return {};
    const QString chosen = result == QDialog::Accepted ? dialog->selectedFiles().value(0) : QString();
    delete dialog.data();
    if (!chosen.isEmpty())
        fileName_ = chosen;
    return chosen;
}
