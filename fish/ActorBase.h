#pragma once
// What every fish kind shares: a swimming path, the point on it and the
// heading, the one-time load of the kind's shared model and drawing that model
// at the fish's place and depth. The kinds decide how to pose the model.
#include <initializer_list>

#include "assets/Model.h"
#include "fish/Actor.h"
#include "fish/CurvePathGenerator.h"
#include "fish/SmartPtr.h"
#include "render/Math.h"

// The constants that set one kind apart.
struct SFishKind
{
    const char* nodeFile;  // pack entry of the kind's node file
    float minSpeed;        // path speed range, segments per second
    float maxSpeed;
    float drawScale;  // k: drawn at k * (z + 0.5), from 0.5 k at the back to 1.5 k in front
};

// One turn of a node about its own axis (0 = X, 1 = Y, 2 = Z), in radians.
struct SNodeTurn
{
    int axis;
    float angle;
};

class CActorBase : public CActorI
{
protected:
    // A new path (any earlier one is released), started at a speed drawn from the kind's range.
    void StartPath(const SFishKind& kind);
    // The kind's model is loaded by the first fish of the kind only; false
    // when this call tried and failed.
    static int LoadModelOnce(CModel& model, const SFishKind& kind);
    // Moves along the path and faces the point just ahead, on a view of that
    // width over height.
    void MoveAlongPath(float dt, float aspect);
    // The unit direction of travel as it shows on screen: across and up in
    // pixels, depth as height.
    SVector3 GetScreenHeading() const;
    // An offset measured as the heading is, in window heights, in unit-box terms.
    SVector3 ScreenToBox(const SVector3& offset) const;
    // Resets the named node (if the model has it) and turns it in the given order.
    static void PoseNode(const CModel& model, const char* name, std::initializer_list<SNodeTurn> turns);
    // Draws the model at the fish's place, its Y axis along the screen heading
    // and Z up, in its own proportions whatever the view's shape.
    void DrawModel(const CModel& model, const SFishKind& kind) const;

    SVector3 m_position = {0, 0, 0};
    SVector3 m_direction = {0, 0, 0};  // unit vector of travel in the unit box
    float m_aspect = 1.0f;             // the view's width over its height, from the last update
    CSmartPtr<CCurvePathGenerator> m_path;
};
