#pragma once
// What the frame-rate benchmarks share: a plain double-buffered GL window of a
// given size made through the platform seam, a timed frame loop and the
// median of several runs. Not for the program itself: the show has its own
// windows.
#include <GL/gl.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "platform/GLContext.h"
#include "platform/Window.h"

struct SBenchFigures
{
    double framesPerSecond;
    double cpuMsPerFrame;  // processor time of this thread in the frame function, the swap excluded
    // Processor time of every thread (the driver's rasteriser ones too) over the
    // run, per frame: the frame's whole work, much less swayed by other
    // programs on the machine than the frame rate is.
    double processMsPerFrame;
};

class CBenchWindow
{
public:
    CBenchWindow(int width, int height)
    {
        const SWindowClass windowClass = {"Coralux Benchmark", CLASS_OWNDC, nullptr, BACKGROUND_NONE};
        if (!SysIsClassRegistered(windowClass.name))
            SysRegisterClass(windowClass);
        m_window = SysCreateWindow(windowClass.name, "Benchmark", STYLE_POPUP | STYLE_VISIBLE, 0, 0, width, height, 0);
        m_context = m_window ? SysCreateGLContext(m_window, SPixelFormat{24, 32, true}) : 0;
        if (!m_context || !SysMakeCurrent(m_window, m_context)) {
            std::fprintf(stderr, "cannot open a %dx%d GL window (is DISPLAY set and large enough?)\n", width, height);
            std::exit(1);
        }
        // Frame rates are measured with no limit, where the driver lets us.
        SysSetSwapInterval(0);
    }

    ~CBenchWindow()
    {
        SysMakeCurrent(0, 0);
        SysDeleteGLContext(m_context);
        SysDestroyWindow(m_window);
    }

    CBenchWindow(const CBenchWindow&) = delete;
    CBenchWindow& operator=(const CBenchWindow&) = delete;

    // Handles the waiting X events, so the server's queue never backs up.
    void PumpMessages()
    {
        SMessage message;
        while (SysPeekMessage(&message))
            SysDispatchMessage(message);
    }

    void SwapBuffers() { SysSwapBuffers(m_window); }
    HWindow GetWindow() const { return m_window; }

    // Runs frame() then the swap for the given time, the X events drained
    // between frames.
    SBenchFigures Run(double seconds, const std::function<void()>& frame)
    {
        using Clock = std::chrono::steady_clock;
        const Clock::time_point start = Clock::now();
        const Clock::time_point end =
            start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
        double inFrameMs = 0.0;
        const double processStart = ProcessMilliseconds();
        int frames = 0;
        Clock::time_point now = start;
        while (now < end) {
            PumpMessages();
            // Thread time, not wall time: waiting for the rasteriser threads is not our work.
            const double before = ThreadMilliseconds();
            frame();
            inFrameMs += ThreadMilliseconds() - before;
            SysSwapBuffers(m_window);
            ++frames;
            now = Clock::now();
        }
        // Waits for the last frame, so it is counted in full.
        glFinish();
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        return SBenchFigures{frames / elapsed, inFrameMs / frames, (ProcessMilliseconds() - processStart) / frames};
    }

private:
    static double ProcessMilliseconds()
    {
        timespec now = {};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
        return now.tv_sec * 1000.0 + now.tv_nsec / 1.0e6;
    }

    static double ThreadMilliseconds()
    {
        timespec now = {};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return now.tv_sec * 1000.0 + now.tv_nsec / 1.0e6;
    }

    HWindow m_window = 0;
    HGLContext m_context = 0;
};

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

// Reads "WIDTHxHEIGHT [runs] [seconds]" from the command line.
struct SBenchOptions
{
    int width = 1280;
    int height = 720;
    int runs = 5;
    double seconds = 4.0;

    SBenchOptions(int argc, char** argv)
    {
        if (argc > 1)
            std::sscanf(argv[1], "%dx%d", &width, &height);
        if (argc > 2)
            runs = std::max(1, std::atoi(argv[2]));
        if (argc > 3)
            seconds = std::max(0.5, std::atof(argv[3]));
    }
};
