#include "FuzzChecks.h"

#include "Analisi.h"
#include "Contesto.h"
#include "GenOptions.h"
#include "Rilievo.h"
#include "TableText.h"
#include "Velmara.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

namespace fuzzchecks {

namespace {

// The words of a command line: the input parted at NUL bytes, which no
// argument can hold, decoded as the programs decode theirs.
QStringList words(const QByteArray &input)
{
    QStringList args;
    if (input.isEmpty())
        return args;
    for (const QByteArray &word : input.split('\0'))
        args << QString::fromLocal8Bit(word);
    return args;
}

bool isNumber(const QString &word, quint32 value)
{
    bool ok = false;
    const qulonglong n = word.toULongLong(&ok);
    return ok && n == value && !word.isEmpty() && word.front().isDigit();
}

// Where fondalis-analisi runs: a scratch folder as its working folder, with
// two surveys and a small area of its own as the program's folder. Only
// names inside it can be given (see analisiOptions), so a run reads and
// writes nothing else.
class Workshop
{
public:
    Workshop()
    {
        QDir(root_.path()).mkpath(QStringLiteral("lavoro/area"));
        work_ = QDir(root_.filePath(QStringLiteral("lavoro")));
        QDir area(work_.filePath(QStringLiteral("area")));
        // Sea deepening to the east, land in the first columns, and species
        // whose counts change along the rows.
        const auto picture = [](auto colour) {
            QImage image(512, 512, QImage::Format_RGB32);
            for (int y = 0; y < 512; ++y)
                for (int x = 0; x < 512; ++x)
                    image.setPixel(x, y, colour(x, y));
            return image;
        };
        picture([](int x, int) { return x < 40 ? qRgb(0, 0, 0) : qRgb(77 + x / 4, 0, 0); }).save(area.filePath(QStringLiteral("bati.bmp")), "BMP");
        picture([](int x, int y) { return qRgb(20 + x / 4, 60 + y / 4, 200); }).save(area.filePath(QStringLiteral("base.bmp")), "BMP");
        for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp)
            picture([sp](int x, int y) { return qRgb(255 - (x * sp + y) % 250, 0, 0); }).save(area.filePath(QStringLiteral("s%1.bmp").arg(sp)), "BMP");
        fixtures_ = {QStringLiteral("area"), QStringLiteral("rilievo.txt"), QStringLiteral("r")};
        areaFiles_ = area.entryList(QDir::Files);
    }

    QString work() const { return work_.path(); }
    QString area() const { return work_.filePath(QStringLiteral("area")); }

    // The surveys as they were, anything a command wrote taken away.
    void reset()
    {
        for (const QString &name : work_.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
            if (!fixtures_.contains(name))
                removeEntry(work_, name);
        }
        QDir area(this->area());
        for (const QString &name : area.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
            if (!areaFiles_.contains(name))
                removeEntry(area, name);
        }
        writeSurvey(QStringLiteral("rilievo.txt"), 3);
        writeSurvey(QStringLiteral("r"), 1);
    }

    // Whatever ran left nothing beside the working folder.
    bool untouchedOutside() const
    {
        return QDir(root_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
               == QStringList{QStringLiteral("lavoro")};
    }

private:
    static void removeEntry(const QDir &dir, const QString &name)
    {
        const QString path = dir.filePath(name);
        if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink())
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
    }

    void writeSurvey(const QString &name, int stations)
    {
        Velmara v;
        for (int n = 1; n <= stations; ++n) {
            v.Stazioni[n][Velmara::kX] = static_cast<std::int16_t>(100 + 90 * n);
            v.Stazioni[n][Velmara::kY] = static_cast<std::int16_t>(50 + 120 * n);
            v.Stazioni[n][Velmara::kProf] = static_cast<std::int16_t>((100 + 90 * n) / 4 + 1);
            for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp)
                v.Conteggi[n][sp] = static_cast<std::int16_t>((n * 7 + sp * 5) % 64);
        }
        QFile file(work_.filePath(name));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(tabletext::build(v, stations).toUtf8());
    }

    QTemporaryDir root_;
    QDir work_;
    QStringList fixtures_;
    QStringList areaFiles_;
};

Workshop &workshop()
{
    static Workshop w;
    return w;
}

// Runs in the workshop, then returns to the folder it was called from.
class WorkingFolder
{
public:
    explicit WorkingFolder(const QString &path)
        : previous_(QDir::currentPath())
    {
        QDir::setCurrent(path);
    }
    ~WorkingFolder() { QDir::setCurrent(previous_); }
    WorkingFolder(const WorkingFolder &) = delete;
    WorkingFolder &operator=(const WorkingFolder &) = delete;

private:
    QString previous_;
};

} // namespace

QString genOptions(const QByteArray &input)
{
    const QStringList args = words(input);
    const GenOptions o = genoptions::parse(args);
    switch (o.action) {
    case GenOptions::Action::Help:
        return args.contains(QStringLiteral("-h")) || args.contains(QStringLiteral("--help")) ? QString()
                                                                                               : QStringLiteral("help without asking");
    case GenOptions::Action::Fail:
        if ((o.status != 1 && o.status != 2) || !o.message.startsWith(QStringLiteral("fondalis-gen: ")))
            return QStringLiteral("failed with status %1: %2").arg(o.status).arg(o.message);
        if (o.status == 2 && !o.message.contains(genoptions::usageLine()))
            return QStringLiteral("a usage error without the usage line: ") + o.message;
        return {};
    case GenOptions::Action::Generate:
        break;
    }
    if (o.status != 0 || !o.message.isEmpty() || o.folder.isEmpty() || !args.contains(o.folder))
        return QStringLiteral("generates into «%1» with status %2").arg(o.folder).arg(o.status);
    // The seed is the default or one given, and the flags were given.
    const bool seedGiven = std::any_of(args.begin(), args.end(), [&](const QString &w) {
        return isNumber(w, o.seed) || (w.startsWith(QStringLiteral("--seed=")) && isNumber(w.mid(7), o.seed));
    });
    if (!seedGiven && o.seed != 20261206u)
        return QStringLiteral("seed %1 from nowhere").arg(o.seed);
    if ((o.withProgram && !args.contains(QStringLiteral("--con-programma")))
        || (o.overwrite && !args.contains(QStringLiteral("--sovrascrivi"))))
        return QStringLiteral("a flag from nowhere");
    return {};
}

QString analisiOptions(const QByteArray &input)
{
    const QStringList args = words(input);
    // Paths could reach files outside the scratch folder, devices that
    // never end (/dev/stdin) or folders the reports would write into: such
    // command lines are left out, every other is run for real.
    for (const QString &w : args) {
        if (w.contains(QLatin1Char('/')) || w.contains(QStringLiteral("..")))
            return {};
    }
    Workshop &shop = workshop();
    shop.reset();
    QString out;
    QString err;
    int status = 0;
    {
        const WorkingFolder inside(shop.work());
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        status = runAnalisi(args, outStream, errStream, shop.area());
    }
    if (!shop.untouchedOutside())
        return QStringLiteral("wrote beside its working folder");
    if (status < 0 || status > 2)
        return QStringLiteral("exit status %1").arg(status);
    if (status != 0 && err.isEmpty())
        return QStringLiteral("status %1 without a message").arg(status);
    if (status == 0 && out.isEmpty())
        return QStringLiteral("done without a word");
    // A design is a table the program's own reader takes, of the size asked.
    if (status == 0 && args.value(0) == QLatin1String("disegno")) {
        const Riga riga = analizzaRiga(args.mid(1), {QStringLiteral("area"), QStringLiteral("strati"), QStringLiteral("seme")});
        const rilievo::Lettura design = rilievo::leggi(out.toUtf8());
        if (!riga.aiuto && (!design.ok() || design.rilievo->numStazioni() != riga.posizionali.value(1).toInt()))
            return QStringLiteral("a design that reads as: ") + design.errore;
    }
    return {};
}

} // namespace fuzzchecks
