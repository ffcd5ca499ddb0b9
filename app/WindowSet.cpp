#include "app/WindowSet.h"

#include "app/MainWindow.h"
#include "app/Prompt.h"
#include "app/Setari.h"
#include "app/Splash.h"
#include "countdown/Despre.h"
#include "countdown/Ramas.h"
#include "countdown/Temporizator.h"
#include "countdown/Versiuni.h"
#include "framework/Application.h"
#include "sysinfo/Info.h"

namespace zv {

void CreateWindowSet(TApplication& app)
{
    app.CreateForm(Form1);
    app.CreateForm(Form2);
    app.CreateForm(Info);
    app.CreateForm(Prompt);
    app.CreateForm(temporizator);
    app.CreateForm(despre);
    app.CreateForm(Ramas);
    app.CreateForm(Versiuni);
    app.CreateForm(setari);
}

namespace {
template <class T>
void Free(T*& form)
{
    delete form;
    form = nullptr;
}
} // namespace

void DestroyWindowSet()
{
    Free(setari);
    Free(Versiuni);
    Free(Ramas);
    Free(despre);
    Free(temporizator);
    Free(Prompt);
    Free(Info);
    Free(Form2);
    Free(Form1);
}

} // namespace zv
