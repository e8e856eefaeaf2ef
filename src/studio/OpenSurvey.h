#pragma once

#include "Rilievo.h"

#include <QString>

// One survey in the studio's list: a file read from disk, or a design made
// in the studio and not saved yet.
struct OpenSurvey {
    int id = 0;
    QString path;  // empty while a design is not saved
    QString title; // the file's name, or what the design is
    rilievo::Lettura lettura;
    QString designTable; // a design's table as fondalis-analisi disegno writes it

    bool unsaved() const { return path.isEmpty(); }
    bool readable() const { return lettura.ok(); }
    // As the list shows it.
    QString displayName() const;
    // Why it cannot be read, in the words of fondalis-analisi: the file, then
    // the line and the field.
    QString failure() const;
};
