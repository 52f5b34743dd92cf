#pragma once
#include <cstdint>
#include <vector>

// The background's grid over the unit square: texture coordinates fixed, the
// corners moved by the ripple field each frame. Each corner is displaced once
// and shared by the cells around it, and the whole grid goes to the driver in
// one call.
class CBackgroundGrid
{
public:
    explicit CBackgroundGrid(int cells);

    // Displaces the corners through the current ripple field and draws the
    // grid with the bound texture and the current colour.
    void Draw();

private:
    struct SCorner
    {
        float s, t;
        float x, y, z;
    };

    std::vector<SCorner> m_corners;
    std::vector<uint32_t> m_indices;
};
