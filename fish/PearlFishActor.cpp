#include "fish/PearlFishActor.h"

namespace {

const SFishKind PEARL_FISH = {"pfish.sca", 0.1f, 0.15f, 0.2f};

}  // namespace

CPearlFishActor::CPearlFishActor() : CFinnedFishActor(PEARL_FISH, GetModel()) {}

CModel& CPearlFishActor::GetModel()
{
    static CModel model;
    return model;
}
