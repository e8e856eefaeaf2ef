#include "StudioWindow.h"

#include "ChartTab.h"
#include "DesignDialog.h"
#include "ExportCommands.h"
#include "FileChooser.h"
#include "MessageBar.h"
#include "StudioIcon.h"
#include "StudioTab.h"
#include "StudioTabs.h"
#include "SurveyList.h"
#include "SurveyWatcher.h"
#include "TextExport.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kProgram = QStringLiteral("Fondalis Studio");

QString withoutMnemonic(QString text)
{
    return text.remove(QLatin1Char('&'));
}

// The local files among dropped URLs; empty unless every one is local.
QStringList localFiles(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls())
        return {};
    QStringList files;
    for (const QUrl &url : mime->urls()) {
        if (!url.isLocalFile())
            return {};
        files << url.toLocalFile();
    }
    return files;
}

} // namespace

StudioWindow::StudioWindow(const QString &programFolder, QWidget *parent)
    : QMainWindow(parent)
    , workspace_(programFolder)
    , exports_(std::make_unique<ExportCommands>(workspace_, *this))
{
    setWindowIcon(studioicon::icon());
    setAccessibleName(kProgram);
    setAcceptDrops(true);
    watcher_ = new SurveyWatcher(this);
    connect(watcher_, &SurveyWatcher::changed, this, &StudioWindow::fileChanged);
    buildPanels();
    buildMenus();
    const QString error = workspace_.setArea(programFolder);
    if (!error.isEmpty())
        failures_[0] = tr("L'area del programma non si può usare: %1").arg(error);
    surveysChanged();
}

StudioWindow::~StudioWindow() = default;

void StudioWindow::buildPanels()
{
    auto *splitter = new QSplitter(this);
    auto *left = new QWidget(splitter);
    auto *label = new QLabel(tr("Rilievi &aperti"), left);
    list_ = new SurveyList(left);
    label->setBuddy(list_);
    connect(list_, &SurveyList::selectionMade, this, &StudioWindow::refreshTabs);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(6, 6, 0, 6);
    leftLayout->addWidget(label);
    leftLayout->addWidget(list_);

    auto *right = new QWidget(splitter);
    errors_ = new MessageBar(MessageBar::Kind::Error, tr("File che non si leggono"), right);
    connect(errors_, &MessageBar::dismissed, this, [this] { failures_.clear(); });
    warning_ = new MessageBar(MessageBar::Kind::Warning, tr("Il rilievo e l'area non corrispondono"), right);
    tabs_ = new QTabWidget(right);
    tabs_->setAccessibleName(tr("Analisi del rilievo"));
    for (StudioTab *tab : studiotabs::make()) {
        tabs_->addTab(tab, tab->title());
        tab->setAccessibleName(withoutMnemonic(tab->title()));
        connect(tab, &StudioTab::stationChosen, this, &StudioWindow::stationChosen);
        tabList_.push_back(tab);
    }
    connect(tabs_, &QTabWidget::currentChanged, this, &StudioWindow::updateTitleAndActions);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 6, 6, 6);
    rightLayout->addWidget(errors_);
    rightLayout->addWidget(warning_);
    rightLayout->addWidget(tabs_, 1);

    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({320, 900});
    setCentralWidget(splitter);
}

void StudioWindow::buildMenus()
{
    const auto action = [this](QMenu *menu, const QString &text, const QKeySequence &keys, auto slot) {
        QAction *a = menu->addAction(text);
        if (!keys.isEmpty())
            a->setShortcut(keys);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    QMenu *file = menuBar()->addMenu(tr("&File"));
    openAction = action(file, tr("&Apri…"), QKeySequence::Open, &StudioWindow::openWithDialog);
    designAction = action(file, tr("&Nuovo disegno…"), QKeySequence::New, &StudioWindow::newDesign);
    saveDataAction = action(file, tr("&Salva dati…"), QKeySequence::Save, &StudioWindow::saveData);
    closeAction = action(file, tr("&Chiudi rilievo"), QKeySequence::Close, &StudioWindow::closeSelected);
    file->addSeparator();
    areaAction = action(file, tr("A&rea…"), {}, &StudioWindow::chooseArea);
    file->addSeparator();
    pdfAction = action(file, tr("Salva rapporto &PDF…"), QKeySequence(tr("Ctrl+R")),
                       [this] { exports_->saveReport(reportIds()); });
    printAction = action(file, tr("S&tampa…"), QKeySequence::Print, [this] { exports_->printReport(reportIds()); });
    csvAction = action(file, tr("Esporta CS&V…"), QKeySequence(tr("Ctrl+E")), [this] {
        if (const std::optional<int> current = selection().current)
            exports_->exportCsv(*current);
    });
    file->addSeparator();
    quitAction = action(file, tr("&Esci"), QKeySequence(tr("Ctrl+Q")), &QWidget::close);

    QMenu *edit = menuBar()->addMenu(tr("M&odifica"));
    copyChartAction = action(edit, tr("Copia &grafico"), QKeySequence(tr("Ctrl+Shift+C")), &StudioWindow::copyChart);
    // The tabs in turn, from anywhere in the window.
    QMenu *tabs = menuBar()->addMenu(tr("Sc&hede"));
    nextTabAction = action(tabs, tr("Scheda &successiva"), {}, [this] { stepTab(1); });
    nextTabAction->setShortcuts({QKeySequence(tr("Ctrl+PgDown")), QKeySequence(tr("Ctrl+Tab"))});
    previousTabAction = action(tabs, tr("Scheda &precedente"), {}, [this] { stepTab(-1); });
    previousTabAction->setShortcuts({QKeySequence(tr("Ctrl+PgUp")), QKeySequence(tr("Ctrl+Shift+Tab"))});
    QMenu *help = menuBar()->addMenu(tr("Ai&uto"));
    aboutAction = action(help, tr("&Informazioni su Fondalis Studio"), QKeySequence::HelpContents, &StudioWindow::about);
}

void StudioWindow::showCentred()
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    resize(std::min(1400, area.width() * 85 / 100), std::min(920, area.height() * 85 / 100));
    centring_.centre(*this);
    show();
}

void StudioWindow::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    centring_.windowMoved(*this);
}

void StudioWindow::openFiles(const QStringList &paths)
{
    std::vector<int> opened;
    for (const QString &path : paths) {
        const int id = workspace_.open(path);
        watcher_->watch(workspace_.survey(id)->path);
        noteReading(id);
        opened.push_back(id);
    }
    surveysChanged();
    if (opened.empty())
        return;
    const auto readable = std::find_if(opened.begin(), opened.end(), [this](int id) { return workspace_.survey(id)->readable(); });
    selectSurveys(opened, readable == opened.end() ? opened.front() : *readable);
}

void StudioWindow::noteReading(int id)
{
    const OpenSurvey *s = workspace_.survey(id);
    if (s && !s->readable())
        failures_[id] = s->failure();
    else
        failures_.erase(id);
}

void StudioWindow::fileChanged(const QString &path)
{
    const std::optional<int> id = workspace_.idForPath(path);
    if (!id)
        return;
    workspace_.reload(*id);
    noteReading(*id);
    surveysChanged();
}

void StudioWindow::surveysChanged()
{
    QStringList messages;
    for (const auto &[id, message] : failures_)
        messages << message;
    errors_->setMessages(messages);
    list_->rebuild(workspace_);
    refreshTabs();
}

void StudioWindow::selectSurveys(const std::vector<int> &ids, int current)
{
    list_->select(ids, current);
}

Selection StudioWindow::selection() const
{
    return list_->selection(workspace_);
}

void StudioWindow::refreshTabs()
{
    const Selection s = selection();
    for (size_t i = 0; i < tabList_.size(); ++i) {
        StudioTab *tab = tabList_[i];
        if (tab->needs().severalSurveys)
            tabs_->setTabVisible(int(i), s.selected.size() >= 2);
        tab->refresh(workspace_, s);
    }
    const QString warning = s.current ? workspace_.discordWarning(*s.current) : QString();
    warning_->setMessages(warning.isEmpty() ? QStringList() : QStringList{warning});
    updateTitleAndActions();
}

std::vector<int> StudioWindow::reportIds() const
{
    const Selection s = selection();
    if (s.selected.size() >= 2)
        return s.selected;
    return s.current ? std::vector<int>{*s.current} : std::vector<int>{};
}

void StudioWindow::updateTitleAndActions()
{
    const Selection s = selection();
    const OpenSurvey *current = s.current ? workspace_.survey(*s.current) : nullptr;
    auto *tab = qobject_cast<StudioTab *>(tabs_->currentWidget());
    QString title = kProgram;
    if (current && tab)
        title = QStringLiteral("%1 · %2 – %3").arg(current->displayName(), withoutMnemonic(tab->title()), kProgram);
    setWindowTitle(title);

    const bool readable = current && current->readable();
    saveDataAction->setEnabled(readable);
    csvAction->setEnabled(readable);
    closeAction->setEnabled(!s.selected.empty());
    const bool report = workspace_.area() && !reportIds().empty() && (readable || s.selected.size() >= 2);
    pdfAction->setEnabled(report);
    printAction->setEnabled(report);
    const auto *chart = qobject_cast<ChartTab *>(tab);
    copyChartAction->setEnabled(chart && chart->hasChart() && tab->blockedText().isEmpty());
}

void StudioWindow::stepTab(int step)
{
    // Hidden tabs (the class with one survey) are passed over.
    const int count = tabs_->count();
    for (int i = 1; i < count; ++i) {
        const int index = ((tabs_->currentIndex() + step * i) % count + count) % count;
        if (tabs_->isTabVisible(index)) {
            tabs_->setCurrentIndex(index);
            return;
        }
    }
}

void StudioWindow::stationChosen(int number)
{
    for (StudioTab *tab : tabList_) {
        if (tab == sender())
            continue;
        tab->ensureFilled();
        if (tab->showStation(number)) {
            tabs_->setCurrentWidget(tab);
            return;
        }
    }
}

void StudioWindow::warn(const QString &message)
{
    QMessageBox::warning(this, kProgram, message);
}

QString StudioWindow::startFolder() const
{
    const Selection s = selection();
    const OpenSurvey *current = s.current ? workspace_.survey(*s.current) : nullptr;
    return current && !current->unsaved() ? QFileInfo(current->path).absolutePath() : QDir::currentPath();
}

void StudioWindow::openWithDialog()
{
    const QStringList files = filechooser::openSurveys(this, startFolder());
    if (!files.isEmpty())
        openFiles(files);
}

bool StudioWindow::setAreaFolder(const QString &folder)
{
    const QString error = workspace_.setArea(folder);
    if (!workspace_.area())
        failures_[0] = tr("L'area non si può usare: %1").arg(workspace_.areaError());
    else
        failures_.erase(0);
    surveysChanged();
    if (!error.isEmpty())
        warn(tr("Quest'area non si può usare: %1").arg(error));
    return error.isEmpty();
}

void StudioWindow::chooseArea()
{
    const QString folder = filechooser::folder(this, tr("Scegli la cartella dell'area"), workspace_.areaFolder());
    if (!folder.isEmpty())
        setAreaFolder(folder);
}

std::optional<int> StudioWindow::addDesign(const DesignRequest &request)
{
    QString error;
    const std::optional<int> id = workspace_.addDesign(request, &error);
    if (!id) {
        warn(error);
        return std::nullopt;
    }
    surveysChanged();
    selectSurveys({*id}, *id);
    return id;
}

void StudioWindow::newDesign()
{
    DesignDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        addDesign(dialog.request());
}

bool StudioWindow::saveDataTo(const QString &path)
{
    const Selection s = selection();
    const OpenSurvey *survey = s.current ? workspace_.survey(*s.current) : nullptr;
    if (!survey || !survey->readable())
        return false;
    const int id = survey->id;
    const QString failure = textexport::write(path, workspace_.tableText(id));
    if (!failure.isEmpty()) {
        warn(failure);
        return false;
    }
    if (survey->unsaved()) {
        // The file now is this survey: one entry for it, watched like any.
        if (const std::optional<int> old = workspace_.idForPath(path)) {
            workspace_.close(*old);
            failures_.erase(*old);
        }
        workspace_.markSaved(id, path);
        watcher_->watch(workspace_.survey(id)->path);
        surveysChanged();
    }
    return true;
}

void StudioWindow::saveData()
{
    const Selection s = selection();
    const OpenSurvey *survey = s.current ? workspace_.survey(*s.current) : nullptr;
    if (!survey || !survey->readable())
        return;
    const QString suggested = survey->unsaved() ? workspace_.suggestedPath(survey->id, QStringLiteral(".txt")) : survey->path;
    const QString path = filechooser::saveFile(this, tr("Salva dati"), suggested,
                                               {tr("Tabelle di Fondalis (*.txt)"), tr("Tutti i file (*)")});
    if (!path.isEmpty())
        saveDataTo(path);
}

void StudioWindow::copyChart()
{
    const auto *tab = qobject_cast<StudioTab *>(tabs_->currentWidget());
    const QImage image = tab ? tab->chartImage() : QImage();
    if (!image.isNull())
        QApplication::clipboard()->setImage(image);
}

void StudioWindow::closeSelected()
{
    const Selection s = selection();
    const bool unsaved = std::any_of(s.selected.begin(), s.selected.end(), [this](int id) { return workspace_.survey(id)->unsaved(); });
    if (unsaved
        && QMessageBox::question(this, kProgram, tr("Un disegno scelto non è salvato: chiuderlo comunque?"))
               != QMessageBox::Yes)
        return;
    for (const int id : s.selected) {
        const OpenSurvey *survey = workspace_.survey(id);
        if (!survey->unsaved())
            watcher_->unwatch(survey->path);
        failures_.erase(id);
        workspace_.close(id);
    }
    surveysChanged();
}

void StudioWindow::about()
{
    QMessageBox::about(this, tr("Informazioni su Fondalis Studio"),
                       tr("Fondalis Studio %1\n\nLe analisi di fondalis-analisi in una finestra: apri i rilievi salvati "
                          "da Fondalis, scegli una scheda, copia o salva il grafico e il rapporto.\n\nArea in uso: %2")
                           .arg(QStringLiteral(FONDALIS_VERSION), QDir::toNativeSeparators(workspace_.areaFolder())));
}

void StudioWindow::closeEvent(QCloseEvent *event)
{
    if (workspace_.hasUnsaved()) {
        QMessageBox box(QMessageBox::Question, kProgram, tr("Ci sono disegni non salvati. Uscire comunque?"),
                        QMessageBox::NoButton, this);
        QPushButton *leave = box.addButton(tr("&Esci senza salvare"), QMessageBox::DestructiveRole);
        box.addButton(tr("&Annulla"), QMessageBox::RejectRole);
        box.exec();
        if (box.clickedButton() != leave) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

void StudioWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void StudioWindow::dragMoveEvent(QDragMoveEvent *event)
{
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void StudioWindow::dropEvent(QDropEvent *event)
{
    const QStringList files = localFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    openFiles(files);
}
