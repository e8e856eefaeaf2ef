#pragma once

#include "Workspace.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// "Nuovo disegno…": the design, the number of stations, the seed and, for a
// stratified design, the strata, as fondalis-analisi disegno takes them.
class DesignDialog : public QDialog
{
    Q_OBJECT

public:
    explicit DesignDialog(QWidget *parent = nullptr);

    DesignRequest request() const;
    void setRequest(const DesignRequest &request);
    // Why the fields cannot make a design; empty when they can.
    QString problem() const;

    QComboBox *design() const { return design_; }
    QSpinBox *stations() const { return stations_; }
    QLineEdit *seed() const { return seed_; }
    QLineEdit *strata() const { return strata_; }

    void accept() override;

private:
    void designChanged();

    QComboBox *design_ = nullptr;
    QSpinBox *stations_ = nullptr;
    QLineEdit *seed_ = nullptr;
    QLineEdit *strata_ = nullptr;
    QLabel *problem_ = nullptr;
};
