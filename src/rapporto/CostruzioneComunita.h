#pragma once

#include "Accumulo.h"
#include "Area.h"
#include "Assemblaggi.h"
#include "Comunita.h"
#include "RapportoComunita.h"
#include "Rilievo.h"

#include <QImage>

// The community pages' contents from the same analyses as the comunita and
// sforzo commands, so that a page and the text agree figure for figure.
namespace costruzionecomunita {

rapporto::Comunita comunita(const comunita::Analisi &analisi);
rapporto::ComunitaVere vere(const comunita::Analisi &analisi, const Rilievo &rilievo, const assemblaggi::Mappa &mappa,
                            const QImage &carta);
rapporto::Sforzo sforzo(const accumulo::Sforzo &sforzo);

// All three for a survey: the analyses run here.
rapporto::PagineComunita pagine(const Rilievo &rilievo, const Area &area, const QImage &carta,
                                const comunita::Opzioni &opzioni);

// One sentence a student understands: what the adjusted Rand index says.
QString fraseRand(double rand);

// What the charts show, said above them: the stations compared and how,
// how the true assemblages are found, how to read the accumulation.
QString sottotitoloComunita(const rapporto::Comunita &c);
QString sottotitoloVere(const rapporto::ComunitaVere &v);
QString sottotitoloSforzo();
// Why there is no chart: the analysis's own reason.
QString senzaComunita(const QString &motivo);
QString senzaSforzo(const QString &motivo);

// The sentences under the charts, the same on a page and in a window. The
// numbers a chart left off for want of room are named.
QString fraseCofenetica(const rapporto::Comunita &c);
QString fraseStress(const rapporto::Ordinamento &o, const std::vector<QString> &omesse);
QString fraseVere(const rapporto::ComunitaVere &v, const std::vector<QString> &omesse);
QString fraseSforzo(const rapporto::Sforzo &s);

} // namespace costruzionecomunita
