#pragma once

#include "SaveDialog.h"

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

// "Tabella dati": the survey table in an editable box, to copy or save as
// the box holds it. The window never reads the survey itself; the main
// window fills it and closes it whenever the survey changes.
class Dati : public QWidget
{
    Q_OBJECT

public:
    explicit Dati(QWidget *parent = nullptr);
    ~Dati() override;

    // Replaces the box's whole text, the user's edits included.
    void setTableText(const QString &text);
    // What the box holds, every line ended by CR LF as in the table text.
    QString tableText() const;

    void CopiaDati_Click();
    void Command2_Click();
    void Command1_Click();

    const SaveDialog &saveDialog() const { return CommonDialog1; }

    QPlainTextEdit *Tabella = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *CopiaDati = nullptr;
    QPushButton *Command1 = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    void Form_Resize();
    // What the window system adds around the client area, in width and height.
    QSize frameThickness() const { return frameGeometry().size() - size(); }

    SaveDialog CommonDialog1;
    QSize laidOutFrame_; // the frame the layout was made for
};
