#pragma once

#include "SaveDialog.h"
#include "ScreenCentring.h"
#include "SurveyMap.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <chrono>
#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;
class SurfaceView;
struct Velmara;

// The main window: the map of the sea area, the cursor and route readouts
// and the column of buttons. The program is this window; the sieve, the data
// table and the taxa gallery are opened from it and closed with it.
class VelmaraMain : public QWidget
{
    Q_OBJECT

public:
    // Images are read from dataFolder (the program's own folder).
    VelmaraMain(Velmara &state, const QString &dataFolder, QWidget *parent = nullptr);
    ~VelmaraMain() override;

    // Empties the survey, loads the images and shows the window. False when
    // an image cannot be used: the message has then been reported and
    // nothing was shown or changed.
    bool Form_Load();
    void Resetta_Click();
    void Esci_Click();
    void SplashShow();

    // The sieve window for station StazSel, opened afresh; the gallery.
    void MostraSetaccio();
    void MostraTaxa_Click();

    // The survey as a table: in the data window, or straight to a file.
    void tabelladati();
    void MostraDati_Click();
    void Salva_Click();

    // Station numbers on the map, the map to the clipboard, the help text.
    void MostraID();
    void ToggleID_Click();
    void CopiaBMP_Click();
    void Help_Click();

    // How a fatal load failure reaches the user; a message box by default.
    void setFatalReporter(std::function<void(const QString &)> reporter) { reportFatal_ = std::move(reporter); }
    // How long the splash screen waits; tests shorten it.
    void setSplashDuration(std::chrono::milliseconds duration) { splashDuration_ = duration; }
    // "Salva dati"'s dialog, which offers the name chosen last.
    const SaveDialog &saveDialog() const { return CommonDialog1; }

    // True once a reset found an image it cannot use: the program then ends
    // with a failure status.
    bool stoppedOnLoadFailure() const { return stoppedOnLoadFailure_; }

    SurveyMap &map() { return map_; }
    SurfaceView *mappaView() const { return mappaView_; }

    QLabel *MappaX = nullptr;
    QLabel *MappaY = nullptr;
    QLabel *MappaZ = nullptr;
    QLabel *RottaDa = nullptr;
    QLabel *RottaDist = nullptr;
    QLabel *RottaAng = nullptr;
    QLabel *nstazioni = nullptr;
    QGroupBox *Frame1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QGroupBox *Frame3 = nullptr;
    QPushButton *Help = nullptr;
    QPushButton *MostraTaxa = nullptr;
    QPushButton *CopiaBMP = nullptr;
    QPushButton *ToggleID = nullptr;
    QPushButton *MostraDati = nullptr;
    QPushButton *Salva = nullptr;
    QPushButton *Resetta = nullptr;
    QPushButton *Esci = nullptr;

    // The secondary windows, while open.
    QWidget *setaccioWindow() const { return setaccio_; }
    QWidget *datiWindow() const { return dati_; }
    QWidget *taxaWindow() const { return taxa_; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    void buildControls();
    void closeSecondaryWindows();
    static void closeWindow(QPointer<QWidget> &window);
    void Mappa_MouseDown(int button, int shift, float x, float y);
    void Mappa_MouseMove(int button, int shift, float x, float y);
    void Mappa_MouseUp(int button, int shift, float x, float y);
    void Form_MouseMove();
    void setSurveyButtonsEnabled(bool enabled);
    void setRouteUnknown();

    Velmara &v_;
    QString folder_;
    SurveyMap map_;
    SurfaceView *mappaView_ = nullptr;
    bool shownOnce_ = false;
    ScreenCentring centring_;
    bool stoppedOnLoadFailure_ = false;
    std::function<void(const QString &)> reportFatal_;
    std::chrono::milliseconds splashDuration_{4000};
    SaveDialog CommonDialog1;

    QPointer<QWidget> setaccio_;
    QPointer<QWidget> dati_;
    QPointer<QWidget> taxa_;
};
