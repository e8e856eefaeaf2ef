#include "FileChooser.h"

#include "FileDialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QRegularExpression>

namespace filechooser {

namespace {

QString tr(const char *text) { return QCoreApplication::translate("FileChooser", text); }

// The dialog on the heap: should its parent go while it is up, the parent
// deletes it and the guard notices. Empty when cancelled.
QStringList run(QPointer<QFileDialog> dialog, QString *filter)
{
    const int result = dialog->exec();
    if (!dialog)
        return {};
    const QStringList chosen = result == QDialog::Accepted ? dialog->selectedFiles() : QStringList();
    if (filter && !chosen.isEmpty())
        *filter = dialog->selectedNameFilter();
    delete dialog.data();
    return chosen;
}

QString suffixOf(const QString &nameFilter)
{
    return QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(nameFilter).captured(1);
}

} // namespace

QStringList openSurveys(QWidget *parent, const QString &folder)
{
    filedialogs::keepNoSettings();
    QPointer<QFileDialog> dialog = new QFileDialog(parent);
    filedialogs::prepare(*dialog, QFileDialog::AcceptOpen, QFileDialog::ExistingFiles);
    dialog->setWindowTitle(tr("Apri rilievi"));
    dialog->setNameFilters({tr("Rilievi di Fondalis (*.txt *.tsv *.csv *.tab)"), tr("Tutti i file (*)")});
    dialog->setDirectory(folder);
    return run(dialog, nullptr);
}

QString saveFile(QWidget *parent, const QString &title, const QString &suggested, const QStringList &filters,
                 QString *filter)
{
    filedialogs::keepNoSettings();
    QPointer<QFileDialog> dialog = new QFileDialog(parent);
    filedialogs::prepare(*dialog, QFileDialog::AcceptSave, QFileDialog::AnyFile);
    dialog->setWindowTitle(title);
    dialog->setNameFilters(filters);
    if (filter && filters.contains(*filter))
        dialog->selectNameFilter(*filter);
    const QString first = filter && filters.contains(*filter) ? *filter : filters.value(0);
    dialog->setDefaultSuffix(suffixOf(first));
    QObject::connect(dialog.data(), &QFileDialog::filterSelected, dialog.data(),
                     [d = dialog.data()](const QString &f) { d->setDefaultSuffix(suffixOf(f)); });
    dialog->setDirectory(QFileInfo(suggested).absolutePath());
    dialog->selectFile(QFileInfo(suggested).fileName());
    return run(dialog, filter).value(0);
}

QString folder(QWidget *parent, const QString &title, const QString &start)
{
    filedialogs::keepNoSettings();
    QPointer<QFileDialog> dialog = new QFileDialog(parent);
    filedialogs::prepare(*dialog, QFileDialog::AcceptOpen, QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    dialog->setWindowTitle(title);
    dialog->setDirectory(start);
    return run(dialog, nullptr).value(0);
}

} // namespace filechooser
