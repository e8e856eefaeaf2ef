#include "TabellaIndici.h"

#include "Numeri.h"

namespace tabellaindici {

namespace {

using indici::Indici;

Voce intero(const QString &etichetta, int Indici::*campo)
{
    return {etichetta, [campo](const Indici &i) { return QString::number(i.*campo); },
            [campo](const Indici &i) { return std::optional<double>(i.*campo); }};
}

Voce indice(const QString &etichetta, std::optional<double> Indici::*campo)
{
    return {etichetta, [campo](const Indici &i) { return numeri::fisso(i.*campo, numeri::kIndici); },
            [campo](const Indici &i) { return i.*campo; }};
}

} // namespace

const std::vector<Voce> &voci()
{
    static const std::vector<Voce> tabella{
        intero(QStringLiteral("N"), &Indici::N),
        intero(QStringLiteral("S"), &Indici::S),
        indice(QStringLiteral("H' (ln)"), &Indici::shannonLn),
        indice(QStringLiteral("H' (log2)"), &Indici::shannonLog2),
        indice(QStringLiteral("J'"), &Indici::pielou),
        indice(QStringLiteral("Simpson 1-λ'"), &Indici::simpson),
        indice(QStringLiteral("Margalef d"), &Indici::margalef),
        indice(QStringLiteral("AMBI"), &Indici::ambi),
        // The classes follow the AMBI value they are cut from.
        {QStringLiteral("classe AMBI"), [](const Indici &i) { return indici::nomeClasse(i.classe); },
         [](const Indici &i) { return i.ambi; }},
    };
    return tabella;
}

} // namespace tabellaindici
