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

void CActorBase::MoveAlongPath(float dt, float aspect)
{
    m_aspect = aspect;
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

// The path runs in the unit box, whose units across are aspect times wider on
// screen than those up; the fish's heading on screen counts both in pixels,
// and depth in the same units as height.
SVector3 CActorBase::GetScreenHeading() const
{
    SVector3 heading = {m_direction.x * m_aspect, m_direction.y, m_direction.z};
    VecNormalize(heading);
    return heading;
}

SVector3 CActorBase::ScreenToBox(const SVector3& offset) const
{
    return {offset.x / m_aspect, offset.y, offset.z};
}

// The fish is drawn with the projection widened to the view's shape, so that
// x, like y, counts window heights: the fish keeps its own proportions and is
// as tall as the scale says whatever the window's shape. A heading of zero
// length or straight up gives a zero side vector and a flat fish for that one
// frame; the next heading puts it right.
void CActorBase::DrawModel(const CModel& model, const SFishKind& kind) const
{
    const SVector3 up = {0, 1, 0};
    const SVector3 forward = GetScreenHeading();
    SVector3 side, top;
    VecCross(forward, up, side);
    VecNormalize(side);
    VecCross(side, forward, top);
    VecNormalize(top);
    const float x = m_position.x * m_aspect;
    const float matrix[16] = {side.x, side.y, side.z, 0, forward.x, forward.y,    forward.z,    0,
                              top.x,  top.y,  top.z,  0, x,         m_position.y, m_position.z, 1};
    const float scale = kind.drawScale * (m_position.z + 0.5f);
    // Saved and loaded back rather than pushed: the projection stack may be only two deep.
    GLfloat box[16];
    glGetFloatv(GL_PROJECTION_MATRIX, box);
    glMatrixMode(GL_PROJECTION);
    glScalef(1.0f / m_aspect, 1.0f, 1.0f);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glMultMatrixf(matrix);
    glScalef(scale, scale, scale);
    model.Draw();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(box);
    glMatrixMode(GL_MODELVIEW);
}
