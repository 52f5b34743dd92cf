#include "render/Display.h"

#include "app/Trace.h"

CDisplay::CDisplay()
{
    BuildModeList();
}

void CDisplay::BuildModeList()
{
    try {
        m_modes = {{640, 480, 16}, {800, 600, 16}, {1024, 768, 16}, {640, 480, 32}, {800, 600, 32}, {1024, 768, 32}};
    } catch (...) {
        AddTrace("CDisplay::BuildModeList");
        throw;
    }
}

const SDisplayMode* CDisplay::GetMode(unsigned index) const
{
    return index < m_modes.size() ? &m_modes[index] : nullptr;
}
