#include "CountList.h"

#include "NumberText.h"
#include "Velmara.h"

#include <algorithm>
#include <string>

namespace countlist {

QString MostraListaText(const Velmara &v)
{
    if (v.StazSel < 1 || v.StazSel > Velmara::kMaxStazioni)
        return {};
    const std::string crlf = "\r\n";
    std::string text = "Stazione" + numtext::str(v.StazSel) + crlf;
    text += "Prof." + numtext::str(v.Stazioni[v.StazSel][Velmara::kProf]) + " m" + crlf;
    text += crlf;
    const int species = std::clamp<int>(v.NSpecie, 0, Velmara::kNumSpecie);
    for (int i = 1; i <= species; ++i)
        text += "Sp." + numtext::str(i) + "  \t" + numtext::str(v.Conteggi[v.StazSel][i]) + crlf;
    return QString::fromStdString(text);
}

} // namespace countlist
