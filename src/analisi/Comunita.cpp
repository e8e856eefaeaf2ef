#include "Comunita.h"

#include "Numeri.h"
#include "Verita.h"

#include <QObject>

namespace comunita {

LetturaOpzioni leggiOpzioni(const QMap<QString, QString> &valori)
{
    LetturaOpzioni l;
    Opzioni &o = l.opzioni;
    const QString trasformazione = QStringLiteral("trasformazione");
    if (valori.contains(trasformazione)) {
        const auto t = similarita::leggiTrasformazione(valori.value(trasformazione));
        if (!t) {
            l.errore = QObject::tr("trasformazione sconosciuta «%1»: nessuna, radice, radice4 o presenza")
                           .arg(valori.value(trasformazione));
            return l;
        }
        o.trasformazione = *t;
    }
    const QString taglio = QStringLiteral("taglio");
    const QString gruppi = QStringLiteral("gruppi");
    if (valori.contains(taglio) && valori.contains(gruppi)) {
        l.errore = QObject::tr("--taglio e --gruppi non vanno insieme: si taglia a una similarità o in un numero di gruppi");
        return l;
    }
    bool ok = false;
    if (valori.contains(taglio)) {
        const double s = valori.value(taglio).toDouble(&ok);
        if (!ok || !(s >= 0.0 && s <= 100.0)) {
            l.errore = QObject::tr("il taglio è una similarità da 0 a 100 (per cento), non «%1»").arg(valori.value(taglio));
            return l;
        }
        o.taglio.similarita = s;
    }
    if (valori.contains(gruppi)) {
        const int k = valori.value(gruppi).toInt(&ok);
        if (!ok || k < 1) {
            l.errore = QObject::tr("il numero di gruppi è un intero da 1 in su, non «%1»").arg(valori.value(gruppi));
            return l;
        }
        o.taglio.gruppi = k;
    }
    const verita::Limiti limiti = verita::leggiLimiti(valori.value(QStringLiteral("strati"), verita::kStratiPredefiniti));
    if (!limiti.errore.isEmpty()) {
        l.errore = limiti.errore;
        return l;
    }
    o.strati = limiti.valori;
    const QString seme = QStringLiteral("seme");
    if (valori.contains(seme)) {
        o.seme = valori.value(seme).toULongLong(&ok);
        if (!ok) {
            l.errore = QObject::tr("il seme deve essere un numero intero da 0 in su, non «%1»").arg(valori.value(seme));
            return l;
        }
    }
    return l;
}

QString gruppiTroppi(const Opzioni &opzioni, int stazioni)
{
    if (opzioni.taglio.gruppi <= stazioni)
        return {};
    return QObject::tr("%1 gruppi sono più delle %2 stazioni con organismi del rilievo")
        .arg(opzioni.taglio.gruppi)
        .arg(stazioni);
}

QString descrizione(const Opzioni &opzioni)
{
    const QString taglio = opzioni.taglio.gruppi > 0
                               ? QObject::tr("taglio in %1 gruppi").arg(opzioni.taglio.gruppi)
                               : QObject::tr("taglio al %1 % di similarità").arg(numeri::fisso(opzioni.taglio.similarita, 1));
    return QObject::tr("trasformazione: %1; %2").arg(similarita::nome(opzioni.trasformazione), taglio);
}

namespace {

void simper(Analisi &a)
{
    std::vector<std::vector<similarita::Profilo>> membri(a.numeroGruppi);
    for (std::size_t i = 0; i < a.profili.size(); ++i)
        membri[a.gruppi[i] - 1].push_back(a.profili[i]);
    for (int g = 0; g < a.numeroGruppi; ++g)
        if (membri[g].size() >= 2)
            a.simperEntro.push_back({g + 1, simper::entro(membri[g], kSogliaSimper)});
    for (int g = 0; g < a.numeroGruppi; ++g)
        for (int h = g + 1; h < a.numeroGruppi; ++h)
            a.simperTra.push_back({g + 1, h + 1, simper::tra(membri[g], membri[h], kSogliaSimper)});
}

void anosimStrati(Analisi &a, const Rilievo &rilievo)
{
    const std::vector<int> &limiti = a.opzioni.strati;
    for (std::size_t h = 0; h + 1 < limiti.size(); ++h)
        a.strati.push_back({limiti[h], limiti[h + 1], {}, false});
    for (std::size_t i = 0; i < a.indici.size(); ++i) {
        const int prof = rilievo.stazioni[a.indici[i]].prof;
        int trovato = -1;
        for (std::size_t h = 0; h < a.strati.size() && trovato < 0; ++h)
            if (prof > a.strati[h].da && prof <= a.strati[h].a)
                trovato = int(h);
        a.strato.push_back(trovato);
        if (trovato < 0)
            a.fuoriStrati.push_back(a.numeri[i]);
        else
            a.strati[trovato].membri.push_back(int(i));
    }
    std::vector<int> dentro;
    std::vector<int> etichette;
    int usati = 0;
    for (std::size_t h = 0; h < a.strati.size(); ++h) {
        Strato &s = a.strati[h];
        s.usato = s.membri.size() >= 2;
        if (!s.usato)
            continue;
        ++usati;
        for (const int i : s.membri) {
            dentro.push_back(i);
            etichette.push_back(int(h));
        }
    }
    if (usati < 2)
        return;
    similarita::Matrice parte;
    parte.n = int(dentro.size());
    parte.valori.resize(std::size_t(parte.n) * parte.n);
    for (int i = 0; i < parte.n; ++i)
        for (int j = 0; j < parte.n; ++j)
            parte(i, j) = a.dissimilarita(dentro[i], dentro[j]);
    a.anosim = anosim::verifica(parte, etichette, kPermutazioni, a.opzioni.seme);
    for (std::size_t h = 0; h < a.strati.size(); ++h)
        for (std::size_t k = h + 1; k < a.strati.size(); ++k)
            if (a.strati[h].usato && a.strati[k].usato)
                a.coppie.push_back({int(h), int(k), anosim::coppia(parte, etichette, int(h), int(k))});
}

} // namespace

Esito analizza(const Rilievo &rilievo, const Opzioni &opzioni)
{
    Analisi a;
    a.opzioni = opzioni;
    for (std::size_t k = 0; k < rilievo.stazioni.size(); ++k) {
        const Stazione &s = rilievo.stazioni[k];
        if (s.totale() > 0) {
            a.indici.push_back(int(k));
            a.numeri.push_back(s.numero);
            a.profili.push_back(similarita::profilo(s.conteggi, opzioni.trasformazione));
        } else {
            a.vuote.push_back(s.numero);
        }
    }
    const int n = int(a.indici.size());
    if (n < 3)
        return {std::nullopt, QObject::tr("servono almeno 3 stazioni con organismi per confrontare le comunità; "
                                          "il rilievo ne ha %1 su %2")
                                  .arg(n)
                                  .arg(rilievo.numStazioni())};
    a.dissimilarita = similarita::dissimilarita(a.profili);
    a.albero = raggruppamento::upgma(a.dissimilarita.valori, n);
    a.cofenetica = raggruppamento::correlazioneCofenetica(a.albero, a.dissimilarita);
    a.gruppi = raggruppamento::taglia(a.albero, opzioni.taglio);
    a.numeroGruppi = raggruppamento::numeroGruppi(a.gruppi);
    a.nmds = ordinamento::nmds(a.dissimilarita, kPartenzeCasuali, opzioni.seme);
    simper(a);
    anosimStrati(a, rilievo);
    return {std::move(a), {}};
}

Confronto confronta(const Analisi &analisi, const Rilievo &rilievo, const assemblaggi::Mappa &mappa)
{
    Confronto c;
    c.tabella.assign(analisi.numeroGruppi, std::vector<int>(mappa.numero, 0));
    std::vector<int> gruppi, veri;
    for (std::size_t i = 0; i < analisi.indici.size(); ++i) {
        const Stazione &s = rilievo.stazioni[analisi.indici[i]];
        const int a = assemblaggi::in(mappa, s.colonna(), s.riga());
        c.assemblaggio.push_back(a);
        if (a == assemblaggi::kNessuno) {
            c.fuori.push_back(s.numero);
            continue;
        }
        ++c.tabella[analisi.gruppi[i] - 1][a];
        gruppi.push_back(analisi.gruppi[i]);
        veri.push_back(a);
    }
    for (int a = 0; a < mappa.numero; ++a) {
        int migliore = 0;
        for (int g = 0; g < analisi.numeroGruppi; ++g)
            if (c.tabella[g][a] > 0 && (migliore == 0 || c.tabella[g][a] > c.tabella[migliore - 1][a]))
                migliore = g + 1;
        c.gruppoSimile.push_back(migliore);
    }
    c.rand = raggruppamento::randCorretto(gruppi, veri);
    return c;
}

QString lettera(int assemblaggio)
{
    QString r;
    for (int k = assemblaggio + 1; k > 0; k = (k - 1) / 26)
        r.prepend(QChar(u'A' + (k - 1) % 26));
    return r;
}

} // namespace comunita
