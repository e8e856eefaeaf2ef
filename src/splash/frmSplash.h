#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;

// The window shown at the first start: the program's name, description,
// version and credit over a logo. Any key or a click on its margin closes it.
class frmSplash : public QDialog
{
    Q_OBJECT

public:
    explicit frmSplash(QWidget *parent = nullptr);
    ~frmSplash() override;

    // Shown centred on the screen, not modal.
    void showCentred();

    QGroupBox *Frame1 = nullptr;
    QLabel *imgLogo = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *lblCompanyProduct = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblPlatform = nullptr;
    QLabel *lblCopyright = nullptr;

    // Bold Arial, or its metric twin, at a size given in points.
    static QFont splashFont(double points);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void Form_Click();
    void Form_KeyPress();
    bool onMargin(const QPointF &position) const;

    bool pressedOnMargin_ = false;
};
