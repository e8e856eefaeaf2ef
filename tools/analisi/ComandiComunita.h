#pragma once

#include "Contesto.h"

// The community commands of fondalis-analisi, registered in Analisi.cpp's
// table like the others.

// comunita FILE [--area FOLDER] [--trasformazione T] [--taglio S | --gruppi K]
//          [--strati LIMITI] [--seme S]
int comandoComunita(const Riga &riga, Contesto &c);

// sforzo FILE [--area FOLDER]
int comandoSforzo(const Riga &riga, Contesto &c);
