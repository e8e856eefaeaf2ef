#include "StudioTabs.h"

#include "ClassTab.h"
#include "CommunityTab.h"
#include "EffortTab.h"
#include "IndicesTab.h"
#include "MapTab.h"
#include "RankTab.h"
#include "TrueCommunitiesTab.h"
#include "TruthTab.h"
#include "ZonationTab.h"

namespace studiotabs {

// A new tab: a subclass of ChartTab (or of StudioTab for a widget of its
// own) in a file pair of its own, and one line here.
std::vector<StudioTab *> make()
{
    return {
        new MapTab,
        new IndicesTab,
        new TruthTab,
        new ZonationTab,
        new RankTab,
        new CommunityTab,
        new TrueCommunitiesTab,
        new EffortTab,
        new ClassTab,
    };
}

} // namespace studiotabs
