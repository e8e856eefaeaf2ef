#include "PagineClasse.h"

#include "Assi.h"
#include "Grafici.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>

namespace rapporto {

namespace {

constexpr double kRiga = 10;
constexpr double kNome = 86;
constexpr double kStaz = 27;

// Surveys by number of stations, fewest first; the order given among equals.
std::vector<size_t> ordine(const Classe &c)
{
    std::vector<size_t> o(c.uscite.size());
    std::iota(o.begin(), o.end(), size_t(0));
    std::stable_sort(o.begin(), o.end(), [&](size_t a, size_t b) { return c.uscite[a].stazioni < c.uscite[b].stazioni; });
    return o;
}

double larghezzaValore(const Classe &c, const QRectF &corpo)
{
    return (corpo.width() - kNome - kStaz) / std::max<size_t>(1, c.nomi.size());
}

void intestazione(QPainter &p, const Classe &c, const QRectF &corpo, double y)
{
    const double w = larghezzaValore(c, corpo);
    p.setFont(stampa::carattere(7, true));
    p.setPen(stampa::kInchiostro);
    p.drawText(QRectF(corpo.left(), y, kNome, kRiga), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("rilievo"));
    p.drawText(QRectF(corpo.left() + kNome, y, kStaz - 3, kRiga), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("staz."));
    for (size_t i = 0; i < c.nomi.size(); ++i) {
        const QString t = i < 12 ? QStringLiteral("sp. %1").arg(i + 1) : c.nomi[i];
        p.drawText(QRectF(corpo.left() + kNome + kStaz + i * w, y, w - 3, kRiga), Qt::AlignRight | Qt::AlignVCenter, t);
    }
    p.setPen(QPen(stampa::kInchiostro, 0.6));
    p.drawLine(QPointF(corpo.left(), y + kRiga + 1), QPointF(corpo.right(), y + kRiga + 1));
}

// One row of figures; a survey's estimate is red where its interval misses.
void riga(QPainter &p, const Classe &c, const QRectF &corpo, double y, const QString &nome, const QString &staz,
          const std::vector<QString> &valori, const std::vector<bool> &mancati, bool grassetto)
{
    const double w = larghezzaValore(c, corpo);
    p.setFont(stampa::carattere(7, grassetto));
    p.setPen(stampa::kInchiostro);
    const QFontMetricsF fm(p.font());
    p.drawText(QRectF(corpo.left(), y, kNome - 4, kRiga), Qt::AlignLeft | Qt::AlignVCenter,
               fm.elidedText(nome, Qt::ElideMiddle, kNome - 4));
    p.drawText(QRectF(corpo.left() + kNome, y, kStaz - 3, kRiga), Qt::AlignRight | Qt::AlignVCenter, staz);
    for (size_t i = 0; i < valori.size(); ++i) {
        p.setPen(i < mancati.size() && mancati[i] ? stampa::kMancato : stampa::kInchiostro);
        p.drawText(QRectF(corpo.left() + kNome + kStaz + i * w, y, w - 3, kRiga), Qt::AlignRight | Qt::AlignVCenter,
                   valori[i]);
    }
}

QString sottoRiepilogo(const Classe &c)
{
    return QStringLiteral("Rilievi usati: %1 di %2 file. Per ogni specie e per N e S la media per stazione stimata da "
                          "ciascun rilievo, la media vera dell'area e quanti intervalli di confidenza al 95 % la contengono.")
        .arg(c.uscite.size())
        .arg(c.fileDati);
}

// The skipped files and the notes from y down, stopping short of `limite`
// with a line that counts what was left out. Without a painter it only
// measures, so that the pages can be planned. Returns where it ended.
double elenchi(QPainter *p, const Classe &c, const QRectF &corpo, double y, double limite)
{
    const QFont voce = stampa::carattere(8);
    const double larghezza = corpo.width() - 10;
    int tralasciate = 0;
    auto elenco = [&](const QString &titolo, const std::vector<QString> &voci, const QColor &colore) {
        if (voci.empty())
            return;
        if (p) {
            p->setFont(stampa::carattere(9, true));
            p->setPen(colore);
            p->drawText(QRectF(corpo.left(), y, corpo.width(), 12), Qt::AlignLeft | Qt::AlignVCenter, titolo);
            p->setFont(voce);
            p->setPen(stampa::kInchiostro);
        }
        y += 13;
        for (const QString &v : voci) {
            const QString testo = QStringLiteral("• ") + v;
            const double h = stampa::altezzaTesto(voce, larghezza, testo);
            if (tralasciate > 0 || y + h > limite - 12) {
                ++tralasciate;
                continue;
            }
            if (p)
                p->drawText(QRectF(corpo.left() + 10, y, larghezza, h + 2), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                            testo);
            y += h + 1;
        }
        y += 6;
    };
    elenco(QStringLiteral("File scartati"), c.scartati, stampa::kMancato);
    elenco(QStringLiteral("Note"), c.note, stampa::kInchiostro);
    if (tralasciate > 0) {
        if (p)
            p->drawText(QRectF(corpo.left() + 10, y - 6, larghezza, 12), Qt::AlignLeft | Qt::AlignVCenter,
                        QStringLiteral("… e altre %1, tutte scritte dal comando.").arg(tralasciate));
        y += 10;
    }
    return y;
}

QString legendaSpecie(const Classe &c)
{
    QStringList voci;
    for (size_t i = 0; i < c.nomi.size() && i < 12; ++i)
        voci << QStringLiteral("sp. %1 %2").arg(i + 1).arg(c.nomi[i]);
    return voci.join(QStringLiteral(" · ")) + QStringLiteral(". N: individui per stazione; S: specie per stazione. "
                                                             "In rosso le stime il cui intervallo non contiene il vero; ° un intervallo di "
                                                             "ampiezza zero (lo stesso valore in ogni stazione): la "
                                                             "copertura non è definita e non è contata.");
}

// Rows da .. a of the table (in the order of stations); the last page adds
// the truth, the mean and spread of the estimates and the coverage.
void tabella(QPainter &p, const Classe &c, const QRectF &corpo, double y, size_t da, size_t a, bool ultima)
{
    p.save();
    intestazione(p, c, corpo, y);
    y += kRiga + 3;
    const auto o = ordine(c);
    for (size_t k = da; k < a; ++k) {
        const Uscita &u = c.uscite[o[k]];
        if ((k - da) % 2 == 1)
            p.fillRect(QRectF(corpo.left(), y, corpo.width(), kRiga), stampa::kFasciaRiga);
        std::vector<QString> valori;
        std::vector<bool> mancati;
        for (const Stima &s : u.stime) {
            // The mark of an interval whose coverage cannot be told.
            const bool nonDefinita = s.basso && !s.copre;
            valori.push_back(grafici::cifraMedia(s.media) + (nonDefinita ? QStringLiteral("°") : QString()));
            mancati.push_back(s.manca());
        }
        riga(p, c, corpo, y, u.file, QString::number(u.stazioni), valori, mancati, false);
        y += kRiga;
    }
    if (ultima) {
        p.setPen(QPen(stampa::kInchiostro, 0.6));
        p.drawLine(QPointF(corpo.left(), y + 1), QPointF(corpo.right(), y + 1));
        y += 3;
        const auto r = riassumi(c);
        std::vector<QString> vero, media, spread, cop;
        // Counts out of one number for every column say it once, in the label.
        const bool stessoNumero = !r.empty() && std::all_of(r.begin(), r.end(), [&](const Riassunto &x) {
            return x.conIntervallo == r.front().conIntervallo;
        });
        for (size_t i = 0; i < c.nomi.size(); ++i) {
            vero.push_back(grafici::cifraMedia(c.verita[i]));
            media.push_back(r.empty() ? QString() : grafici::cifraMedia(r[i].media));
            spread.push_back(r.empty() || !r[i].deviazione ? QStringLiteral("n.d.") : grafici::cifraMedia(*r[i].deviazione));
            cop.push_back(r.empty() ? QString()
                                    : stessoNumero ? QString::number(r[i].coprono)
                                                   : QStringLiteral("%1/%2").arg(r[i].coprono).arg(r[i].conIntervallo));
        }
        riga(p, c, corpo, y, QStringLiteral("media vera"), {}, vero, {}, true);
        y += kRiga;
        riga(p, c, corpo, y, QStringLiteral("media delle stime"), {}, media, {}, false);
        y += kRiga;
        riga(p, c, corpo, y, QStringLiteral("dev. st. delle stime"), {}, spread, {}, false);
        y += kRiga;
        riga(p, c, corpo, y,
             stessoNumero ? QStringLiteral("coperture (su %1)").arg(r.front().conIntervallo)
                          : QStringLiteral("coperture"),
             {}, cop, {}, true);
        y += kRiga + 8;
        p.setFont(stampa::carattere(7));
        p.setPen(stampa::kTenue);
        p.drawText(QRectF(corpo.left(), y, corpo.width(), 60), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   legendaSpecie(c));
    }
    p.restore();
}

// Every survey's estimate of one quantity around the line of the truth,
// fewest stations at the top.
void pannello(QPainter &p, const QRectF &area, const Classe &c, size_t q)
{
    const auto o = ordine(c);
    double lo = c.verita[q], hi = c.verita[q];
    for (const Uscita &u : c.uscite) {
        const Stima &s = u.stime[q];
        lo = std::min({lo, s.media, s.basso.value_or(s.media)});
        hi = std::max({hi, s.media, s.alto.value_or(s.media)});
    }
    assi::Riquadro r = assi::riquadro(area.adjusted(30, 16, -4, -24));
    r.x = assi::lineare(lo, hi, r.area.left(), r.area.right(), 5, true);
    r.y = assi::lineare(0, 1, r.area.bottom(), r.area.top(), 1);
    r.y.passo = 1e9;
    const bool specie = c.nomi[q] == QLatin1String("S");
    assi::disegnaAssi(p, r, specie ? QStringLiteral("specie per stazione") : QStringLiteral("individui per stazione"), {},
                      true, false);
    int coprono = 0, conIc = 0;
    for (const Uscita &u : c.uscite)
        if (u.stime[q].copre) {
            ++conIc;
            coprono += *u.stime[q].copre ? 1 : 0;
        }

    p.save();
    // The figures keep their room; a long name gives way.
    const QString cifre = QStringLiteral("vera %1 · coperture %2/%3").arg(grafici::cifraMedia(c.verita[q])).arg(coprono).arg(conIc);
    p.setFont(stampa::carattere(7));
    p.setPen(stampa::kTenue);
    p.drawText(QRectF(area.left(), area.top(), area.width(), 12), Qt::AlignRight | Qt::AlignVCenter, cifre);
    const double resto = area.width() - QFontMetricsF(p.font()).horizontalAdvance(cifre) - 8;
    p.setFont(stampa::carattere(8, true));
    p.setPen(stampa::kInchiostro);
    const QString nome = q < 12 ? QStringLiteral("%1. %2").arg(q + 1).arg(c.nomi[q]) : c.nomi[q];
    p.drawText(QRectF(area.left(), area.top(), resto, 12), Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetricsF(p.font()).elidedText(nome, Qt::ElideRight, resto));

    const double passo = r.area.height() / std::max<size_t>(1, o.size());
    const double raggio = std::clamp(passo * 0.32, 1.0, 2.6);
    // Station counts down the side, each written once where it starts.
    p.setFont(stampa::carattere(6));
    int ultimo = -1;
    for (size_t k = 0; k < o.size(); ++k) {
        const Uscita &u = c.uscite[o[k]];
        const double y = r.area.top() + (k + 0.5) * passo;
        if (u.stazioni != ultimo && (k == 0 || passo >= 6 || k % 2 == 0)) {
            p.setPen(stampa::kTenue);
            p.drawText(QRectF(area.left(), y - 4, 26, 8), Qt::AlignRight | Qt::AlignVCenter, QString::number(u.stazioni));
            ultimo = u.stazioni;
        }
        const Stima &s = u.stime[q];
        const QColor colore = s.manca() ? stampa::kMancato : stampa::kStima;
        if (s.basso && s.alto) {
            p.setPen(QPen(colore, std::min(1.2, passo * 0.3), Qt::SolidLine, Qt::FlatCap));
            p.drawLine(QPointF(r.x.su(*s.basso), y), QPointF(r.x.su(*s.alto), y));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(colore);
        p.drawEllipse(QPointF(r.x.su(s.media), y), raggio, raggio);
    }
    p.setPen(QPen(stampa::kVero, 1.3));
    const double xv = r.x.su(c.verita[q]);
    p.drawLine(QPointF(xv, r.area.top()), QPointF(xv, r.area.bottom()));
    p.save();
    p.translate(area.left() + 6, r.area.center().y());
    p.rotate(-90);
    p.setFont(stampa::carattere(7));
    p.setPen(stampa::kTenue);
    p.drawText(QRectF(-r.area.height() / 2, -8, r.area.height(), 8), Qt::AlignCenter, QStringLiteral("stazioni del rilievo"));
    p.restore();
    p.restore();
}

} // namespace

std::vector<Riassunto> riassumi(const Classe &classe)
{
    std::vector<Riassunto> out(classe.nomi.size());
    const size_t n = classe.uscite.size();
    if (n == 0)
        return {};
    for (size_t q = 0; q < out.size(); ++q) {
        double somma = 0;
        for (const Uscita &u : classe.uscite) {
            somma += u.stime[q].media;
            if (u.stime[q].copre) {
                ++out[q].conIntervallo;
                out[q].coprono += *u.stime[q].copre ? 1 : 0;
            }
        }
        out[q].media = somma / double(n);
        if (n > 1) {
            double ss = 0;
            for (const Uscita &u : classe.uscite)
                ss += (u.stime[q].media - out[q].media) * (u.stime[q].media - out[q].media);
            out[q].deviazione = std::sqrt(ss / double(n - 1));
        }
    }
    return out;
}

stampa::Documento documentoClasse(const Classe &classe)
{
    auto c = std::make_shared<const Classe>(classe);
    stampa::Documento doc(QStringLiteral("Rapporto della classe"), classe.pie);

    // The table's rows: as many on the first page as the notes leave room
    // for; the truth and the summary rows go under the last rows if they fit.
    struct Pezzo {
        size_t da, a;
        bool riassunto;
    };
    const QRectF primo = stampa::sottoTitolo(stampa::corpoPagina(), sottoRiepilogo(*c));
    const double limiteNote = primo.bottom() - 12 * kRiga;
    const double inizio = elenchi(nullptr, *c, primo, primo.top(), limiteNote);
    const QRectF altre = stampa::sottoTitolo(stampa::corpoPagina(), {});
    const auto righe = [](double altezza) { return size_t(std::max(0.0, (altezza - kRiga - 3) / kRiga)); };
    const size_t righeRiassunto =
        size_t(std::ceil((3 + 4 * kRiga + 8 + stampa::altezzaTesto(stampa::carattere(7), altre.width(), legendaSpecie(*c))) / kRiga));
    const size_t n = c->uscite.size();
    std::vector<Pezzo> pezzi;
    size_t capienza = righe(primo.bottom() - inizio);
    for (size_t da = 0;; da += capienza, capienza = righe(altre.height())) {
        const size_t fine = std::min(n, da + capienza);
        const bool spazio = fine == n && capienza - (fine - da) >= righeRiassunto;
        pezzi.push_back({da, fine, spazio});
        if (fine == n) {
            if (!spazio)
                pezzi.push_back({n, n, true});
            break;
        }
    }
    for (size_t i = 0; i < pezzi.size(); ++i) {
        const Pezzo z = pezzi[i];
        doc.aggiungi([c, z, i, limiteNote](QPainter &p, const stampa::Pagina &pg) {
            QRectF corpo;
            double y = 0;
            if (i == 0) {
                corpo = stampa::titolo(p, pg, QStringLiteral("La classe e la verità"), sottoRiepilogo(*c));
                p.save();
                y = elenchi(&p, *c, corpo, corpo.top(), limiteNote);
                p.restore();
            } else {
                corpo = stampa::titolo(p, pg, QStringLiteral("La classe e la verità (segue)"));
                y = corpo.top();
            }
            tabella(p, *c, corpo, y, z.da, z.a, z.riassunto);
        });
    }

    // Six species to a page; N and S, the last two, share a page of their own
    // and get a full width each.
    const size_t specie = std::min<size_t>(12, c->nomi.size());
    std::vector<std::pair<size_t, size_t>> gruppi;
    for (size_t q0 = 0; q0 < specie; q0 += 6)
        gruppi.emplace_back(q0, std::min(specie, q0 + 6));
    if (c->nomi.size() > specie)
        gruppi.emplace_back(specie, c->nomi.size());
    for (const auto &[q0, q1] : gruppi) {
        doc.aggiungi([c, q0 = q0, q1 = q1](QPainter &p, const stampa::Pagina &pg) {
            const QRectF corpo = stampa::titolo(
                p, pg, QStringLiteral("Le stime della classe intorno alla verità"),
                QStringLiteral("Ogni riga è un rilievo, dall'alto quello con meno stazioni: il punto è la sua stima, "
                               "la barra l'intervallo al 95 %, in rosso se non contiene la media vera (la linea arancione)."));
            const bool larghi = q1 - q0 <= 2;
            const double w = larghi ? corpo.width() : corpo.width() / 2;
            const double h = larghi ? corpo.height() / 2 : corpo.height() / 3;
            for (size_t q = q0; q < q1; ++q) {
                const int i = int(q - q0);
                const QRectF cella = larghi ? QRectF(corpo.left(), corpo.top() + i * h, w, h - 16)
                                            : QRectF(corpo.left() + (i % 2) * w, corpo.top() + (i / 2) * h, w - 10, h - 10);
                pannello(p, cella, *c, q);
            }
        });
    }
    return doc;
}

} // namespace rapporto
