#include "ItalianTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

ItalianTexts::ItalianTexts()
{
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    QLocale::setDefault(italian);
    if (qtTexts_.load(italian, QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installed_ = QCoreApplication::installTranslator(&qtTexts_);
}

ItalianTexts::~ItalianTexts()
{
    if (installed_)
        QCoreApplication::removeTranslator(&qtTexts_);
}
