#pragma once
// What the targets whose readers bind textures need: a GL context in a small
// hidden window of the platform's own (so run them under an X server, as
// run.sh does), a pack holding the input beside the entries it refers to,
// and a way to drop every texture an input made, so memory stays flat.
#include <GL/gl.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "assets/Pack.h"
#include "platform/Window.h"
#include "render/WinGLWrapper.h"

inline void MakeFuzzGLContext()
{
    static CWinGLWrapper gl;
    const SWindowClass windowClass = {"Fuzz GL Window", CLASS_OWNDC, SysDefWindowProc, BACKGROUND_NONE};
    SysRegisterClass(windowClass);
    const HWindow window = SysCreateWindow("Fuzz GL Window", "fuzz", STYLE_POPUP, 0, 0, 16, 16, 0);
    if (window == 0 || !gl.Init(window))
        std::abort();
}

// An 8 x 8 grey TGA: the one skin every fuzzed mesh may name.
inline std::vector<uint8_t> MakeFuzzSkin()
{
    std::vector<uint8_t> tga = {0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 8, 0, 8, 0};
    tga.resize(tga.size() + 64, 0x80);
    return tga;
}

// The process-wide pack with "skin.tga", a square mesh "a.mod" wearing it,
// and the input under the given name.
inline void FillFuzzPack(const char* inputName, const uint8_t* data, size_t size)
{
    static const std::vector<uint8_t> skin = MakeFuzzSkin();
    static const std::string square = "OBJECT a 4 2\nTEXTURE skin.tga\nVERTICES\n"
                                      "0 -1 -1 0 0\n0 1 -1 1 0\n0 1 1 1 1\n0 -1 1 0 1\nTRIANGLES\n0 1 2\n0 2 3\n";
    CPack& pack = GetPack();
    pack.Clear();
    pack.AddRecord("skin.tga", skin.data(), static_cast<uint32_t>(skin.size()));
    pack.AddRecord("a.mod", square.data(), static_cast<uint32_t>(square.size()));
    pack.AddRecord(inputName, data, static_cast<uint32_t>(size));
}

// Texture names are handed out lowest free first: every name up to a fresh
// one is one this input made.
inline void DeleteFuzzTextures()
{
    GLuint next = 0;
    glGenTextures(1, &next);
    for (GLuint name = 1; name <= next; ++name)
        glDeleteTextures(1, &name);
}
