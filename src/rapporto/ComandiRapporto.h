#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

// The printed reports of fondalis-analisi, callable without a process. args
// follow the command's name; cartellaProgramma holds the program's own area,
// the default of --area. Exit status: 0 written, 1 unusable input or output,
// 2 bad usage. Drawing text needs a QGuiApplication.
namespace comandirapporto {

// rapporto FILE [--area FOLDER] [-o FILE.pdf] [--png FOLDER] and the options of comunita
int rapporto(const QStringList &args, QTextStream &out, QTextStream &err, const QString &cartellaProgramma);
// classe FILE... [--area FOLDER] [-o FILE.pdf] [--png FOLDER]
int classe(const QStringList &args, QTextStream &out, QTextStream &err, const QString &cartellaProgramma);

QString aiutoRapporto();
QString aiutoClasse();

} // namespace comandirapporto
