#pragma once
// The scene renderer as the full-screen run sees it.

class CGLDrawerI
{
public:
    // Called once by the full-screen run, with the saver window's GL context current.
    virtual void Init() = 0;
    // Called once per frame by the run loop, right before the buffer swap; always true.
    virtual bool Draw() = 0;
    virtual ~CGLDrawerI() = default;
};
