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

} // namespace costruzionecomunita
