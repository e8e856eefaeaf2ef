#include "FileDialogs.h"

#include <QCoreApplication>
#include <QSettings>

namespace filedialogs {

namespace {

QString tr(const char *text) { return QCoreApplication::translate("FileDialogs", text); }

} // namespace

void keepNoSettings()
{
    // The settings are sent below a device file, where no folder can ever be
    // made (not even by the superuser), so Qt finds the file unwritable and
    // writes nothing. The programs themselves have no settings that could
    // miss the path.
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null/fondalis"));
}

void prepare(QFileDialog &dialog, QFileDialog::AcceptMode mode, QFileDialog::FileMode fileMode)
{
    // Qt's native dialogs cannot be driven by the tests. The main texts are
    // set by hand, so that they are Italian even where Qt's own Italian
    // translations are not installed.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(fileMode);
    const bool saving = mode == QFileDialog::AcceptSave;
    const bool folder = fileMode == QFileDialog::Directory;
    dialog.setLabelText(QFileDialog::LookIn, saving ? tr("Salva in:") : tr("Cerca in:"));
    dialog.setLabelText(QFileDialog::FileName, folder ? tr("Cartella:") : tr("Nome file:"));
    dialog.setLabelText(QFileDialog::FileType, saving ? tr("Salva come:") : tr("Tipo di file:"));
    dialog.setLabelText(QFileDialog::Accept, saving ? tr("Salva") : folder ? tr("Scegli") : tr("Apri"));
    dialog.setLabelText(QFileDialog::Reject, tr("Annulla"));
    if (!folder)
        dialog.setNameFilter(tr("Tutti i file (*)"));
}

} // namespace filedialogs
