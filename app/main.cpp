// Program entry: the application object, its title, the window set, and the message loop.
#include <windows.h>

#include "app/WindowSet.h"
#include "framework/Application.h"
#include "framework/SystemLibrary.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Before anything can load a DLL: what the system loads for us comes from System32 only.
    zv::RestrictDllSearchToSystem();
    zv::TApplication app;
    app.Initialize();
    app.SetTitle("Zavrin 4");
    try {
        zv::CreateWindowSet(app);
    } catch (const std::exception& e) {
        app.ShowException(e);
        return 1;
    }
    app.Run();
    return 0;
}
