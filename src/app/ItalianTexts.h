#pragma once

#include <QTranslator>

// Everything the user sees is Italian, Qt's own dialogs included, whatever
// the language of the system: while this lives, Italian is the default
// locale and Qt's Italian translations, where installed, are in use.
class ItalianTexts
{
public:
    ItalianTexts();
    ~ItalianTexts();
    ItalianTexts(const ItalianTexts &) = delete;
    ItalianTexts &operator=(const ItalianTexts &) = delete;

private:
    QTranslator qtTexts_;
    bool installed_ = false;
};
