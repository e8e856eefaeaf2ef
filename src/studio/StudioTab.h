#pragma once

#include "Selection.h"

#include <QImage>
#include <QString>
#include <QWidget>

class QLabel;
class QStackedLayout;
class Workspace;

// One tab of the studio. A tab shows the current survey (or, when it needs
// several, the selected ones) as the workspace has analysed it; while it
// cannot, it says why instead. A new tab is a subclass with its title, its
// needs and how it fills itself, added to the list in StudioTabs.cpp.
class StudioTab : public QWidget
{
    Q_OBJECT

public:
    explicit StudioTab(QWidget *parent = nullptr);

    // The tab's text, with its mnemonic.
    virtual QString title() const = 0;
    virtual TabNeeds needs() const { return {}; }

    // Called whenever the selection, a survey or the area changes; the
    // workspace must outlive the tab.
    void refresh(const Workspace &workspace, const Selection &selection);
    // Takes what it shows now, if the last refresh left that for later.
    void ensureFilled();
    // Why it shows nothing; empty while it shows the survey.
    QString blockedText() const { return blocked_; }

    // The chart as a picture for the clipboard; null where there is none.
    virtual QImage chartImage() const { return {}; }
    // Brings a station into view; false where the tab cannot.
    virtual bool showStation(int number);

signals:
    // The user picked a station in this tab.
    void stationChosen(int number);

protected:
    // Takes what it shows from the workspace; the reason it could not is
    // handled already.
    virtual void fill(const Workspace &workspace, const Selection &selection) = 0;
    // Lets go of what it showed.
    virtual void release() {}
    // What the tab shows while it can.
    void setContent(QWidget *content);
    void showEvent(QShowEvent *event) override;

private:
    const Workspace *workspace_ = nullptr;
    Selection selection_;
    bool stale_ = false;
    QStackedLayout *stack_ = nullptr;
    QWidget *content_ = nullptr;
    QLabel *reason_ = nullptr;
    QString blocked_;
};
