#include "Dati.h"

#include "DatiLayout.h"
#include "TextExport.h"
#include "Twips.h"
#include "WindowStyle.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMoveEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QTextDocument>

namespace {

QPushButton *button(QWidget *parent, const QString &caption, int leftTwips)
{
    auto *b = new QPushButton(caption, parent);
    b->setGeometry(twips::rect(leftTwips, 4005, 1095, 375));
    b->setAutoDefault(false);
    return b;
}

} // namespace

Dati::Dati(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    // Closing is unloading: the text, its edits and the dialog's name go.
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Tabella dati"));
    setFont(windowstyle::uiFont());

    Tabella = new QPlainTextEdit(this);
    Tabella->setGeometry(twips::rect(120, 120, 9135, 3735));
    Tabella->setLineWrapMode(QPlainTextEdit::NoWrap);
    Tabella->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Tabella->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Columns a little wider than the longest label, "prof. (m)".
    Tabella->setTabStopDistance(Tabella->fontMetrics().horizontalAdvance(QStringLiteral("prof. (m)__")));

    Command2 = button(this, tr("Salva"), 120);
    CopiaDati = button(this, tr("Copia"), 1440);
    Command1 = button(this, tr("Chiudi"), 8160);
    connect(Command2, &QPushButton::clicked, this, &Dati::Command2_Click);
    connect(CopiaDati, &QPushButton::clicked, this, &Dati::CopiaDati_Click);
    connect(Command1, &QPushButton::clicked, this, &Dati::Command1_Click);

    resize(twips::size(9390, 4485));
}

Dati::~Dati() = default;

void Dati::setTableText(const QString &text)
{
    Tabella->setPlainText(text);
}

QString Dati::tableText() const
{
    // The raw text keeps what the user typed (toPlainText would turn a
    // no-break space into a blank); blocks are parted by U+2029.
    return textexport::withCrLf(Tabella->document()->toRawText());
}

void Dati::CopiaDati_Click()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(tableText());
}

void Dati::Command2_Click()
{
    const QString path = CommonDialog1.ShowSave(this);
    if (path.isEmpty())
        return;
    const QString failure = textexport::write(path, tableText());
    if (!failure.isEmpty())
        QMessageBox::warning(this, tr("Tabella dati"), failure);
}

void Dati::Command1_Click()
{
    close();
}

void Dati::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Dati::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    // A window manager adds its frame only after the window is shown, and
    // the window learns of it with the move that comes with the frame: the
    // layout made at showing time was for an outer size without it.
    if (frameThickness() != laidOutFrame_)
        Form_Resize();
}

void Dati::Form_Resize()
{
    // The rule is about the outer size; the frame is what the window
    // system adds around the client area.
    const QSize frame = frameThickness();
    laidOutFrame_ = frame;
    setMinimumSize(twips::toPx(DatiLayout::kMinWidth) - frame.width(),
                   twips::toPx(DatiLayout::kMinHeight) - frame.height());

    const QSize outer = size() + frame;
    const DatiLayout layout
        = DatiLayout::forOuterSize(QSizeF(twips::fromPx(outer.width()), twips::fromPx(outer.height())));
    Tabella->setGeometry(twips::rect(layout.tabella));
    Command2->setGeometry(twips::rect(layout.command2));
    CopiaDati->setGeometry(twips::rect(layout.copiaDati));
    Command1->setGeometry(twips::rect(layout.command1));
}
