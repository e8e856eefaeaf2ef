#include "Contesto.h"

#include <QObject>

QString elencoNumeri(const std::vector<int> &numeri)
{
    QStringList parti;
    for (const int n : numeri)
        parti << QString::number(n);
    return parti.join(QStringLiteral(", "));
}

Riga analizzaRiga(const QStringList &args, const QStringList &ammesse)
{
    Riga r;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            r.aiuto = true;
        } else if (a.startsWith(QLatin1String("--"))) {
            QString nome = a.mid(2);
            QString valore;
            const qsizetype uguale = nome.indexOf(QLatin1Char('='));
            if (uguale >= 0) {
                valore = nome.mid(uguale + 1);
                nome.truncate(uguale);
            } else if (i + 1 < args.size()) {
                valore = args[++i];
            } else {
                r.errore = QObject::tr("manca il valore di --%1").arg(nome);
                return r;
            }
            if (!ammesse.contains(nome)) {
                r.errore = QObject::tr("opzione sconosciuta «--%1»").arg(nome);
                return r;
            }
            r.opzioni.insert(nome, valore);
        } else {
            r.posizionali << a;
        }
    }
    return r;
}

int Contesto::usoErrato(const QString &comando, const QString &messaggio)
{
    err << "fondalis-analisi " << comando << ": " << messaggio << "\n"
        << QObject::tr("Aiuto: fondalis-analisi %1 --help").arg(comando) << "\n";
    return 2;
}

int Contesto::fallito(const QString &messaggio)
{
    err << "fondalis-analisi: " << messaggio << "\n";
    return 1;
}

std::optional<Rilievo> Contesto::leggi(const QString &file)
{
    rilievo::Lettura l = rilievo::leggiFile(file);
    if (!l.ok())
        fallito(QStringLiteral("%1: %2").arg(file, l.errore));
    return std::move(l.rilievo);
}

QString Contesto::cartellaArea(const Riga &riga) const
{
    return riga.opzioni.value(QStringLiteral("area"), cartellaProgramma);
}
