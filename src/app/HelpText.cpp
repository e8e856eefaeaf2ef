#include "HelpText.h"

namespace helptext {

QStringList lines()
{
    return {
        QStringLiteral("Questo programma simula il campionamento di macrozoobenthos"),
        QStringLiteral("di fondo mobile in un'area marina costiera."),
        QString(),
        QStringLiteral("La schermata principale mostra una mappa su cui è possibile"),
        QStringLiteral("disporre stazioni di campionamento cliccando con il mouse."),
        QString(),
        QStringLiteral("Cliccando con il tasto di sinistra su una stazione già"),
        QStringLiteral("collocata, rappresentata da un quadrato rosso, si"),
        QStringLiteral("visualizza il materiale prelevato e setacciato."),
        QString(),
        QStringLiteral("Cliccando con il tasto di destra su una stazione già"),
        QStringLiteral("collocata, invece, la si cancella."),
        QString(),
        QStringLiteral("Altre opzioni sono chiaramente indicate dai relativi pulsanti."),
    };
}

QString text() { return lines().join(QStringLiteral("\r\n")); }

} // namespace helptext
