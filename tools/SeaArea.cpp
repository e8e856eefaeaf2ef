// The sea area is built as a few smooth fields laid over a fixed plan: land
// to the north with a rocky headland on the west, a sandy bay with a river
// mouth, a straight sandy coast to the east, an offshore bank to the south-east
// and the drowned river valley running south. The seed moves the landmarks a
// little and draws all the small-scale detail, so every seed gives the same
// kind of area for the same lesson.
#include "SeaArea.h"

#include "SeaModel.h"

namespace {

using namespace seagen;

Model buildModel(quint32 seed)
{
    Model m;
    // Each stage draws from its own stream, so that a change in one stage
    // leaves the others' detail where it was.
    Random master(0xF0DA115ull * 0x100000001ull ^ seed);
    Random planStream(master.next()), seabedStream(master.next()), faunaStream(master.next()), landStream(master.next());
    drawPlan(m, planStream);
    shapeSeabed(m, seabedStream);
    populate(m, faunaStream);
    dressLand(m, landStream);
    return m;
}

} // namespace

SeaAreaFields generateSeaAreaFields(quint32 seed)
{
    return buildModel(seed).fields;
}

SeaArea generateSeaArea(quint32 seed)
{
    const Model m = buildModel(seed);
    SeaArea area;
    area.base = drawChart(m);
    area.bati = drawBathymetry(m.fields);
    for (int s = 0; s < kSpecies; ++s)
        area.species[s] = drawSpecies(m.fields.counts[s]);
    return area;
}
