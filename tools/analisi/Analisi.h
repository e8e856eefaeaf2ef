#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

// The commands of fondalis-analisi, callable without a process: args are the
// command line without the program's name, cartellaProgramma the folder of
// the program, where its own area lies (the default of --area). Returns the
// exit status: 0 done, 1 unusable input, 2 bad usage. A command is one
// function int(const Riga &, Contesto &) (see Contesto.h) with its entry in
// the table of Analisi.cpp and its help in Aiuto.cpp.
int runAnalisi(const QStringList &args, QTextStream &out, QTextStream &err, const QString &cartellaProgramma);

// Whether the command draws text (a report), and so needs a QGuiApplication
// rather than a QCoreApplication.
bool commandNeedsGui(const QString &command);
