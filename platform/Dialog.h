#pragma once
// Modal dialogs built from a template of controls laid out in dialog units,
// as the host's dialog manager builds them. The dialog's own code reaches its
// controls through CDialogViewI, by control id, and hears the user through
// CDialogHandlerI; so its logic runs and is tested without any window system.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Window.h"

enum EDialogItemKind
{
    ITEM_LABEL,           // static text, top-left aligned
    ITEM_PICTURE_FRAME,   // an empty area that a child window of ours fills
    ITEM_BUTTON,          // push button: OnCommand(id) when pressed
    ITEM_DEFAULT_BUTTON,  // the same, also pressed by Enter
    ITEM_CHECK_BOX,       // OnCommand(id) when the user changes it
    ITEM_GROUP_BOX,       // a labelled frame around other controls
    ITEM_DROP_DOWN,       // a list to pick one entry from, no editing
    ITEM_SLIDER,          // horizontal, no ticks: OnHScroll(id) when the user moves it
    ITEM_ETCHED_LINE,     // a horizontal separator
};

// Positions and sizes in dialog units: a quarter of the dialog font's mean
// character width across, an eighth of its height down.
struct SDialogItem
{
    EDialogItemKind kind;
    int id;  // 0 for controls the code never addresses
    const char* text;
    int x, y, width, height;
};

struct SDialogTemplate
{
    int resourceId;  // the same layout as a dialog resource, which the host's dialog manager builds
    const char* fontName;
    int fontPoints;
    int width, height;  // client area, dialog units
    const SDialogItem* items;
    size_t itemCount;
};

// Control ids and results of the two standard buttons.
const int DIALOG_OK = 1;
const int DIALOG_CANCEL = 2;   // also Escape and the window system's close request
const int DIALOG_FAILED = -1;  // no dialog could be shown (no display)

// MSG_MOUSEMOVE wParam flag: the left button is held.
const uintptr_t MOUSE_LEFT_HELD = 0x0001;

// A control's rectangle in client pixels, edges included.
struct SItemRect
{
    int left, top, right, bottom;
};

// The dialog's controls, as its code changes and reads them. Changes made
// here never come back as notifications.
class CDialogViewI
{
public:
    virtual ~CDialogViewI() = default;

    virtual void SetTitle(const std::string& title) = 0;
    // Places the dialog in the middle of the screen.
    virtual void CenterWindow() = 0;
    // The window icon the desktop shows for the dialog (an icon resource).
    virtual void SetIcon(int iconId) = 0;
    // The window of a picture frame, for a child window to live in; 0 when none.
    virtual HWindow GetItemWindow(int id) = 0;
    virtual bool GetItemRect(int id, SItemRect* rect) = 0;

    virtual void ResetList(int id) = 0;
    virtual void AddListItem(int id, const std::string& text) = 0;
    // -1 when no entry is selected.
    virtual int GetListSelection(int id) = 0;
    virtual void SetListSelection(int id, int index) = 0;

    virtual bool GetCheck(int id) = 0;
    virtual void SetCheck(int id, bool checked) = 0;

    virtual void SetSliderRange(int id, int low, int high) = 0;
    virtual int GetSliderPos(int id) = 0;
    // A position outside the range is clamped to it.
    virtual void SetSliderPos(int id, int position) = 0;

    virtual void SetItemText(int id, const std::string& text) = 0;
    virtual void EnableItem(int id, bool enabled) = 0;

    // The busy pointer over the dialog while something starts.
    virtual void SetWaitCursor(bool wait) = 0;
    // SC_DRAGMOVE_COMMAND: the dialog follows the pointer while the button stays down.
    virtual void SysCommand(uintptr_t command) = 0;
    // Ends the modal run; SysRunDialog returns the result.
    virtual void EndDialog(int result) = 0;
};

// What the dialog's code hears. An exception thrown here ends the dialog and
// comes out of SysRunDialog.
class CDialogHandlerI
{
public:
    virtual ~CDialogHandlerI() = default;

    // Once the controls exist and have their size, before the user can act.
    virtual void OnInitDialog(CDialogViewI& view) = 0;
    // A button pressed or a check box changed by the user.
    virtual void OnCommand(int id) = 0;
    // A slider moved by the user.
    virtual void OnHScroll(int id) = 0;
    // Pointer messages over the dialog (MSG_MOUSEMOVE with client coordinates
    // packed as on the host); true when handled.
    virtual bool WindowProc(unsigned message, uintptr_t wParam, intptr_t lParam) = 0;
};

// Builds the dialog and runs it until the handler ends it; the result given to
// EndDialog, or DIALOG_FAILED when no dialog can be shown. Child windows made
// inside its picture frames are destroyed with it.
int SysRunDialog(const SDialogTemplate& dialogTemplate, CDialogHandlerI& handler);
