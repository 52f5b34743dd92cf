#include "fish/SmallFishActor.h"

namespace {

const SFishKind TINY_FISH = {"sfish.sca", 0.2f, 0.3f, 0.1f};

}  // namespace

int CSmallFishActor::Init()
{
    StartPath(TINY_FISH);
    return LoadModelOnce(GetModel(), TINY_FISH);
}

void CSmallFishActor::Update(float dt, float aspect)
{
    MoveAlongPath(dt, aspect);
    PoseNode(GetModel(), "sfish", {});
}

void CSmallFishActor::Draw()
{
    DrawModel(GetModel(), TINY_FISH);
}

CModel& CSmallFishActor::GetModel()
{
    static CModel model;
    return model;
}
