#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The studio's file dialogs: Qt's own, in Italian, leaving no settings.
namespace filechooser {

// Surveys to open, several at once.
QStringList openSurveys(QWidget *parent, const QString &folder);
// A file to write, starting from the suggested path; with several filters,
// *filter says which was chosen (and which to offer first). The suffix of
// the chosen filter is added to a name without one.
QString saveFile(QWidget *parent, const QString &title, const QString &suggested, const QStringList &filters,
                 QString *filter = nullptr);
// A folder, for the area.
QString folder(QWidget *parent, const QString &title, const QString &start);

} // namespace filechooser
