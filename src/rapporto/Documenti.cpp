#include "Documenti.h"

#include "CostruzioneComunita.h"
#include "ImageFiles.h"
#include "PagineClasse.h"
#include "PagineComunita.h"
#include "PagineRilievo.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>

namespace documenti {

rapporto::Pie pie(const QString &file, const QString &cartellaArea)
{
    rapporto::Pie p;
    p.file = file;
    p.area = QDir::toNativeSeparators(QFileInfo(cartellaArea).absoluteFilePath());
    p.data = QLocale(QLocale::Italian, QLocale::Italy).toString(QDate::currentDate(), QStringLiteral("d MMMM yyyy"));
    p.versione = QStringLiteral(FONDALIS_VERSION);
    return p;
}

AreaConMappa caricaArea(const QString &cartella)
{
    AreaConMappa a;
    area::Caricamento caricata = area::carica(cartella);
    if (!caricata.area) {
        a.errore = caricata.errore;
        return a;
    }
    const imagefiles::Loaded base = imagefiles::load(QDir(cartella).filePath(QStringLiteral("base.bmp")), QSize(512, 512));
    if (!base.ok()) {
        a.errore = imagefiles::failureMessage(QStringLiteral("base.bmp"), cartella, base.reason);
        return a;
    }
    a.area = std::move(caricata.area);
    a.mappa = base.image;
    return a;
}

QString rifiuto(const ::Rilievo &r)
{
    if (std::none_of(r.stazioni.begin(), r.stazioni.end(), [](const Stazione &s) { return s.prof > 0; }))
        return QStringLiteral("il rilievo non ha stazioni in mare: non c'è niente da stimare");
    return {};
}

Esito rilievo(const ::Rilievo &r, const QString &nomeFile, const Area &area, const QImage &mappa,
              const comunita::Opzioni &opzioni)
{
    const QString no = rifiuto(r);
    if (!no.isEmpty())
        return {std::nullopt, no};
    const auto contenuto = costruzione::rilievo(r, area, mappa, pie(nomeFile, area.cartella));
    stampa::Documento documento = rapporto::documentoRilievo(contenuto);
    rapporto::aggiungiPagineComunita(documento, costruzionecomunita::pagine(r, area, mappa, opzioni));
    return {std::move(documento), {}};
}

EsitoClasse classe(const std::vector<costruzione::Lettura> &letture, const Area &area)
{
    EsitoClasse e;
    e.contenuto = costruzione::classe(letture, area,
                                      pie(QStringLiteral("%1 file di rilievo").arg(letture.size()), area.cartella));
    if (e.contenuto.uscite.empty())
        e.errore = QStringLiteral("nessun rilievo utilizzabile");
    else
        e.documento = rapporto::documentoClasse(e.contenuto);
    return e;
}

} // namespace documenti
