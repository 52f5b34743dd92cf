#include "fish/ActorBase.h"

#include <GL/gl.h>

void CActorBase::StartPath(const SFishKind& kind)
{
    m_path = new CSmartPtrWrap<CCurvePathGenerator>();
    m_path->Start(RandomRange(kind.minSpeed, kind.maxSpeed));
}

int CActorBase::LoadModelOnce(CModel& model, const SFishKind& kind)
{
    if (model.IsLoadAttempted())
        return 1;
    return model.Load(kind.nodeFile) ? 1 : 0;
}

void CActorBase::MoveAlongPath(float dt)
{
    SVector3 ahead;
    m_path->Advance(dt);
    m_path->GetPosition(m_position);
    m_path->GetLookAhead(ahead);
    VecSub(ahead, m_position, m_direction);
    VecNormalize(m_direction);
}

void CActorBase::PoseNode(const CModel& model, const char* name, std::initializer_list<SNodeTurn> turns)
{
    CMesh* node = model.FindNode(name);
    if (!node)
        return;
    node->ResetTransform();
    for (const SNodeTurn& turn : turns)
        node->Rotate(turn.axis, turn.angle);
}

// A heading of zero length or straight up gives a zero side vector and a flat
// fish for that one frame; the next heading puts it right.
void CActorBase::DrawModel(const CModel& model, const SFishKind& kind) const
{
    const SVector3 up = {0, 1, 0};
    SVector3 forward = m_direction, side, top;
    VecNormalize(forward);
    VecCross(forward, up, side);
    VecNormalize(side);
    VecCross(side, forward, top);
    VecNormalize(top);
    const float matrix[16] = {side.x, side.y, side.z, 0, forward.x,    forward.y,    forward.z,    0,
                              top.x,  top.y,  top.z,  0, m_position.x, m_position.y, m_position.z, 1};
    const float scale = kind.drawScale * (m_position.z + 0.5f);
    glPushMatrix();
    glMultMatrixf(matrix);
    glScalef(scale, scale, scale);
    model.Draw();
    glPopMatrix();
}
