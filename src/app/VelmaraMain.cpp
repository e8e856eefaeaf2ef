#include "VelmaraMain.h"

#include "Dati.h"
#include "HelpText.h"
#include "Icons.h"
#include "Setaccio.h"
#include "SplashWait.h"
#include "SurfaceView.h"
#include "TableText.h"
#include "Taxa.h"
#include "TextExport.h"
#include "Twips.h"
#include "Velmara.h"
#include "WindowStyle.h"
#include "frmSplash.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPushButton>

namespace {

const QString kCaption = QStringLiteral(
    "Fondalis - Simulatore di campionamento di macrozoobenthos di fondo mobile"
    " (versione 1.1, per la didattica dell'ecologia marina)");

// The window's face narrowed to the given percentage of its width.
QFont narrowed(int stretch)
{
    QFont font = windowstyle::uiFont();
    font.setStretch(stretch);
    return font;
}

QPushButton *button(QWidget *parent, const QString &caption, int topTwips)
{
    auto *b = new QPushButton(caption, parent);
    b->setGeometry(twips::rect(8040, topTwips, 1095, 375));
    // In the plain face "Copia mappa" runs over the button's bevel.
    b->setFont(narrowed(90));
    b->setAutoDefault(false);
    return b;
}

QLabel *label(QWidget *parent, const QString &caption, int topTwips, int widthTwips)
{
    auto *l = new QLabel(caption, parent);
    l->setGeometry(twips::rect(160, topTwips, widthTwips, 255));
    return l;
}

} // namespace

VelmaraMain::VelmaraMain(Velmara &state, const QString &dataFolder, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , v_(state)
    , folder_(dataFolder)
    , map_(state)
{
    reportFatal_ = [this](const QString &message) {
        QMessageBox::critical(isVisible() ? this : nullptr, tr("Fondalis"), message);
    };
    setWindowTitle(kCaption);
    setWindowIcon(icons::fondalisIcon());
    setFont(windowstyle::uiFont());
    setFixedSize(twips::size(9270, 7965));
    setMouseTracking(true);
    buildControls();
}

VelmaraMain::~VelmaraMain()
{
    closeSecondaryWindows();
}

void VelmaraMain::buildControls()
{
    map_.Mappa.setFont(windowstyle::mapLabelFont());
    mappaView_ = new SurfaceView(map_.Mappa, 2, this);
    mappaView_->setGeometry(twips::rect(120, 120, 7740, 7740));
    mappaView_->setCursor(Qt::CrossCursor);
    connect(mappaView_, &SurfaceView::mouseDown, this, &VelmaraMain::Mappa_MouseDown);
    connect(mappaView_, &SurfaceView::mouseMove, this, &VelmaraMain::Mappa_MouseMove);
    connect(mappaView_, &SurfaceView::mouseUp, this, &VelmaraMain::Mappa_MouseUp);

    Frame1 = new QGroupBox(tr("Cursore"), this);
    Frame1->setGeometry(twips::rect(8040, 80, 1095, 1000));
    MappaX = label(Frame1, tr("x ="), 240, 800);
    MappaY = label(Frame1, tr("y ="), 480, 800);
    MappaZ = label(Frame1, tr("z ="), 720, 800);

    Frame2 = new QGroupBox(tr("Rotta"), this);
    Frame2->setGeometry(twips::rect(8040, 1180, 1095, 1000));
    RottaDa = label(Frame2, QString(), 240, 855);
    RottaDist = label(Frame2, QString(), 480, 855);
    RottaAng = label(Frame2, QString(), 720, 855);
    // The readouts are only 53 to 57 pixels wide: in a narrowed face the
    // longest captions ("prof = 179 m", "Da staz. 100") still fit whole.
    for (QLabel *readout : {MappaX, MappaY, MappaZ, RottaDa, RottaDist, RottaAng})
        readout->setFont(narrowed(70));

    Frame3 = new QGroupBox(this);
    Frame3->setGeometry(twips::rect(8040, 2280, 1095, 515));
    nstazioni = new QLabel(Frame3);
    nstazioni->setGeometry(twips::rect(15, 140, 1065, 255)); // "100 stazioni" needs the whole width
    nstazioni->setAlignment(Qt::AlignCenter);

    Help = button(this, tr("?"), 3000);
    MostraTaxa = button(this, tr("Mostra taxa"), 3600);
    CopiaBMP = button(this, tr("Copia mappa"), 4200);
    ToggleID = button(this, tr("Mostra ID"), 4800);
    MostraDati = button(this, tr("Mostra dati"), 5400);
    Salva = button(this, tr("Salva dati"), 6000);
    Resetta = button(this, tr("Resetta"), 6840);
    Esci = button(this, tr("Esci"), 7440);
    setSurveyButtonsEnabled(false);

    connect(Help, &QPushButton::clicked, this, &VelmaraMain::Help_Click);
    connect(MostraTaxa, &QPushButton::clicked, this, &VelmaraMain::MostraTaxa_Click);
    connect(CopiaBMP, &QPushButton::clicked, this, &VelmaraMain::CopiaBMP_Click);
    connect(ToggleID, &QPushButton::clicked, this, &VelmaraMain::ToggleID_Click);
    connect(MostraDati, &QPushButton::clicked, this, &VelmaraMain::MostraDati_Click);
    connect(Salva, &QPushButton::clicked, this, &VelmaraMain::Salva_Click);
    connect(Resetta, &QPushButton::clicked, this, &VelmaraMain::Resetta_Click);
    connect(Esci, &QPushButton::clicked, this, &VelmaraMain::Esci_Click);
}

bool VelmaraMain::Form_Load()
{
    // The images come first: a missing file must leave everything as it
    // was, and at start-up no window may appear.
    const QString failure = map_.loadImages(folder_);
    if (!failure.isEmpty()) {
        reportFatal_(failure);
        return false;
    }

    v_.clearTables();
    ToggleID->setText(v_.IDVisibili ? tr("Nascondi ID") : tr("Mostra ID"));
    map_.NumStazioni = 0;
    nstazioni->setText(stationCountText(map_.NumStazioni));
    setRouteUnknown();

    if (!shownOnce_) {
        centring_.centre(*this); // the first time only
        shownOnce_ = true;
    }
    show();

    if (!v_.SplashFatto) {
        SplashShow();
        v_.SplashFatto = true;
    }
    return true;
}

void VelmaraMain::Resetta_Click()
{
    v_.SplashFatto = true;
    closeWindow(dati_);
    closeWindow(setaccio_);
    if (!Form_Load()) {
        // The survey cannot go on without its images.
        stoppedOnLoadFailure_ = true;
        closeSecondaryWindows();
        close();
        return;
    }
    setSurveyButtonsEnabled(false);
}

void VelmaraMain::Esci_Click()
{
    close();
    closeWindow(setaccio_);
    closeWindow(dati_);
    closeWindow(taxa_);
}


void VelmaraMain::closeEvent(QCloseEvent *event)
{
    // The program is this window: the others go with it.
    closeSecondaryWindows();
    event->accept();
}

void VelmaraMain::mouseMoveEvent(QMouseEvent *event)
{
    // Only the window's own background, not its frames, labels or buttons.
    if (childAt(event->position().toPoint()) == nullptr)
        Form_MouseMove();
    QWidget::mouseMoveEvent(event);
}

void VelmaraMain::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    centring_.windowMoved(*this);
}

void VelmaraMain::closeSecondaryWindows()
{
    closeWindow(setaccio_);
    closeWindow(dati_);
    closeWindow(taxa_);
}

void VelmaraMain::closeWindow(QPointer<QWidget> &window)
{
    if (window) {
        window->close();
        delete window.data();
    }
    window.clear();
}

void VelmaraMain::setSurveyButtonsEnabled(bool enabled)
{
    MostraDati->setEnabled(enabled);
    Salva->setEnabled(enabled);
    ToggleID->setEnabled(enabled);
}

void VelmaraMain::setRouteUnknown()
{
    RottaDa->setText(tr("n.d."));
    RottaDist->setText(tr("n.d."));
    RottaAng->setText(tr("n.d."));
}

void VelmaraMain::Mappa_MouseDown(int button, int shift, float x, float y)
{
    // The view's sunken border around the map is no part of it.
    if (!map_.onMap(x, y))
        return;
    // A press can come without a move to its place (a tap, the first click
    // into the window): the new station must take the depth under it.
    Mappa_MouseMove(button, shift, x, y);

    if (button == 1) {
        switch (map_.leftClick(x, y)) {
        case SurveyMap::LeftClick::Nothing:
            return;
        case SurveyMap::LeftClick::OpenSieve:
            MostraSetaccio(); // closes the open one first
            return;
        case SurveyMap::LeftClick::Refused: {
            QMessageBox box(QMessageBox::NoIcon, tr("Attenzione"), tr("Non è possibile aggiungere altre stazioni"),
                            QMessageBox::Ok, this);
            box.exec();
            break;
        }
        case SurveyMap::LeftClick::Placed:
            nstazioni->setText(stationCountText(map_.NumStazioni));
            break;
        }
        setSurveyButtonsEnabled(true);
        closeWindow(dati_);
    } else if (button == 2) {
        if (map_.rightClick(x, y) == 0)
            return;
        mappaView_->setCursor(icons::deletionCursor()); // until the button is released
        nstazioni->setText(stationCountText(map_.NumStazioni));
        if (map_.NumStazioni == 0) {
            setSurveyButtonsEnabled(false);
            setRouteUnknown();
        }
        // Both windows show the old numbering.
        closeWindow(dati_);
        closeWindow(setaccio_);
    }
}

void VelmaraMain::Mappa_MouseMove(int button, int, float x, float y)
{
    // Off the map only a drag that began on it is followed; a bare move
    // there is over the view's border, which is no part of the map.
    if (button == 0 && !map_.onMap(x, y))
        return;
    const RouteReadout readout = map_.readCursor(x, y);
    // Most moves change one or two captions: the others are left alone
    // rather than set again.
    const auto show = [](QLabel *label, const QString &text) {
        if (label->text() != text)
            label->setText(text);
    };
    show(MappaX, readout.x);
    show(MappaY, readout.y);
    show(MappaZ, readout.prof);
    if (readout.route) {
        show(RottaDa, readout.route->da);
        show(RottaDist, readout.route->dist);
        show(RottaAng, readout.route->ang);
    }
}

void VelmaraMain::Mappa_MouseUp(int, int, float, float)
{
    mappaView_->setCursor(Qt::CrossCursor);
}

void VelmaraMain::Form_MouseMove()
{
    MappaX->setText(tr("x = n.d."));
    MappaY->setText(tr("y = n.d."));
    MappaZ->setText(tr("prof = n.d."));
}

void VelmaraMain::MostraID()
{
    map_.MostraID();
    ToggleID->setText(v_.IDVisibili ? tr("Nascondi ID") : tr("Mostra ID"));
}

void VelmaraMain::ToggleID_Click()
{
    MostraID();
}

void VelmaraMain::CopiaBMP_Click()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(map_.Mappa.Image());
}

void VelmaraMain::Help_Click()
{
    QMessageBox box(QMessageBox::NoIcon, tr("Aiuto"), helptext::text(), QMessageBox::Ok, this);
    box.exec();
}

void VelmaraMain::MostraSetaccio()
{
    // Every opening is a fresh window with a fresh layout.
    closeWindow(setaccio_);
    auto *sieve = new Setaccio(v_, folder_);
    if (!sieve->Form_Load()) {
        delete sieve;
        return;
    }
    setaccio_ = sieve;
    sieve->repaint();
}

void VelmaraMain::MostraTaxa_Click()
{
    auto *gallery = qobject_cast<Taxa *>(taxa_.data());
    const bool fresh = gallery == nullptr;
    if (fresh)
        gallery = new Taxa(folder_);
    if (!gallery->MostraTaxa()) {
        if (fresh)
            delete gallery;
        return;
    }
    taxa_ = gallery;
}

void VelmaraMain::tabelladati()
{
    const QString text = tabletext::build(v_, map_.NumStazioni);
    // A window closed by the user but not yet destroyed is gone already.
    if (dati_ && !dati_->isVisible())
        closeWindow(dati_);
    if (!dati_)
        dati_ = new Dati; // no owner: it stands beside the main window
    auto *dati = qobject_cast<Dati *>(dati_.data());
    dati->setTableText(text);
    dati->show();
    dati->raise();
    dati->activateWindow();
}

void VelmaraMain::MostraDati_Click()
{
    tabelladati();
}

void VelmaraMain::Salva_Click()
{
    const QString path = CommonDialog1.ShowSave(this);
    if (path.isEmpty())
        return;
    const QString failure = textexport::write(path, tabletext::build(v_, map_.NumStazioni));
    if (!failure.isEmpty())
        QMessageBox::warning(this, tr("Fondalis"), failure);
}

void VelmaraMain::SplashShow()
{
    frmSplash splash;
    SplashWait wait(splashDuration_);
    // Closing the main window meanwhile ends the program: no point waiting.
    wait.endWhenClosed(this);
    connect(&wait, &SplashWait::ended, &splash, &QWidget::close);
    splash.showCentred();
    wait.exec();
    splash.close();
}
