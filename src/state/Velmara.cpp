#include "Velmara.h"

void Velmara::clearTables()
{
    Stazioni = {};
    Conteggi = {};
}
