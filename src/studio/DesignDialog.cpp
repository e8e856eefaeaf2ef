#include "DesignDialog.h"

#include "Verita.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

DesignDialog::DesignDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Nuovo disegno"));
    design_ = new QComboBox(this);
    for (const disegno::Tipo t : {disegno::Tipo::Casuale, disegno::Tipo::Griglia, disegno::Tipo::Stratificato})
        design_->addItem(disegno::nomeTipo(t), QVariant::fromValue(int(t)));
    design_->setItemData(0, tr("Stazioni a caso sul mare rilevabile"), Qt::ToolTipRole);
    design_->setItemData(1, tr("Una griglia regolare con l'origine a caso, percorsa riga per riga"), Qt::ToolTipRole);
    design_->setItemData(2, tr("Stazioni a caso in ogni strato di profondità, in proporzione alla sua area"),
                         Qt::ToolTipRole);
    design_->setAccessibleName(tr("Disegno di campionamento"));
    stations_ = new QSpinBox(this);
    stations_->setRange(1, Velmara::kMaxStazioni);
    stations_->setValue(20);
    stations_->setAccessibleName(tr("Numero di stazioni"));
    seed_ = new QLineEdit(this);
    seed_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{1,19}")), seed_));
    seed_->setText(QString::number(QRandomGenerator::global()->bounded(1, 1000000)));
    seed_->setToolTip(tr("Lo stesso seme dà sempre lo stesso rilievo"));
    seed_->setAccessibleName(tr("Seme"));
    strata_ = new QLineEdit(verita::kStratiPredefiniti, this);
    strata_->setToolTip(tr("I limiti degli strati in metri, crescenti, separati da virgole"));
    strata_->setAccessibleName(tr("Strati di profondità"));
    problem_ = new QLabel(this);
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #b01e28"));
    problem_->setAccessibleName(tr("Che cosa non va"));
    problem_->hide();

    auto *form = new QFormLayout;
    form->addRow(tr("&Disegno:"), design_);
    form->addRow(tr("S&tazioni:"), stations_);
    form->addRow(tr("S&eme:"), seed_);
    form->addRow(tr("St&rati (m):"), strata_);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("&Crea"));
    buttons->button(QDialogButtonBox::Ok)->setAccessibleName(tr("Crea il disegno"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("&Annulla"));
    buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(tr("Annulla"));
    connect(buttons, &QDialogButtonBox::accepted, this, &DesignDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DesignDialog::reject);
    connect(design_, &QComboBox::currentIndexChanged, this, &DesignDialog::designChanged);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Le stazioni sono messe come le mette fondalis-analisi disegno: "
                                    "solo sul mare rilevabile, mai vicine a un'altra stazione."),
                                 this));
    layout->addLayout(form);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
    designChanged();
}

void DesignDialog::designChanged()
{
    strata_->setEnabled(request().tipo == disegno::Tipo::Stratificato);
}

DesignRequest DesignDialog::request() const
{
    DesignRequest r;
    r.tipo = disegno::Tipo(design_->currentData().toInt());
    r.stations = stations_->value();
    r.seed = seed_->text().toULongLong();
    r.strata = r.tipo == disegno::Tipo::Stratificato ? strata_->text().trimmed() : verita::kStratiPredefiniti;
    return r;
}

void DesignDialog::setRequest(const DesignRequest &r)
{
    design_->setCurrentIndex(design_->findData(int(r.tipo)));
    stations_->setValue(r.stations);
    seed_->setText(QString::number(r.seed));
    strata_->setText(r.strata);
}

QString DesignDialog::problem() const
{
    bool ok = false;
    seed_->text().toULongLong(&ok);
    if (!ok)
        return tr("Il seme deve essere un numero intero da 0 in su.");
    if (request().tipo == disegno::Tipo::Stratificato) {
        const verita::Limiti limits = verita::leggiLimiti(strata_->text());
        if (!limits.errore.isEmpty())
            return tr("Strati: %1.").arg(limits.errore);
    }
    return {};
}

void DesignDialog::accept()
{
    const QString why = problem();
    problem_->setText(why);
    problem_->setVisible(!why.isEmpty());
    if (why.isEmpty())
        QDialog::accept();
}
