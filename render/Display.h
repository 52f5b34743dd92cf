#pragma once
// The fixed list of video modes the setup dialog offers. The display is not
// asked which it supports: a mode it lacks fails when the show starts.
#include <cstdint>
#include <vector>

struct SDisplayMode
{
    int32_t width;   // pixels
    int32_t height;  // pixels
    int32_t bits;    // colour bits per pixel
};

class CDisplay
{
public:
    // Builds the list (CDisplay::BuildModeList).
    CDisplay();
    unsigned GetModeCount() const { return static_cast<unsigned>(m_modes.size()); }
    // Null when the index is not below the count.
    const SDisplayMode* GetMode(unsigned index) const;

private:
    void BuildModeList();

    std::vector<SDisplayMode> m_modes;
};
