// Preloaded into a program by bench/run-startup.sh: at the program's first
// buffer swap it prints how long ago the script launched it, then ends the
// process at once. The launch time comes from CORALUX_LAUNCH_US, microseconds
// of the wall clock read by the script just before it started the program.
// Not part of the program: only the start-up benchmark loads it.
#include <SDL.h>
#include <dlfcn.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

extern "C" void SDL_GL_SwapWindow(SDL_Window* window)
{
    using SwapFunction = void (*)(SDL_Window*);
    static const SwapFunction realSwap = reinterpret_cast<SwapFunction>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    realSwap(window);

    timespec now = {};
    clock_gettime(CLOCK_REALTIME, &now);
    const char* launch = std::getenv("CORALUX_LAUNCH_US");
    const double launchUs = launch ? std::atof(launch) : 0.0;
    const double elapsedMs = (now.tv_sec * 1e6 + now.tv_nsec / 1e3 - launchUs) / 1000.0;
    std::fprintf(stderr, "first swap %.1f ms after launch\n", elapsedMs);
    _exit(0);
}
