#pragma once
// The application object: one per process. InitInstance runs the run mode the
// host's command line asks for, from start to end, and shows any failure in
// the one message box; the process ends when it returns.
#include "app/CommandLine.h"
#include "app/HostOptions.h"
#include "platform/NamedMutex.h"

class CGLDrawerI;
class CHostWnd;
class CSaverWnd;

class CSaverApp
{
public:
    // The arguments as the process got them; they must outlive the object.
    CSaverApp(int argc, const char* const* argv);
    // Lets the single-instance mutex go.
    ~CSaverApp();
    CSaverApp(const CSaverApp&) = delete;
    CSaverApp& operator=(const CSaverApp&) = delete;

    // Runs MainLoop and reports its failure. Always false: there is nothing
    // more to do after the run mode.
    bool InitInstance();
    // The process's exit status: 0 after a run or a quiet end, 1 after a
    // failure, 2 after a command line that could not be used.
    int GetExitCode() const { return m_exitCode; }

    // Seeds the random generator, sets up the settings and the pack, then runs
    // the mode the command line names.
    void MainLoop();
    // The full-screen show, from the black cover to the restored display.
    void DoSaver();
    // The show inside a host's window (xscreensaver's, or the root window)
    // until the host ends it or the window goes; nothing is stored after.
    void DoHostedShow(HWindow host);
    // The picture inside the host's preview window until that window goes.
    void DoPreview(HWindow parent);
    // The setup dialog.
    void DoConfig();

    // Settings (SaverAppSettings.cpp). Reads the per-user store over the
    // record's current content; a value the store lacks keeps it.
    void LoadSettings();
    // Writes the fourteen numbers of the record; false when the store could
    // not take them (it then keeps its previous content).
    bool SaveSettings();
    // Writes those of the fourteen numbers the store lacks (or cannot read),
    // and leaves the rest: what the setup dialog stored meanwhile stays.
    void SaveMissingSettings();

    // Host services (SaverAppHost.cpp); none reports anything to the user.
    // False only when another copy holds the mutex of this user's session,
    // and still holds it after waitMs milliseconds.
    bool CreateInstanceMutex(uint32_t waitMs = 0);
    // Tells the host whether a screen saver runs; the host's answer.
    bool SetScreenSaverRunning(bool running);
    // Before the show ends: the host's password check, where the host leaves it to us.
    void VerifyPassword(HWindow owner);
    // The a switch: the host's password change dialog, where the host has one.
    void ChangePassword(HWindow owner);
    // --add-to-xscreensaver: puts Coralux's line in the user's list of
    // xscreensaver's display modes and says what it did; false, with the
    // reason on standard error, when the list could not be changed.
    bool AddToXScreenSaver();

private:
    // --help, --version, --add-to-xscreensaver or a bad option: answered
    // here; false when the run goes on.
    bool AnswerHostOptions();
    // The run's settings: the defaults, then the store unless the command
    // line carries the defaults marker, then the options given for this run.
    void SetUpSettings();
    void RunMode(ERunMode mode);
    // The window the hosted show draws into: the one named on the command
    // line, else the one xscreensaver names in its environment, else the root.
    HWindow GetHostWindow() const;
    // True when the hosted show's window is a settings window's preview.
    bool IsPreview(HWindow window) const;
    void RunHostedShow(CHostWnd& window, CGLDrawerI& drawer);
    // Frames until the saver window ends the run or a quit arrives; waiting
    // messages always come before the next frame.
    void RunShow(CSaverWnd& window, CGLDrawerI& drawer);
    void ReportFailure();

    int m_argc;
    const char* const* m_argv;
    SHostOptions m_options;
    int m_exitCode = 0;
    HNamedMutex m_hMutex = 0;  // held for the life of the process
};
