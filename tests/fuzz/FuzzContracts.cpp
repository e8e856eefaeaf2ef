#include "FuzzContracts.h"

#include "FuzzChecks.h"

namespace fuzzcontracts {

const std::vector<Target> &targets()
{
    static const std::vector<Target> all{
        {"picture", &fuzzchecks::picture},
        {"fauna", &fuzzchecks::fauna},
        {"area", &fuzzchecks::area},
        {"table", &fuzzchecks::table},
        {"gen-options", &fuzzchecks::genOptions},
        {"analisi-options", &fuzzchecks::analisiOptions},
    };
    return all;
}

const Target *find(const QString &name)
{
    for (const Target &t : targets()) {
        if (name == QLatin1String(t.name))
            return &t;
    }
    return nullptr;
}

} // namespace fuzzcontracts
