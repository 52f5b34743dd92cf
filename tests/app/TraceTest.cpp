#include <gtest/gtest.h>

#include "app/Trace.h"

namespace {

void Inner()
{
    try {
        RaiseError("Could not set specified video mode");
    } catch (...) {
        AddTrace("CSaverApp::DoSaver");
        throw;
    }
}

void Outer()
{
    try {
        Inner();
    } catch (...) {
        AddTrace("CSaverApp::MainLoop");
        throw;
    }
}

}  // namespace

// The innermost method ends the trace, and the message keeps its quotes.
TEST(CTrace, BuildsTraceOutwardWithQuotedMessage)
{
    ResetTrace();
    try {
        Outer();
        FAIL() << "Outer() must raise";
    } catch (const SSaverFailure&) {
        AddTrace("CSaverApp::InitInstance");
    }
    EXPECT_EQ(FormatFailure(), "CSaverApp::InitInstance() -> CSaverApp::MainLoop() -> CSaverApp::DoSaver()\n\n"
                               "\"Could not set specified video mode\"");
}

// A failure that set no message reads "Unknown Error".
TEST(CTrace, ResourceErrorReadsUnknownError)
{
    ResetTrace();
    try {
        RaiseResourceError();
    } catch (const SSaverFailure&) {
        AddTrace("CGLDrawer::Init");
    }
    EXPECT_EQ(FormatFailure(), "CGLDrawer::Init()\n\n\"Unknown Error\"");
}
