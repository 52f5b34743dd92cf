// The back end's X error handler: a window gone is the expected end of a
// hosted show, anything else is worth a line on standard error.
#include <gtest/gtest.h>

// Xlib's macros (None, Bool, Status) would clash with GoogleTest's names.
#include "platform/linux/XSession.h"

namespace {

const Window NO_WINDOW = 0x7FFFFFF0;  // an id no client has

}  // namespace

// Requests on a window the host destroyed fail with BadWindow or
// BadDrawable: nothing is said. Another error (an unknown atom) is logged.
TEST(XSession, GoneWindowErrorsPassQuietlyOthersAreLogged)
{
    Display* display = GetXDisplay();
    ASSERT_NE(display, nullptr);
    testing::internal::CaptureStderr();
    XClearWindow(display, NO_WINDOW);
    XFillRectangle(display, NO_WINDOW, DefaultGC(display, DefaultScreen(display)), 0, 0, 4, 4);
    XSync(display, False);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    testing::internal::CaptureStderr();
    XFree(XGetAtomName(display, static_cast<Atom>(NO_WINDOW)));
    XSync(display, False);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("X error: BadAtom"), std::string::npos);
}
