#include "Rilievo.h"

#include <QFile>
#include <QObject>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

constexpr int kRighe = 17;
constexpr int kRigaVuota = 5;

QString etichetta(int riga)
{
    switch (riga) {
    case 1:
        return QStringLiteral("staz.");
    case 2:
        return QStringLiteral("x (m)");
    case 3:
        return QStringLiteral("y (m)");
    case 4:
        return QStringLiteral("prof. (m)");
    case kRigaVuota:
        return {};
    default:
        return QStringLiteral("sp. %1").arg(riga - kRigaVuota);
    }
}

// The bytes 0x80..0x9F of Windows-1252; the rest is Latin-1.
QString daWindows1252(const QByteArray &bytes)
{
    static const char16_t kAlti[32] = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
    };
    QString testo;
    testo.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        testo += (b >= 0x80 && b < 0xA0) ? QChar(kAlti[b - 0x80]) : QChar(b);
    }
    return testo;
}

QString decodifica(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString testo = utf8.decode(bytes);
    if (!utf8.hasError())
        return testo;
    return daWindows1252(bytes);
}

rilievo::Lettura errore(const QString &messaggio)
{
    return {std::nullopt, messaggio};
}

struct Campo {
    int riga;
    int stazione;
    QString testo;
};

QString dove(const Campo &c)
{
    return QObject::tr("riga %1 («%2»), stazione %3").arg(c.riga).arg(etichetta(c.riga)).arg(c.stazione);
}

// A whole number of at most nine digits, with an optional minus sign.
std::optional<int> intero(const QString &testo)
{
    const QString t = testo.trimmed();
    const int inizio = t.startsWith(QLatin1Char('-')) ? 1 : 0;
    if (t.size() == inizio || t.size() - inizio > 9)
        return std::nullopt;
    for (int i = inizio; i < t.size(); ++i) {
        if (t[i] < QLatin1Char('0') || t[i] > QLatin1Char('9'))
            return std::nullopt;
    }
    return t.toInt();
}

} // namespace

int Stazione::totale() const
{
    int n = 0;
    for (const int c : conteggi)
        n += c;
    return n;
}

int Stazione::specie() const
{
    int s = 0;
    for (const int c : conteggi)
        s += c > 0 ? 1 : 0;
    return s;
}

std::array<int, Velmara::kNumSpecie> Rilievo::totali() const
{
    std::array<int, Velmara::kNumSpecie> t{};
    for (const Stazione &s : stazioni) {
        for (int i = 0; i < Velmara::kNumSpecie; ++i)
            t[i] += s.conteggi[i];
    }
    return t;
}

Velmara Rilievo::velmara() const
{
    Velmara v;
    for (const Stazione &s : stazioni) {
        const int n = s.numero;
        v.Stazioni[n][Velmara::kX] = static_cast<std::int16_t>(s.colonna());
        v.Stazioni[n][Velmara::kY] = static_cast<std::int16_t>(s.riga());
        v.Stazioni[n][Velmara::kProf] = static_cast<std::int16_t>(s.prof);
        for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp)
            v.Conteggi[n][sp] = static_cast<std::int16_t>(s.conteggi[sp - 1]);
    }
    return v;
}

namespace rilievo {

Lettura leggi(const QByteArray &bytes)
{
    if (bytes.trimmed().isEmpty())
        return errore(QObject::tr("il file è vuoto"));
    if (bytes.size() > kMaxBytes)
        return errore(QObject::tr("il file è troppo grande (%1 byte): una tabella di 100 stazioni ne occupa "
                                  "circa 10 000").arg(bytes.size()));
    int numeroRiga = 1;
    for (const char c : bytes) {
        if (c == '\n')
            ++numeroRiga;
        else if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r')
            return errore(QObject::tr("riga %1: il file non è un testo (contiene byte di controllo)").arg(numeroRiga));
    }

    QStringList righe = decodifica(bytes).split(QLatin1Char('\n'));
    for (QString &r : righe) {
        if (r.endsWith(QLatin1Char('\r')))
            r.chop(1);
    }
    while (!righe.isEmpty() && righe.last().trimmed().isEmpty())
        righe.removeLast();

    Rilievo rilievo;
    int numStazioni = -1;
    for (int k = 1; k <= kRighe; ++k) {
        if (k > righe.size())
            return errore(QObject::tr("riga %1: manca la riga «%2»").arg(k).arg(k == kRigaVuota ? QObject::tr("(vuota)") : etichetta(k)));
        const QString &riga = righe[k - 1];
        if (k == kRigaVuota) {
            if (!riga.trimmed().isEmpty())
                return errore(QObject::tr("riga %1: attesa la riga vuota tra «prof. (m)» e «sp. 1»").arg(k));
            continue;
        }
        const QStringList campi = riga.split(QLatin1Char('\t'));
        const QString trovata = campi.first().trimmed();
        if (trovata != etichetta(k)) {
            for (int dopo = k + 1; dopo <= kRighe; ++dopo) {
                if (dopo != kRigaVuota && trovata == etichetta(dopo))
                    return errore(QObject::tr("riga %1: manca la riga «%2»").arg(k).arg(etichetta(k)));
            }
            return errore(QObject::tr("riga %1: attesa l'etichetta «%2», trovato «%3»").arg(k).arg(etichetta(k), trovata.left(40)));
        }
        const int n = static_cast<int>(campi.size()) - 1;
        if (k == 1) {
            if (n == 0)
                return errore(QObject::tr("riga 1: la tabella non ha stazioni"));
            if (n > Velmara::kMaxStazioni)
                return errore(QObject::tr("riga 1: %1 stazioni, al più %2").arg(n).arg(Velmara::kMaxStazioni));
            numStazioni = n;
            rilievo.stazioni.resize(n);
        } else if (n != numStazioni) {
            return errore(QObject::tr("riga %1 («%2»): %3 valori invece di %4, come le stazioni della riga 1")
                              .arg(k).arg(etichetta(k)).arg(n).arg(numStazioni));
        }
        for (int j = 1; j <= n; ++j) {
            const Campo campo{k, j, campi[j]};
            const std::optional<int> valore = intero(campo.testo);
            if (!valore)
                return errore(QObject::tr("%1: «%2» non è un numero intero").arg(dove(campo), campo.testo.trimmed().left(20)));
            const int v = *valore;
            Stazione &s = rilievo.stazioni[j - 1];
            switch (k) {
            case 1:
                if (v != j)
                    return errore(QObject::tr("%1: atteso il numero %2, trovato %3").arg(dove(campo)).arg(j).arg(v));
                s.numero = v;
                break;
            case 2:
            case 3:
                if (v < 0 || v > 5110)
                    return errore(QObject::tr("%1: %2 m è fuori dalla mappa (0 … 5110 m)").arg(dove(campo)).arg(v));
                if (v % 10 != 0)
                    return errore(QObject::tr("%1: %2 m non cade su un pixel della mappa (multipli di 10 m)").arg(dove(campo)).arg(v));
                (k == 2 ? s.xm : s.ym) = v;
                break;
            case 4:
                if (v < -75 || v > 179)
                    return errore(QObject::tr("%1: %2 m è fuori dalle profondità possibili (-75 … 179 m)").arg(dove(campo)).arg(v));
                s.prof = v;
                break;
            default:
                if (v < 0 || v > 63)
                    return errore(QObject::tr("%1: il conteggio %2 è fuori dall'intervallo 0 … 63").arg(dove(campo)).arg(v));
                s.conteggi[k - kRigaVuota - 1] = v;
                break;
            }
        }
    }
    if (righe.size() > kRighe)
        return errore(QObject::tr("riga %1: righe in più dopo «sp. 12»").arg(kRighe + 1));
    return {std::move(rilievo), {}};
}

Lettura leggiFile(const QString &path)
{
    QFile file(path);
    if (QFileInfo(path).isDir())
        return errore(QObject::tr("«%1» è una cartella, non un file").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        return errore(QObject::tr("impossibile leggere «%1»: %2").arg(path, file.errorString()));
    // One byte past the limit is enough to know the file is too large.
    const QByteArray bytes = file.read(kMaxBytes + 1);
    if (bytes.size() > kMaxBytes)
        return errore(QObject::tr("il file è troppo grande (oltre %1 byte): una tabella di 100 stazioni ne occupa "
                                  "circa 10 000").arg(kMaxBytes));
    return leggi(bytes);
}

} // namespace rilievo
