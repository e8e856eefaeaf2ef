#include "PagineClasse.h"

#include "GraficiClasse.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>

namespace rapporto {

namespace {

using grafici::kRigaClasse;

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

} // namespace

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
    const double limiteNote = primo.bottom() - 12 * kRigaClasse;
    const double inizio = elenchi(nullptr, *c, primo, primo.top(), limiteNote);
    const QRectF altre = stampa::sottoTitolo(stampa::corpoPagina(), {});
    const auto righe = [](double altezza) { return size_t(std::max(0.0, (altezza - kRigaClasse - 3) / kRigaClasse)); };
    const size_t righeRiassunto =
        size_t(std::ceil(grafici::altezzaRiassuntoClasse(*c, altre.width()) / kRigaClasse));
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
            grafici::tabellaClasse(p, QRectF(corpo.left(), y, corpo.width(), corpo.bottom() - y), *c, z.da, z.a, z.riassunto);
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
            grafici::pannelliClasse(p, corpo, *c, q0, q1);
        });
    }
    return doc;
}

} // namespace rapporto
