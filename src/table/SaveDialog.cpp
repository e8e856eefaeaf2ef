#include "SaveDialog.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QPointer>
#include <QSettings>

namespace {

QString tr(const char *text) { return QCoreApplication::translate("SaveDialog", text); }

// Qt's own file dialog, in Italian: the program sets nothing else.
void prepare(QFileDialog &dialog)
{
    // Qt's native dialogs cannot be driven by the tests. The main texts are
    // set by hand, so that they are Italian even where Qt's own Italian
    // translations are not installed.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The program replaces an existing file without asking.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setWindowTitle(tr("Salva con nome"));
    dialog.setLabelText(QFileDialog::LookIn, tr("Salva in:"));
    dialog.setLabelText(QFileDialog::FileName, tr("Nome file:"));
    dialog.setLabelText(QFileDialog::FileType, tr("Salva come:"));
    dialog.setLabelText(QFileDialog::Accept, tr("Salva"));
    dialog.setLabelText(QFileDialog::Reject, tr("Annulla"));
    dialog.setNameFilter(tr("Tutti i file (*)"));
}

// Qt's dialog saves its history, last folder and view into the user's Qt
// settings file when it is destroyed; the program keeps no settings. Those
// settings are sent below a device file, where no folder can ever be made
// (not even by the superuser), so Qt finds the file unwritable and writes
// nothing. The program itself has no settings that could miss the path.
void keepNoSettings()
{
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null/fondalis"));
}

} // namespace

QString SaveDialog::ShowSave(QWidget *parent)
{
    // On the heap: should the parent go while the dialog is up, the parent
    // deletes it and the guard notices.
    keepNoSettings();
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
