#pragma once

#include <QByteArray>
#include <QString>

// The checks behind each fuzz target (see FuzzContracts.h): empty when the
// reader kept its contract for the input, otherwise what broke.
namespace fuzzchecks {

QString picture(const QByteArray &input);        // imagefiles::read, any size and a required one
QString fauna(const QByteArray &input);          // the sprite sheet, the sieve and the gallery
QString area(const QByteArray &input);           // the area as fondalis-analisi loads it
QString table(const QByteArray &input);          // the survey table of fondalis-analisi
QString genOptions(const QByteArray &input);     // fondalis-gen's command line
QString analisiOptions(const QByteArray &input); // fondalis-analisi's commands, run in a scratch folder

} // namespace fuzzchecks
