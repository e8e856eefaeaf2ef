#pragma once

#include "ScreenCentring.h"
#include "Selection.h"
#include "Workspace.h"

#include <QMainWindow>

#include <map>
#include <memory>
#include <vector>

class ExportCommands;
class MessageBar;
class QAction;
class QTabWidget;
class StudioTab;
class SurveyList;
class SurveyWatcher;

// Fondalis Studio's window: the open surveys on the left, the tabs of the
// current one on the right, the menus that open, save, print and export.
// Everything it decides is in the Workspace; the window wires events.
class StudioWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The program's own area lies in its folder.
    explicit StudioWindow(const QString &programFolder, QWidget *parent = nullptr);
    ~StudioWindow() override;

    // Shown at a sensible size, centred on the screen with its frame.
    void showCentred();

    void openFiles(const QStringList &paths);
    // The area from a folder; false, with the reason shown, when it cannot
    // be used.
    bool setAreaFolder(const QString &folder);
    std::optional<int> addDesign(const DesignRequest &request);
    // The current survey's table, the report of the selection, the CSV;
    // false with a message to the user when it cannot be written.
    bool saveDataTo(const QString &path);
    // The report, the print and the CSV.
    ExportCommands &exports() { return *exports_; }
    // The surveys a report is made of: the selected ones when several are,
    // otherwise the current one.
    std::vector<int> reportIds() const;

    // Selects the surveys in the list; the current one shows in the tabs.
    void selectSurveys(const std::vector<int> &ids, int current);
    Selection selection() const;
    const Workspace &workspace() const { return workspace_; }

    QTabWidget *tabs() const { return tabs_; }
    const std::vector<StudioTab *> &tabList() const { return tabList_; }
    SurveyList *surveyList() const { return list_; }
    MessageBar *errorBar() const { return errors_; }
    MessageBar *warningBar() const { return warning_; }
    SurveyWatcher *watcher() const { return watcher_; }

    QAction *openAction = nullptr;
    QAction *designAction = nullptr;
    QAction *saveDataAction = nullptr;
    QAction *closeAction = nullptr;
    QAction *areaAction = nullptr;
    QAction *pdfAction = nullptr;
    QAction *printAction = nullptr;
    QAction *csvAction = nullptr;
    QAction *quitAction = nullptr;
    QAction *copyChartAction = nullptr;
    QAction *nextTabAction = nullptr;
    QAction *previousTabAction = nullptr;
    QAction *aboutAction = nullptr;

    // The menu commands, each asking through its dialog.
    void openWithDialog();
    void chooseArea();
    void newDesign();
    void saveData();
    void copyChart();
    void closeSelected();
    void about();

protected:
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildMenus();
    void buildPanels();
    void fileChanged(const QString &path);
    void noteReading(int id);
    void surveysChanged();
    void refreshTabs();
    void updateTitleAndActions();
    void stationChosen(int number);
    void stepTab(int step);
    void warn(const QString &message);
    QString startFolder() const;

    Workspace workspace_;
    std::unique_ptr<ExportCommands> exports_;
    SurveyWatcher *watcher_ = nullptr;
    SurveyList *list_ = nullptr;
    QTabWidget *tabs_ = nullptr;
    std::vector<StudioTab *> tabList_;
    MessageBar *errors_ = nullptr;
    MessageBar *warning_ = nullptr;
    // Why each unreadable survey cannot be read, until the bar is closed;
    // the area's failure under id 0.
    std::map<int, QString> failures_;
    ScreenCentring centring_;
};
