#pragma once

#include <QString>

class QWidget;

// A window's save-as dialog: it starts empty and, while its owner lives,
// offers the name chosen last, also after a cancel.
class SaveDialog
{
public:
    // Shows the modal dialog; the chosen path, or "" when the user cancelled.
    QString ShowSave(QWidget *parent);
    QString FileName() const { return fileName_; }

private:
    QString fileName_;
};
