#include "PagineComunita.h"

#include "CostruzioneComunita.h"
#include "GraficiComunita.h"
#include "Numeri.h"


#include <algorithm>
#include <memory>

namespace rapporto {

namespace {

using numeri::fisso;

void paginaMotivo(QPainter &p, const stampa::Pagina &pagina, const QString &titolo, const QString &motivo)
{
    const QRectF corpo = stampa::titolo(p, pagina, titolo);
    stampa::paragrafo(p, corpo, corpo.top(), motivo, 11);
}

void paginaComunita(QPainter &p, const stampa::Pagina &pagina, const Comunita &c)
{
    const QRectF corpo = stampa::titolo(p, pagina, QStringLiteral("Comunità"), costruzionecomunita::sottotitoloComunita(c));
    double y = corpo.top();

    stampa::sezione(p, corpo, y, QStringLiteral("Raggruppamento per legame medio (UPGMA)"));
    y += 16;
    graficicomunita::dendrogramma(p, QRectF(corpo.left(), y, corpo.width(), 196), c.dendrogramma);
    y += 198;
    y = stampa::paragrafo(p, corpo, y, costruzionecomunita::fraseCofenetica(c), 8, stampa::kTenue);
    y += 8;

    stampa::sezione(p, corpo, y, QStringLiteral("Ordinamento nMDS"));
    y += 16;
    // The plot takes the width the legend leaves; its scales stay equal.
    const double alto = 238;
    const double legenda = 104;
    const std::vector<QString> omesse =
        graficicomunita::ordinamento(p, QRectF(corpo.left(), y, corpo.width() - legenda - 10, alto), c.ordinamento);
    graficicomunita::legendaOrdinamento(p, QRectF(corpo.right() - legenda, y, legenda, alto), c.ordinamento, c.numeroGruppi);
    y += alto + 4;
    y = stampa::paragrafo(p, corpo, y, costruzionecomunita::fraseStress(c.ordinamento, omesse), 8) + 10;

    const QString anosim = c.anosim;
    const double altoAnosim = stampa::altezzaTesto(stampa::carattere(8), corpo.width(), anosim);
    stampa::sezione(p, corpo, y, QStringLiteral("SIMPER e ANOSIM"));
    y += 16;
    const double limite = corpo.bottom() - altoAnosim - 8;
    y = graficicomunita::tabellaSimper(p, QRectF(corpo.left(), y, corpo.width(), limite - y), c.simper);
    stampa::paragrafo(p, corpo, y + 6, anosim, 8);
}

void paginaVere(QPainter &p, const stampa::Pagina &pagina, const ComunitaVere &v)
{
    const QRectF corpo = stampa::titolo(p, pagina, QStringLiteral("Le comunità vere"), costruzionecomunita::sottotitoloVere(v));

    // Below the map: the legend in three columns, the table, the sentence;
    // the map takes what they leave, up to the page's width.
    constexpr int kColonneLegenda = 3;
    const double altoLegenda = graficicomunita::altezzaLegendaAssemblaggi(v, kColonneLegenda, corpo.width());
    const double altoTabella = 17 + graficicomunita::altezzaTabellaAssemblaggi(v);
    const double altoFrase =
        stampa::altezzaTesto(stampa::carattere(9), corpo.width(), costruzionecomunita::fraseVere(v, {})) + 30;
    const double lato = std::min(corpo.width(), corpo.height() - altoLegenda - altoTabella - altoFrase - 24);
    double y = corpo.top();
    const std::vector<QString> omesse =
        graficicomunita::mappaAssemblaggi(p, QRectF(corpo.left() + (corpo.width() - lato) / 2, y, lato, lato), v);
    y += lato + 8;

    graficicomunita::legendaAssemblaggi(p, QRectF(corpo.left(), y, corpo.width(), altoLegenda), v, kColonneLegenda);
    y += altoLegenda + 10;

    stampa::sezione(p, corpo, y, QStringLiteral("Gruppi del rilievo e assemblaggi veri"));
    y += 17;
    graficicomunita::tabellaAssemblaggi(p, QRectF(corpo.left(), y, corpo.width(), altoTabella - 17), v);
    y += altoTabella - 17 + 6;
    stampa::paragrafo(p, corpo, y, costruzionecomunita::fraseVere(v, omesse), 9);
}

void paginaSforzo(QPainter &p, const stampa::Pagina &pagina, const Sforzo &s)
{
    const QRectF corpo = stampa::titolo(p, pagina, QStringLiteral("Sforzo di campionamento"), costruzionecomunita::sottotitoloSforzo());
    double y = corpo.top();
    graficicomunita::accumulo(p, QRectF(corpo.left(), y, corpo.width(), 360), s);
    y += 370;
    graficicomunita::legendaAccumulo(p, QRectF(corpo.left(), y, corpo.width(), graficicomunita::kAltezzaLegendaAccumulo), s);
    y += graficicomunita::kAltezzaLegendaAccumulo + 10;
    y = stampa::paragrafo(p, corpo, y, costruzionecomunita::fraseSforzo(s), 9) + 12;

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
            paginaMotivo(p, pg, QStringLiteral("Comunità"), costruzionecomunita::senzaComunita(d->motivo));
        });
    }
    if (d->sforzo)
        documento.aggiungi([d](QPainter &p, const stampa::Pagina &pg) { paginaSforzo(p, pg, *d->sforzo); });
    else
        documento.aggiungi([d](QPainter &p, const stampa::Pagina &pg) {
            paginaMotivo(p, pg, QStringLiteral("Sforzo di campionamento"), costruzionecomunita::senzaSforzo(d->motivoSforzo));
        });
}

} // namespace rapporto
