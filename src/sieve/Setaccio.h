#pragma once

#include "PictureSurface.h"
#include "SieveFiles.h"
#include "SpriteSheet.h"

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <future>
#include <optional>

class QButtonGroup;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class SurfaceView;
struct Velmara;

// The sieve of station StazSel: every organism of its catch on a square
// mesh over a background of the user's choice, and its list of counts.
// Each opening is a fresh window with a fresh random layout; the window
// deletes itself when closed.
class Setaccio : public QWidget
{
    Q_OBJECT

public:
    // Without a seed the layout is seeded from the time of day.
    explicit Setaccio(Velmara &state, const QString &dataFolder, std::optional<std::uint32_t> seed = std::nullopt);
    ~Setaccio() override;

    // Reads the sprite sheet and the first background, shows the window and
    // draws the sample. False, with a message naming the file, when a
    // picture cannot be used: the window then stays hidden and the survey
    // state untouched.
    bool Form_Load();

    // Redraws background, mesh and organisms for the selected option. When
    // its background cannot be read the previous picture and option stay.
    bool CaricaSetaccio();
    void Option1_Click(int index);

    // The option whose background the sieve shows.
    int sfondoMostrato() const { return shownOption_; }

    PictureSurface SetaccioPic;
    PictureSurface FaunaPic; // never shown

    SurfaceView *SetaccioView = nullptr;
    QLabel *Label1 = nullptr;
    std::array<QRadioButton *, 5> Option1{}; // by index: sabbia, bianco, nero, celeste, blu
    QPushButton *Command1 = nullptr;         // "Lista"
    QPushButton *Command2 = nullptr;         // "Chiudi"
    QProgressBar *ProgressBar1 = nullptr;
    QPlainTextEdit *Lista = nullptr;

private:
    std::future<sievefiles::Picture> decodificaPrimoSfondo() const;
    void buildControls();
    void disegna(const QImage &background);
    void MostraLista();
    void Command2_Click();
    void segnala(const QString &message);
    int opzioneScelta() const;
    void scegliOpzione(int index);

    Velmara &v_;
    QString folder_;
    std::optional<std::uint32_t> seed_;
    QButtonGroup *optionGroup_ = nullptr;
    // Started with the window, taken by Form_Load.
    std::future<sievefiles::Picture> primoSfondo_;
    // The fauna sheet ready for stamping, kept for the redraws.
    std::optional<SpriteSheet> sprites_;
    int shownOption_ = 0;
};
