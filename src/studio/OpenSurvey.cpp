#include "OpenSurvey.h"

#include <QCoreApplication>

QString OpenSurvey::displayName() const
{
    return unsaved() ? QCoreApplication::translate("OpenSurvey", "%1 (non salvato)").arg(title) : title;
}

QString OpenSurvey::failure() const
{
    return readable() ? QString() : QStringLiteral("%1: %2").arg(title, lettura.errore);
}
