#pragma once
// Windows and the message queue, in the program's own terms. Window procedures
// live in the program's code; the back end turns the window system's events
// into the messages below and calls them from SysDispatchMessage, so a window
// procedure can also be tested by calling it with hand-made messages.
#include <cstdint>

// Opaque window handle; 0 is "no window". On X11 a foreign window (the
// preview host's) is named by its X window id.
typedef uintptr_t HWindow;

// Messages, numbered as the host system numbers them.
const unsigned MSG_CREATE = 0x0001;    // sent while SysCreateWindow runs
const unsigned MSG_DESTROY = 0x0002;   // sent while SysDestroyWindow runs
const unsigned MSG_ACTIVATE = 0x0006;  // wParam low word 0: deactivated
const unsigned MSG_PAINT = 0x000F;
const unsigned MSG_CLOSE = 0x0010;
const unsigned MSG_QUIT = 0x0012;         // SIGTERM, SIGINT or SysPostQuit
const unsigned MSG_ACTIVATEAPP = 0x001C;  // wParam 0: another program activated
const unsigned MSG_SETCURSOR = 0x0020;
const unsigned MSG_NCACTIVATE = 0x0086;  // wParam 0: frame drawn inactive
const unsigned MSG_KEYDOWN = 0x0100;     // wParam: key code
const unsigned MSG_SYSKEYDOWN = 0x0104;  // a key with Alt held
const unsigned MSG_SYSCOMMAND = 0x0112;  // wParam: one of the SC_ values
const unsigned MSG_MOUSEMOVE = 0x0200;   // lParam: client x (low 16), y (high 16)
const unsigned MSG_LBUTTONDOWN = 0x0201;
const unsigned MSG_RBUTTONDOWN = 0x0204;
const unsigned MSG_MBUTTONDOWN = 0x0207;
const unsigned MSG_POWERBROADCAST = 0x0218;  // wParam: one of the PBT_ values

// System commands (MSG_SYSCOMMAND wParam).
const uintptr_t SC_CLOSE_COMMAND = 0xF060;
const uintptr_t SC_SCREENSAVE_COMMAND = 0xF140;
const uintptr_t SC_DRAGMOVE_COMMAND = 0xF012;

// Power events (MSG_POWERBROADCAST wParam).
const uintptr_t PBT_QUERYSUSPEND = 0;
const uintptr_t PBT_SUSPEND = 4;

struct SMessage
{
    HWindow window;
    unsigned message;
    uintptr_t wParam;
    intptr_t lParam;
};

typedef intptr_t (*WindowProc)(HWindow window, unsigned message, uintptr_t wParam, intptr_t lParam);

// Class styles.
const unsigned CLASS_OWNDC = 0x0020;  // the window keeps one drawing context (needed for GL)
const unsigned CLASS_HREDRAW = 0x0002;
const unsigned CLASS_VREDRAW = 0x0001;

enum EClassBackground
{
    BACKGROUND_NONE,   // nothing is erased before painting
    BACKGROUND_BLACK,  // the window system fills the window black
};

struct SWindowClass
{
    const char* name;
    unsigned style;
    WindowProc proc;  // 0: SysDefWindowProc
    EClassBackground background;
};

// Window styles.
const unsigned STYLE_POPUP = 0x1;  // top-level, no frame
const unsigned STYLE_CHILD = 0x2;  // lives inside its parent
const unsigned STYLE_VISIBLE = 0x4;
const unsigned STYLE_TOPMOST = 0x8;  // stays above other top-level windows

// Declares a window class; false when the name is taken or the system refuses.
bool SysRegisterClass(const SWindowClass& windowClass);
// True when a class of that name is declared in this process.
bool SysIsClassRegistered(const char* name);
// Forgets a class; false when it is unknown or a window of it still lives.
bool SysUnregisterClass(const char* name);

// Creates a window of a declared class; MSG_CREATE reaches its procedure
// before this returns. With a parent (ours or another program's, such as the
// preview host's), the window lives inside it at (x, y) of its client area and
// is destroyed with it: MSG_DESTROY still reaches the procedure. Returns 0 on
// failure (unknown class, no display, a parent that does not exist).
HWindow SysCreateWindow(const char* className, const char* title, unsigned style, int x, int y, int width, int height,
                        HWindow parent);
// Takes another program's window (an xscreensaver host's, or the root window)
// as a window of ours of a declared class: its procedure hears MSG_CREATE and
// MSG_DESTROY, a GL context can draw in it (a CLASS_OWNDC class) and its size
// is read from the server. Destroying it only lets it go. 0 when the window
// does not exist or is ours already.
HWindow SysAdoptWindow(const char* className, HWindow foreign);
// The root window of the display's default screen; 0 without a display.
HWindow SysGetRootWindow();
// Destroys a window of ours; MSG_DESTROY reaches its procedure first. False when
// the handle names no live window of ours.
bool SysDestroyWindow(HWindow window);
// True for a live window of ours, and for a window of another program (the
// preview host's) while it exists.
bool SysIsWindow(HWindow window);
void SysShowWindow(HWindow window);
void SysSetForegroundWindow(HWindow window);
void SysSetFocus(HWindow window);
// False while nothing of the window can be seen: unmapped, wholly covered
// (the X server's own saver covers everything), or on a display powered down
// (standby, suspend or off). A loop that only draws need not draw then.
bool SysIsWindowSeen(HWindow window);
// The display's power state is read from the display itself; a display that
// cannot tell (a virtual X server) may be given a stand-in. Null: the display's own.
void SysSetDisplayPowerProbe(bool (*poweredDown)());
// Size of the client area of a window, ours or another program's; false when
// the window does not exist (an adopted window its owner destroyed included).
bool SysGetClientSize(HWindow window, int* width, int* height);
// True when the window (ours or another program's) covers the whole monitor
// its centre lies on, as a host's full-screen window does; false for a
// smaller one, such as a preview inside a settings window, and for a window
// that does not exist.
bool SysCoversMonitor(HWindow window);
// The default processing of any message the program does not handle.
intptr_t SysDefWindowProc(HWindow window, unsigned message, uintptr_t wParam, intptr_t lParam);

// Ends the video system and closes the connection to the display, once no
// window of ours lives; the next call that needs them opens them anew, on the
// display named then.
void SysCloseDisplay();

// Queues a message for a window (0: for the thread, like MSG_QUIT).
void SysPostMessage(HWindow window, unsigned message, uintptr_t wParam, intptr_t lParam);
void SysPostQuit();
// Takes the next waiting message without blocking; false when none waits.
bool SysPeekMessage(SMessage* message);
// Calls the procedure of the message's window (translating keys first).
intptr_t SysDispatchMessage(const SMessage& message);
// Blocks until a message waits or the time has passed.
void SysWaitMessage(uint32_t milliseconds);

// Cursor display count as the host keeps it: shown while the count is >= 0.
// Returns the new count.
int SysShowCursor(bool show);
// The standard arrow cursor (the answer to MSG_SETCURSOR).
void SysSetArrowCursor();
// Pointer position in screen pixels; false when it cannot be read.
bool SysGetCursorPos(int* x, int* y);

// Size of the primary screen in pixels, as it is now (after any mode switch).
bool SysGetScreenSize(int* width, int* height);
// Where the primary screen's top-left corner lies on the desktop that all
// monitors together show; (0, 0) with one monitor.
bool SysGetScreenOrigin(int* x, int* y);
// Size of that whole desktop, every monitor included.
bool SysGetDesktopSize(int* width, int* height);
