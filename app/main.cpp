// Program entry.
#include <windows.h>

#include "framework/Application.h"
#include "framework/Forms.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    zv::TApplication app;
    app.Initialize();
    app.SetTitle("Zavrin 4");
    zv::TForm* form = nullptr;
    app.CreateForm(form);
    form->SetText("Zavrin 4");
    form->SetClientWidth(400);
    form->SetClientHeight(300);
    app.Run();
    return 0;
}
