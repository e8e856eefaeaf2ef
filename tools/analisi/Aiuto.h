#pragma once

#include <QString>

// The help of fondalis-analisi, in Italian: what each command does, its
// conventions and an example.
namespace aiuto {

QString generale();
QString delComando(const QString &comando);

} // namespace aiuto
