// The process entry: hands the command line to the application object.
#include "app/SaverApp.h"

int main(int argc, char** argv)
{
    CSaverApp app(argc, argv);
    app.InitInstance();
    return app.GetExitCode();
}
