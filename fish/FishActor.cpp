#include "fish/FishActor.h"

namespace {

const SFishKind YELLOW_FISH = {"fish.sca", 0.1f, 0.15f, 0.15f};

}  // namespace

CFishActor::CFishActor() : CFinnedFishActor(YELLOW_FISH, GetModel()) {}

CModel& CFishActor::GetModel()
{
    static CModel model;
    return model;
}
