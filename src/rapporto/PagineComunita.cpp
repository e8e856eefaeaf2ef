#include "PagineComunita.h"

#include "Comunita.h"
#include "CostruzioneComunita.h"
#include "GraficiComunita.h"
#include "Numeri.h"

#include <QFontMetricsF>

#include <algorithm>
#include <memory>

namespace rapporto {

namespace {

using numeri::fisso;

QString elenco(const std::vector<int> &numeri)
{
    QStringList t;
    for (const int n : numeri)
        t << QString::number(n);
    return t.join(QStringLiteral(", "));
}

QString elenco(const std::vector<QString> &testi)
{
    QStringList t(testi.begin(), testi.end());
    return t.join(QStringLiteral(", "));
}

// Wrapped text from y; returns where it ends.
double paragrafo(QPainter &p, const QRectF &corpo, double y, const QString &testo, int punti = 9,
                 const QColor &colore = stampa::kInchiostro)
{
    const QFont f = stampa::carattere(punti);
    const double h = stampa::altezzaTesto(f, corpo.width(), testo);
    p.save();
    p.setFont(f);
    p.setPen(colore);
    p.drawText(QRectF(corpo.left(), y, corpo.width(), h + 2), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, testo);
    p.restore();
    return y + h;
}

void sottotitoloSezione(QPainter &p, const QRectF &corpo, double y, const QString &testo)
{
    p.save();
    p.setFont(stampa::carattere(11, true));
    p.setPen(stampa::kInchiostro);
    p.drawText(QRectF(corpo.left(), y, corpo.width(), 14), Qt::AlignLeft | Qt::AlignVCenter, testo);
    p.restore();
}

void paginaMotivo(QPainter &p, const stampa::Pagina &pagina, const QString &titolo, const QString &motivo)
{
    const QRectF corpo = stampa::titolo(p, pagina, titolo);
    paragrafo(p, corpo, corpo.top(), motivo, 11);
}

// The SIMPER rows that fit from y to limite: each comparison, its average
// and its leading species with their shares.
double tabellaSimper(QPainter &p, const QRectF &corpo, double y, double limite, const std::vector<Simper> &righe)
{
    constexpr double kRiga = 11;
    const double colonne[] = {100, 132};
    p.save();
    p.setFont(stampa::carattere(8, true));
    p.setPen(stampa::kInchiostro);
    p.drawText(QRectF(corpo.left(), y, colonne[0], kRiga), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("confronto"));
    p.drawText(QRectF(corpo.left() + colonne[0], y, colonne[1], kRiga), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("media"));
    p.drawText(QRectF(corpo.left() + colonne[0] + colonne[1], y, corpo.width() - colonne[0] - colonne[1], kRiga),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("specie che contribuiscono di più (% della media)"));
    y += kRiga + 1;
    p.setPen(QPen(stampa::kInchiostro, 0.6));
    p.drawLine(QPointF(corpo.left(), y), QPointF(corpo.right(), y));
    y += 2;
    p.setFont(stampa::carattere(8));
    const QFontMetricsF fm(p.font());
    const std::size_t entrano = std::size_t(std::max(0.0, std::floor((limite - y) / kRiga)));
    const std::size_t mostrate = righe.size() <= entrano ? righe.size() : (entrano > 0 ? entrano - 1 : 0);
    for (std::size_t i = 0; i < mostrate; ++i) {
        const Simper &s = righe[i];
        if (i % 2 == 1)
            p.fillRect(QRectF(corpo.left(), y, corpo.width(), kRiga), stampa::kFasciaRiga);
        p.setPen(stampa::kInchiostro);
        p.drawText(QRectF(corpo.left() + 2, y, colonne[0] - 2, kRiga), Qt::AlignLeft | Qt::AlignVCenter, s.confronto);
        p.drawText(QRectF(corpo.left() + colonne[0], y, colonne[1], kRiga), Qt::AlignLeft | Qt::AlignVCenter, s.misura);
        QStringList specie;
        for (const Simper::Specie &sp : s.specie)
            specie << QStringLiteral("%1 %2").arg(sp.nome, fisso(sp.percento, 1));
        const double largo = corpo.width() - colonne[0] - colonne[1];
        p.drawText(QRectF(corpo.left() + colonne[0] + colonne[1], y, largo, kRiga), Qt::AlignLeft | Qt::AlignVCenter,
                   fm.elidedText(specie.join(QStringLiteral("; ")), Qt::ElideRight, largo));
        y += kRiga;
    }
    if (mostrate < righe.size()) {
        p.setPen(stampa::kTenue);
        p.drawText(QRectF(corpo.left() + 2, y, corpo.width(), kRiga), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("… e altri %1 confronti: li stampa il comando fondalis-analisi comunita.").arg(righe.size() - mostrate));
        y += kRiga;
    }
    p.restore();
    return y;
}

void paginaComunita(QPainter &p, const stampa::Pagina &pagina, const Comunita &c)
{
    QString sotto = QStringLiteral("%1 stazioni con organismi, confrontate con la similarità di Bray-Curtis; %2.")
                        .arg(c.stazioni)
                        .arg(c.descrizione);
    if (!c.vuote.empty())
        sotto += QStringLiteral(" Senza organismi, lasciate fuori: %1.").arg(elenco(c.vuote));
    const QRectF corpo = stampa::titolo(p, pagina, QStringLiteral("Comunità"), sotto);
    double y = corpo.top();

    sottotitoloSezione(p, corpo, y, QStringLiteral("Raggruppamento per legame medio (UPGMA)"));
    y += 16;
    graficicomunita::dendrogramma(p, QRectF(corpo.left(), y, corpo.width(), 196), c.dendrogramma);
    y += 198;
    y = paragrafo(p, corpo, y,
                  QStringLiteral("%1 gruppi; correlazione cofenetica %2: quanto l'albero rende le similarità tra le stazioni "
                                 "(1 alla perfezione).")
                      .arg(c.numeroGruppi)
                      .arg(fisso(c.cofenetica, 3)),
                  8, stampa::kTenue);
    y += 8;

    sottotitoloSezione(p, corpo, y, QStringLiteral("Ordinamento nMDS"));
    y += 16;
    // The plot takes the width the legend leaves; its scales stay equal.
    const double alto = 238;
    const double legenda = 104;
    const std::vector<QString> omesse =
        graficicomunita::ordinamento(p, QRectF(corpo.left(), y, corpo.width() - legenda - 10, alto), c.ordinamento);
    graficicomunita::legendaOrdinamento(p, QRectF(corpo.right() - legenda, y, legenda, alto), c.ordinamento, c.numeroGruppi);
    y += alto + 4;
    QString lettura = QStringLiteral("Stress %1: %2 secondo Clarke (sotto 0.05 eccellente, sotto 0.1 buona, sotto 0.2 "
                                     "utilizzabile con cautela, oltre inaffidabile). Il migliore di %3 partenze (PCoA e "
                                     "%4 casuali); %5 lo raggiungono entro 0.001. Gli assi non hanno unità: contano le "
                                     "distanze tra i punti.")
                          .arg(fisso(c.ordinamento.stress, 2), c.ordinamento.lettura)
                          .arg(c.ordinamento.partenze)
                          .arg(c.ordinamento.partenze - 1)
                          .arg(c.ordinamento.alMinimo);
    if (!omesse.empty())
        lettura += QStringLiteral(" Senza numero, per i punti troppo vicini: %1.").arg(elenco(omesse));
    y = paragrafo(p, corpo, y, lettura, 8) + 10;

    const QString anosim = c.anosim;
    const double altoAnosim = stampa::altezzaTesto(stampa::carattere(8), corpo.width(), anosim);
    sottotitoloSezione(p, corpo, y, QStringLiteral("SIMPER e ANOSIM"));
    y += 16;
    y = tabellaSimper(p, corpo, y, corpo.bottom() - altoAnosim - 8, c.simper);
    paragrafo(p, corpo, y + 6, anosim, 8);
}

void paginaVere(QPainter &p, const stampa::Pagina &pagina, const ComunitaVere &v)
{
    const QString sotto =
        QStringLiteral("Il mare dell'area diviso in assemblaggi come le stazioni del rilievo (%1): una griglia di %2 pixel "
                       "di mare, uno ogni %3, raggruppati per legame medio, poi ogni pixel all'assemblaggio dalla comunità "
                       "media più simile. Ogni zona ha il colore del gruppo del rilievo che vi cade di più; in grigio le "
                       "zone senza stazioni. Nord in alto.")
            .arg(v.descrizione)
            .arg(v.punti)
            .arg(v.passo);
    const QRectF corpo = stampa::titolo(p, pagina, QStringLiteral("Le comunità vere"), sotto);
    long mare = 0;
    for (const long n : v.pixel)
        mare += n;
    QString frase = costruzionecomunita::fraseRand(v.rand);
    if (!v.fuori.empty())
        frase += QStringLiteral(" Stazioni su pixel senza organismi, fuori dal confronto: %1.").arg(elenco(v.fuori));

    // Below the map: the legend in three columns, the table, the sentence;
    // the map takes what they leave, up to the page's width.
    constexpr int kColonneLegenda = 3;
    constexpr double kRigaLegenda = 10;
    const int numero = int(v.pixel.size());
    const double altoLegenda = 14 + kRigaLegenda * ((numero + kColonneLegenda - 1) / kColonneLegenda);
    const double altoTabella = 17 + 14 + 11.0 * double(v.tabella.size());
    const double altoFrase = stampa::altezzaTesto(stampa::carattere(9), corpo.width(), frase) + 30;
    const double lato = std::min(corpo.width(), corpo.height() - altoLegenda - altoTabella - altoFrase - 24);
    double y = corpo.top();
    const std::vector<QString> omesse =
        graficicomunita::mappaAssemblaggi(p, QRectF(corpo.left() + (corpo.width() - lato) / 2, y, lato, lato), v);
    if (!omesse.empty())
        frase += QStringLiteral(" Senza numero sulla mappa, per le stazioni troppo vicine: %1.").arg(elenco(omesse));
    y += lato + 8;

    // Each assemblage, its share of the sea and the group it looks like.
    p.save();
    p.setFont(stampa::carattere(8, true));
    p.setPen(stampa::kInchiostro);
    p.drawText(QRectF(corpo.left(), y, corpo.width(), 11), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Assemblaggi veri: la parte del mare e il gruppo del rilievo che vi cade di più"));
    y += 14;
    p.setFont(stampa::carattere(7));
    const double largoVoce = corpo.width() / kColonneLegenda;
    for (int a = 0; a < numero; ++a) {
        const double x = corpo.left() + (a % kColonneLegenda) * largoVoce;
        const double yy = y + (a / kColonneLegenda) * kRigaLegenda;
        p.fillRect(QRectF(x, yy + 1.5, 9, 7), graficicomunita::coloreAssemblaggio(v, a));
        const int g = v.gruppoSimile[a];
        p.setPen(stampa::kInchiostro);
        p.drawText(QRectF(x + 13, yy, largoVoce - 15, kRigaLegenda), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("%1  %2 % del mare · %3")
                       .arg(comunita::lettera(a), fisso(mare > 0 ? 100.0 * v.pixel[a] / mare : 0.0, 1),
                            g > 0 ? QStringLiteral("gruppo %1").arg(g) : QStringLiteral("nessuna stazione")));
    }
    p.restore();
    y += kRigaLegenda * ((numero + kColonneLegenda - 1) / kColonneLegenda) + 10;

    // The survey's groups against the true assemblages.
    sottotitoloSezione(p, corpo, y, QStringLiteral("Gruppi del rilievo e assemblaggi veri"));
    y += 17;
    const int colonne = int(v.pixel.size());
    const double primo = 60;
    const double largo = std::min(28.0, (corpo.width() - primo) / std::max(1, colonne));
    p.save();
    p.setFont(stampa::carattere(8, true));
    p.setPen(stampa::kInchiostro);
    p.drawText(QRectF(corpo.left(), y, primo, 11), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("gruppo"));
    for (int a = 0; a < colonne; ++a)
        p.drawText(QRectF(corpo.left() + primo + a * largo, y, largo - 4, 11), Qt::AlignRight | Qt::AlignVCenter, comunita::lettera(a));
    y += 12;
    p.setPen(QPen(stampa::kInchiostro, 0.6));
    p.drawLine(QPointF(corpo.left(), y), QPointF(corpo.left() + primo + colonne * largo, y));
    y += 2;
    p.setFont(stampa::carattere(8));
    for (std::size_t g = 0; g < v.tabella.size(); ++g) {
        p.fillRect(QRectF(corpo.left(), y + 2, 8, 7), graficicomunita::coloreGruppo(int(g) + 1));
        p.setPen(stampa::kInchiostro);
        p.drawText(QRectF(corpo.left() + 12, y, primo - 12, 11), Qt::AlignLeft | Qt::AlignVCenter, QString::number(g + 1));
        for (int a = 0; a < colonne; ++a) {
            const int n = v.tabella[g][a];
            p.setPen(n > 0 ? stampa::kInchiostro : stampa::kGriglia.darker(130));
            p.drawText(QRectF(corpo.left() + primo + a * largo, y, largo - 4, 11), Qt::AlignRight | Qt::AlignVCenter, QString::number(n));
        }
        y += 11;
    }
    p.restore();
    y += 6;
    paragrafo(p, corpo, y, frase, 9);
}

void paginaSforzo(QPainter &p, const stampa::Pagina &pagina, const Sforzo &s)
{
    const int m = int(s.curva.size());
    const QRectF corpo = stampa::titolo(
        p, pagina, QStringLiteral("Sforzo di campionamento"),
        QStringLiteral("Quante stazioni bastano? In blu la curva di accumulo del rilievo: le specie attese con n delle sue "
                       "stazioni, in media su tutti gli ordini possibili, con la banda di una deviazione standard. In "
                       "arancione le specie attese con n stazioni messe a caso nel mare vero, e tratteggiato il numero di "
                       "specie presenti nel mare. Accanto all'ultima stazione le stime della ricchezza totale."));
    double y = corpo.top();
    graficicomunita::accumulo(p, QRectF(corpo.left(), y, corpo.width(), 360), s);
    y += 370;

    p.save();
    p.setFont(stampa::carattere(8));
    const double riga = 13;
    const auto voce = [&](double x, double yy, const QString &testo) {
        p.setPen(stampa::kInchiostro);
        p.drawText(QRectF(x, yy, 230, riga), Qt::AlignLeft | Qt::AlignVCenter, testo);
    };
    const double x0 = corpo.left();
    p.setPen(QPen(stampa::kStima, 1.4));
    p.drawLine(QPointF(x0, y + riga / 2), QPointF(x0 + 18, y + riga / 2));
    voce(x0 + 24, y, QStringLiteral("il rilievo, ± 1 deviazione standard"));
    p.setPen(QPen(stampa::kVero, 1.4));
    p.drawLine(QPointF(x0, y + riga * 1.5), QPointF(x0 + 18, y + riga * 1.5));
    voce(x0 + 24, y + riga, QStringLiteral("stazioni a caso nel mare vero"));
    p.setPen(QPen(stampa::kVero, 1.0, Qt::DashLine));
    p.drawLine(QPointF(x0, y + riga * 2.5), QPointF(x0 + 18, y + riga * 2.5));
    voce(x0 + 24, y + 2 * riga, QStringLiteral("specie presenti nel mare: %1").arg(s.specieVere));
    const double x1 = corpo.left() + corpo.width() / 2;
    for (std::size_t k = 0; k < s.stime.size(); ++k) {
        const auto &e = s.stime[k];
        graficicomunita::marcatoreStima(p, QPointF(x1 + 6, y + riga * (k + 0.5)), int(k), 3.0);
        voce(x1 + 16, y + riga * k,
             e.errore ? QStringLiteral("%1: %2 ± %3").arg(e.nome, fisso(e.valore, 2), fisso(*e.errore, 2))
                      : QStringLiteral("%1: %2 (senza errore standard)").arg(e.nome, fisso(e.valore, 2)));
    }
    p.restore();
    y += 3 * riga + 10;

    const double attese = m >= 1 && std::size_t(m) <= s.curvaVera.size() ? s.curvaVera[m - 1] : 0.0;
    QString testo = QStringLiteral("Con %1 stazioni il rilievo ha trovato %2 specie delle %3 presenti nel mare; %1 stazioni "
                                   "messe a caso ne troverebbero in media %4. Q1 = %5 specie trovate in una sola stazione, "
                                   "Q2 = %6 in due: più sono, più specie restano da scoprire, ed è da loro che Chao2 e il "
                                   "jackknife stimano quante.")
                        .arg(m)
                        .arg(s.osservate)
                        .arg(s.specieVere)
                        .arg(fisso(attese, 2))
                        .arg(s.q1)
                        .arg(s.q2);
    QStringList mancate;
    for (const auto &q : s.specie)
        if (q.stazioni == 0 && q.frazione > 0.0)
            mancate << QStringLiteral("%1 (nel %2 % del mare)").arg(q.nome, fisso(100.0 * q.frazione, 1));
    if (!mancate.isEmpty())
        testo += QStringLiteral(" Specie del mare che il rilievo non ha trovato: %1.").arg(mancate.join(QStringLiteral(", ")));
    else
        testo += QStringLiteral(" Il rilievo ha trovato tutte le specie del mare.");
    if (!s.escluse.empty())
        testo += QStringLiteral(" Stazioni a 0 m o meno, lasciate fuori: %1.").arg(elenco(s.escluse));
    y = paragrafo(p, corpo, y, testo, 9) + 12;

    // Each species: how many stations found it, and how much of the sea it holds.
    constexpr double kRiga = 10.5;
    const double colonne[] = {150, 70, 80};
    p.save();
    p.setFont(stampa::carattere(8, true));
    p.setPen(stampa::kInchiostro);
    p.drawText(QRectF(corpo.left(), y, colonne[0], kRiga), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("specie"));
    p.drawText(QRectF(corpo.left() + colonne[0], y, colonne[1], kRiga), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("stazioni"));
    p.drawText(QRectF(corpo.left() + colonne[0] + colonne[1], y, colonne[2], kRiga), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("% del mare"));
    y += kRiga + 1;
    const double largo = colonne[0] + colonne[1] + colonne[2];
    p.setPen(QPen(stampa::kInchiostro, 0.6));
    p.drawLine(QPointF(corpo.left(), y), QPointF(corpo.left() + largo, y));
    y += 2;
    p.setFont(stampa::carattere(8));
    for (std::size_t k = 0; k < s.specie.size() && y + kRiga <= corpo.bottom(); ++k) {
        const auto &q = s.specie[k];
        if (k % 2 == 1)
            p.fillRect(QRectF(corpo.left(), y, largo, kRiga), stampa::kFasciaRiga);
        p.setPen(q.stazioni == 0 && q.frazione > 0.0 ? stampa::kMancato : stampa::kInchiostro);
        p.drawText(QRectF(corpo.left() + 2, y, colonne[0] - 2, kRiga), Qt::AlignLeft | Qt::AlignVCenter, q.nome);
        p.drawText(QRectF(corpo.left() + colonne[0], y, colonne[1], kRiga), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(q.stazioni));
        p.drawText(QRectF(corpo.left() + colonne[0] + colonne[1], y, colonne[2], kRiga), Qt::AlignRight | Qt::AlignVCenter,
                   fisso(100.0 * q.frazione, 1));
        y += kRiga;
    }
    p.restore();
}

} // namespace

void aggiungiPagineComunita(stampa::Documento &documento, const PagineComunita &dati)
{
    auto d = std::make_shared<const PagineComunita>(dati);
    if (d->comunita) {
        documento.aggiungi([d](QPainter &p, const stampa::Pagina &pg) { paginaComunita(p, pg, *d->comunita); });
        if (d->vere)
            documento.aggiungi([d](QPainter &p, const stampa::Pagina &pg) { paginaVere(p, pg, *d->vere); });
    } else {
        documento.aggiungi([d](QPainter &p, const stampa::Pagina &pg) {
            paginaMotivo(p, pg, QStringLiteral("Comunità"),
                         QStringLiteral("Le comunità non si possono confrontare: %1.").arg(d->motivo));
        });
    }
    if (d->sforzo)
        documento.aggiungi([d](QPainter &p, const stampa::Pagina &pg) { paginaSforzo(p, pg, *d->sforzo); });
    else
        documento.aggiungi([d](QPainter &p, const stampa::Pagina &pg) {
            paginaMotivo(p, pg, QStringLiteral("Sforzo di campionamento"),
                         QStringLiteral("Non c'è una curva di accumulo: %1.").arg(d->motivoSforzo));
        });
}

} // namespace rapporto
