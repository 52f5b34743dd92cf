#pragma once
// Something that lives in the scene: created by the renderer, initialised
// once, then advanced and drawn every frame. Held through CSmartPtr<CActorI>;
// the renderer's list owns it.

class CActorI
{
public:
    // Called by the renderer once, right after creating the actor. False only
    // when this call tried to load the kind's model and the load failed.
    virtual int Init() = 0;
    // Called by the renderer every frame with the frame time in seconds (at
    // most 0.1) and the view's width over its height, which sets how the
    // actor's heading and size, measured on screen, map into the unit box.
    virtual void Update(float dt, float aspect) = 0;
    // Called by the renderer right after this actor's Update, with the unit
    // box's projection, the scene's modelview matrix, lighting and texturing
    // set. The actor draws in the box widened to the view's shape, so that
    // its own proportions hold on screen; both matrix stacks are left as found.
    virtual void Draw() = 0;
    // Moves the actor's clocks on by that many seconds at once, as if it had
    // swum that long, without the events in between (no bubbles, no sound):
    // for a run that starts where a long show would be.
    virtual void SkipAhead(double seconds) = 0;
    virtual ~CActorI() = default;
};
