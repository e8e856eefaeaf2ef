#pragma once

#include "Rilievo.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>
#include <vector>

// The words of one command line: positional arguments and --name value
// pairs (also --name=value).
struct Riga {
    QStringList posizionali;
    QMap<QString, QString> opzioni;
    bool aiuto = false;
    QString errore; // bad usage; empty when the words make sense
};

// Station numbers as the outputs list them: "3, 7, 12".
QString elencoNumeri(const std::vector<int> &numeri);

// Only the options a command names are allowed.
Riga analizzaRiga(const QStringList &args, const QStringList &ammesse);

// What every command of fondalis-analisi runs with: where it writes, where
// the program's own area lies, and the common ways of failing.
class Contesto
{
public:
    Contesto(QTextStream &out, QTextStream &err, const QString &cartellaProgramma)
        : out(out), err(err), cartellaProgramma(cartellaProgramma) {}

    // Status 2, with the message and a pointer to the command's help.
    int usoErrato(const QString &comando, const QString &messaggio);
    // Status 1, with the message.
    int fallito(const QString &messaggio);
    // The survey in the file; empty after telling why it cannot be used.
    std::optional<Rilievo> leggi(const QString &file);
    // --area, or by default the program's own folder.
    QString cartellaArea(const Riga &riga) const;

    QTextStream &out;
    QTextStream &err;
    const QString cartellaProgramma;
};
