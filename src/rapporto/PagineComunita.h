#pragma once

#include "RapportoComunita.h"
#include "Stampa.h"

namespace rapporto {

// Adds to a survey's report its community pages: "Comunità" (the tree,
// the nMDS, SIMPER and ANOSIM), "Le comunità vere" (the true assemblages
// under the survey's groups) and "Sforzo di campionamento" (the species
// accumulation against the truth). A part that cannot be computed gets a
// page that says why.
void aggiungiPagineComunita(stampa::Documento &documento, const PagineComunita &dati);

} // namespace rapporto
