#include "Setaccio.h"

#include "ColourConversion.h"
#include "CountList.h"
#include "NumberText.h"
#include "SampleContent.h"
#include "SieveDrawing.h"
#include "SieveFiles.h"
#include "SieveRandom.h"
#include "SurfaceView.h"
#include "Twips.h"
#include "Velmara.h"
#include "WindowStyle.h"

#include <QButtonGroup>
#include <QFontMetricsF>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <future>

namespace {

// The options from top to bottom, with the index that picks their file.
struct OptionRow {
    int index;
    const char *caption;
    int topTwips;
};
constexpr OptionRow kOptionRows[] = {
    {0, QT_TRANSLATE_NOOP("Setaccio", "sabbia"), 480},  {2, QT_TRANSLATE_NOOP("Setaccio", "nero"), 840},
    {1, QT_TRANSLATE_NOOP("Setaccio", "bianco"), 1200}, {3, QT_TRANSLATE_NOOP("Setaccio", "celeste"), 1560},
    {4, QT_TRANSLATE_NOOP("Setaccio", "blu"), 1920},
};

// The progress bar repaints itself at every change of value, and on a real
// display each repaint costs half as much as drawing the whole sample: it
// moves in eighths of the sample.
constexpr int kPassiBarra = 8;

// The first drawing is always on the first option's background.
constexpr int kPrimaOpzione = 0;

bool nuovoPasso(int drawn, int total)
{
    return drawn == total || drawn * kPassiBarra / total != (drawn - 1) * kPassiBarra / total;
}

} // namespace

Setaccio::Setaccio(Velmara &state, const QString &dataFolder, std::optional<std::uint32_t> seed)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , SetaccioPic(QSize(twips::toPx(samplecontent::kSetaccioPicWidthTwips),
                        twips::toPx(samplecontent::kSetaccioPicHeightTwips)))
    , v_(state)
    , folder_(dataFolder)
    , seed_(seed)
{
    primoSfondo_ = decodificaPrimoSfondo();
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Setaccio"));
    setFont(windowstyle::uiFont());
    setFixedSize(twips::size(9510, 8190));
    buildControls();
}

Setaccio::~Setaccio() = default;

std::future<sievefiles::Picture> Setaccio::decodificaPrimoSfondo() const
{
    return std::async(std::launch::async,
                      [folder = folder_] { return sievefiles::caricaSfondo(folder, kPrimaOpzione); });
}

void Setaccio::buildControls()
{
    SetaccioView = new SurfaceView(SetaccioPic, 0, this);
    SetaccioView->setGeometry(twips::rect(120, 120, 7935, 7950));

    Label1 = new QLabel(tr("Sfondo setaccio:"), this);
    Label1->setGeometry(twips::rect(8160, 120, 1335, 255));

    optionGroup_ = new QButtonGroup(this);
    for (const OptionRow &row : kOptionRows) {
        auto *option = new QRadioButton(tr(row.caption), this);
        option->setGeometry(twips::rect(8400, row.topTwips, 945, 255));
        optionGroup_->addButton(option, row.index);
        Option1[row.index] = option;
    }
    Option1[0]->setChecked(true);
    connect(optionGroup_, &QButtonGroup::idClicked, this, &Setaccio::Option1_Click);

    Command1 = new QPushButton(tr("Lista"), this);
    Command1->setGeometry(twips::rect(8280, 2520, 1095, 375));
    Command1->setAutoDefault(false);
    connect(Command1, &QPushButton::clicked, this, &Setaccio::MostraLista);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setGeometry(twips::rect(8280, 3120, 1095, 4215));
    ProgressBar1->setOrientation(Qt::Vertical);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide();

    Lista = new QPlainTextEdit(this);
    Lista->setGeometry(twips::rect(8180, 3160, 1240, 3255));
    Lista->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Lista->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Lista->setLineWrapMode(QPlainTextEdit::NoWrap);
    Lista->document()->setDocumentMargin(2);
    // Tab stops every eight average characters, so that the counts line up
    // inside the narrow box.
    Lista->setTabStopDistance(8 * QFontMetricsF(font()).averageCharWidth());
    Lista->hide();

    Command2 = new QPushButton(tr("Chiudi"), this);
    Command2->setGeometry(twips::rect(8280, 7680, 1095, 375));
    Command2->setAutoDefault(false);
    connect(Command2, &QPushButton::clicked, this, &Setaccio::Command2_Click);
}

bool Setaccio::Form_Load()
{
    if (v_.StazSel < 1 || v_.StazSel > Velmara::kMaxStazioni)
        return false;
    // Both pictures of the first drawing are read before anything changes,
    // so that a broken file leaves neither a half-open window nor altered
    // sieve parameters behind. The background, by far the slower to decode,
    // is read on another core meanwhile, from the window's construction on.
    if (!primoSfondo_.valid())
        primoSfondo_ = decodificaPrimoSfondo();
    const sievefiles::Picture fauna = sievefiles::caricaFauna(folder_);
    if (!fauna.ok()) {
        primoSfondo_.wait();
        segnala(fauna.message);
        return false;
    }
    Velmara sheetLayout;
    samplecontent::impostaParametri(sheetLayout);
    sprites_.emplace(fauna.image, colour::fromQRgb(fauna.image.pixel(2, 2)), sheetLayout.LarghezzaSprite,
                     sheetLayout.AltezzaSprite);
    scegliOpzione(kPrimaOpzione);
    const sievefiles::Picture background = primoSfondo_.get();
    if (!background.ok()) {
        segnala(background.message);
        return false;
    }

    setWindowTitle(tr("Stazione") + QString::fromStdString(numtext::str(v_.StazSel)));
    SetaccioPic.scalePixels();
    v_.AltezzaPx = static_cast<std::int16_t>(twips::toPx(samplecontent::kSetaccioPicHeightTwips));
    v_.LarghezzaPx = static_cast<std::int16_t>(twips::toPx(samplecontent::kSetaccioPicWidthTwips));
    SetaccioPic.Scale(0, v_.AltezzaPx, v_.LarghezzaPx, 0);

    FaunaPic.setPicture(fauna.image, true);
    FaunaPic.scalePixels();
    v_.ColoreTrasp = FaunaPic.Point(2, 2);

    Lista->hide();
    show();

    SieveRandom random = seed_ ? SieveRandom(*seed_) : SieveRandom::fromTimeOfDay();
    samplecontent::impostaParametri(v_);
    samplecontent::CaricaContenuto(v_, [&random] { return random.next(); });
    disegna(background.image);
    return true;
}

bool Setaccio::CaricaSetaccio()
{
    const sievefiles::Picture background = sievefiles::caricaSfondo(folder_, opzioneScelta());
    if (!background.ok()) {
        // Back to the option whose picture is still on the sieve.
        scegliOpzione(shownOption_);
        segnala(background.message);
        return false;
    }
    disegna(background.image);
    return true;
}

void Setaccio::disegna(const QImage &background)
{
    sievedrawing::stendiSfondo(SetaccioPic, background);
    shownOption_ = opzioneScelta();

    const int total = samplecontent::numeroOrganismi(v_);
    Lista->hide();
    // An empty range would show the toolkit's busy animation: an empty
    // sample shows an empty bar instead.
    ProgressBar1->setRange(0, std::max(total, 1));
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    repaint();

    sievedrawing::disegnaMaglia(SetaccioPic, v_);
    if (!sprites_ || !sprites_->madeFrom(FaunaPic.Image(), v_.ColoreTrasp, v_.LarghezzaSprite, v_.AltezzaSprite))
        sprites_.emplace(FaunaPic.Image(), v_);
    sievedrawing::disegnaOrganismi(SetaccioPic, *sprites_, v_, [this, total](int drawn) {
        if (nuovoPasso(drawn, total))
            ProgressBar1->setValue(drawn);
    });

    ProgressBar1->hide();
    SetaccioView->Refresh();
    setWindowTitle(sievedrawing::didascaliaDopoDisegno(windowTitle()));
}

void Setaccio::Option1_Click(int)
{
    CaricaSetaccio();
}

void Setaccio::MostraLista()
{
    Lista->setPlainText(countlist::MostraListaText(v_));
    Lista->show();
}

void Setaccio::Command2_Click()
{
    close();
}

void Setaccio::segnala(const QString &message)
{
    QMessageBox::warning(isVisible() ? this : nullptr, tr("Fondalis"), message);
}

int Setaccio::opzioneScelta() const
{
    // Exactly one option is set; were none, the sieve would be sand.
    return std::max(0, optionGroup_->checkedId());
}

void Setaccio::scegliOpzione(int index)
{
    const QSignalBlocker blocker(optionGroup_);
    Option1[static_cast<std::size_t>(index)]->setChecked(true);
}
