#pragma once

#include <QString>

class QWidget;

// A window's save-as dialog: it starts empty and, while its owner lives,
// offers the name chosen last, also after a cancel. The name is kept in
// memory only: the dialog leaves no history or settings file behind.
class SaveDialog
{
public:
    // Shows the modal dialog; the chosen path, or "" when the user cancelled.
    QString ShowSave(QWidget *parent);
    QString FileName() const { return fileName_; }

private:
    QString fileName_;
};
