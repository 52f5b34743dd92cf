#include "platform/MessageBox.h"

#include <SDL.h>
#include <cstdio>

#include "platform/linux/XSession.h"

void SysMessageBox(const char* title, const char* text)
{
    std::fprintf(stderr, "%s\n%s\n", title, text);
    std::fflush(stderr);
    // Without a display the standard error above is all the user gets.
    if (!GetXDisplay())
        return;
    const SDL_MessageBoxButtonData ok = {
        SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 1, "OK"};
    SDL_MessageBoxData box = {};
    box.flags = SDL_MESSAGEBOX_INFORMATION;
    box.title = title;
    box.message = text;
    box.numbuttons = 1;
    box.buttons = &ok;
    int pressed = 0;
    SDL_ShowMessageBox(&box, &pressed);
}
