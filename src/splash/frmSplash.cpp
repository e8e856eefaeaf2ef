#include "frmSplash.h"

#include "SplashLogo.h"
#include "Twips.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>

namespace {

QLabel *label(QWidget *parent, const QString &text, const QRect &place, double points,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(place);
    l->setFont(frmSplash::splashFont(points));
    l->setAlignment(alignment);
    l->setWordWrap(true);
    return l;
}

} // namespace

frmSplash::frmSplash(QWidget *parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setFixedSize(twips::size(7380, 4665));

    Frame1 = new QGroupBox(this);
    Frame1->setGeometry(twips::rect(160, 80, 7080, 4410));

    imgLogo = new QLabel(Frame1);
    imgLogo->setGeometry(twips::rect(240, 240, 2790, 4035));
    imgLogo->setPixmap(QPixmap::fromImage(splashlogo::draw()));

    // The name's box starts over the logo's right edge, so the name keeps to
    // the right like the lines below it.
    Label4 = label(Frame1, tr("Fondalis"), twips::rect(2520, 240, 4335, 855), 36, Qt::AlignRight | Qt::AlignTop);
    lblCompanyProduct = label(Frame1, tr("Simulatore di campionamento di macrozoobenthos di fondo mobile "),
                              twips::rect(3600, 1440, 3300, 1440), 15.75);
    lblVersion = label(Frame1, tr("Versione 1.1"), twips::rect(5640, 3360, 1170, 240), 9.75,
                       Qt::AlignRight | Qt::AlignTop);
    lblPlatform = label(Frame1, tr("Windows 9x/Me/NT/2000/XP"), twips::rect(3960, 3660, 2895, 240), 9.75,
                        Qt::AlignRight | Qt::AlignTop);
    lblCopyright = label(Frame1, tr("Didattica dell'ecologia marina"), twips::rect(3600, 3960, 3255, 255), 9.75,
                         Qt::AlignRight | Qt::AlignTop);
}

frmSplash::~frmSplash() = default;

QFont frmSplash::splashFont(double points)
{
    QFont font(QStringLiteral("Arial"));
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    // Twips are laid out at 96 logical dots per inch; the font follows them.
    font.setPixelSize(qRound(points * 96.0 / 72.0));
    return font;
}

void frmSplash::showCentred()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    activateWindow();
}

void frmSplash::keyPressEvent(QKeyEvent *event)
{
    // Every key, Escape and Return included, only closes the window.
    event->accept();
    Form_KeyPress();
}

bool frmSplash::onMargin(const QPointF &position) const
{
    return rect().contains(position.toPoint()) && childAt(position.toPoint()) == nullptr;
}

void frmSplash::mousePressEvent(QMouseEvent *event)
{
    // Presses on the frame and the labels, which ignore them, arrive here
    // too; only the margin around the frame counts.
    pressedOnMargin_ = event->button() == Qt::LeftButton && onMargin(event->position());
    event->accept();
}

void frmSplash::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = pressedOnMargin_ && event->button() == Qt::LeftButton && onMargin(event->position());
    pressedOnMargin_ = false;
    event->accept();
    if (click)
        Form_Click();
}

void frmSplash::Form_Click()
{
    close();
}

void frmSplash::Form_KeyPress()
{
    close();
}
