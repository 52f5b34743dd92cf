#include "platform/MessageBox.h"

#include <SDL.h>
#include <cstdio>
#include <gtk/gtk.h>

#include "platform/linux/QuitSignals.h"
#include "platform/linux/XSession.h"

namespace {

// GTK's box looks native and needs no X core fonts; false when GTK cannot
// open the display.
bool ShowGtkBox(const char* title, const char* text)
{
    if (!gtk_init_check(nullptr, nullptr))
        return false;
    GtkWidget* box =
        gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_INFO, GTK_BUTTONS_OK, "%s", text);
    gtk_window_set_title(GTK_WINDOW(box), title);
    // System-modal: above everything else on the screen, the show's windows included.
    gtk_window_set_keep_above(GTK_WINDOW(box), TRUE);
    gtk_window_set_position(GTK_WINDOW(box), GTK_WIN_POS_CENTER);
    gtk_dialog_set_default_response(GTK_DIALOG(box), GTK_RESPONSE_OK);
    gtk_dialog_run(GTK_DIALOG(box));
    gtk_widget_destroy(box);
    while (gtk_events_pending())
        gtk_main_iteration();
    return true;
}

// SDL's own box: drawn with X core fonts, which not every machine has.
void ShowSdlBox(const char* title, const char* text)
{
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

}  // namespace

void SysMessageBox(const char* title, const char* text)
{
    std::fprintf(stderr, "%s\n%s\n", title, text);
    std::fflush(stderr);
    // The box has no quit message to hear: from here a host's signal ends the
    // process at once, and one that came already means nobody waits for the box.
    if (RestoreQuitSignals())
        return;
    // Without a display the standard error above is all the user gets.
    if (!GetXDisplay())
        return;
    if (!ShowGtkBox(title, text))
        ShowSdlBox(title, text);
}
