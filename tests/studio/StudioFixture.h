#pragma once

#include "DialogAnswerer.h"
#include "StudioTab.h"
#include "StudioTestData.h"
#include "StudioWindow.h"

#include <QObject>
#include <QTabWidget>
#include <QTemporaryDir>

#include <memory>

class QAction;

// What the studio's tests start from: the surveys in a scratch folder and,
// for the window's tests, a window on the program's area shown offscreen
// with a DialogAnswerer that fails the test when a dialog nobody expected
// stays up. A test class derives from it and calls makeSurveys() from
// initTestCase(), and openWindow() from init() and closeWindow() from
// cleanup() when it needs the window.
class StudioFixture : public QObject
{
protected:
    void makeSurveys();
    void openWindow();
    void closeWindow();

    QString file(const QString &name) const { return dir_.filePath(name); }
    StudioTab *tabNamed(const QString &name) const;
    // The tab of that title, made the current one; null if it is no Tab.
    template <typename Tab>
    Tab *shownTab(const QString &name)
    {
        auto *tab = qobject_cast<Tab *>(tabNamed(name));
        if (tab)
            window_->tabs()->setCurrentWidget(tab);
        return tab;
    }
    // The note over a tab's chart as shown, "" when hidden.
    QString noteOf(const StudioTab *tab) const;
    // Triggers an action that opens a dialog, answered as given.
    void trigger(QAction *action, DialogAnswerer::Answer answer);
    int current() const { return *window_->selection().current; }

    // Answers a file dialog with a path, choosing a filter first when given,
    // and hands back the name the dialog offered.
    static DialogAnswerer::Answer chooseFile(const QString &path, QString *offered = nullptr, const QString &filter = {});
    // Replaces a file as Fondalis's "Salva dati" and most editors save: a
    // new file renamed over the old one.
    static bool replaceFile(const QString &path, const QByteArray &bytes);

    QTemporaryDir dir_;
    QString survey_, other_, broken_, shifted_;
    std::unique_ptr<StudioWindow> window_;
    std::unique_ptr<DialogAnswerer> answerer_;
};
