// Measures what the main window costs: painting it whole into a memory bitmap, and one tick of its
// timer, each as a ratio against a plain form of the same size painted in the same run.
#include <windows.h>

#include <cstdio>
#include <functional>

#include "app/MainWindow.h"
#include "app/WindowSet.h"
#include "framework/Application.h"
#include "framework/Forms.h"

namespace {

double Seconds(const std::function<void()>& work, int rounds)
{
    LARGE_INTEGER f, a, b;
    ::QueryPerformanceFrequency(&f);
    work(); // warm-up: fonts, brushes, native controls' first paint
    ::QueryPerformanceCounter(&a);
    for (int i = 0; i < rounds; ++i)
        work();
    ::QueryPerformanceCounter(&b);
    return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart) / rounds;
}

class TPlain : public zv::TForm {
public:
    explicit TPlain(zv::TComponent* owner) : zv::TForm(owner)
    {
        SetClientWidth(434);
        SetClientHeight(296);
        FinishCreate();
    }
};

} // namespace

int main()
{
    zv::TApplication app;
    app.Initialize();
    zv::CreateWindowSet(app);
    auto* plain = new TPlain(&app);

    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, 434, 296);
    HGDIOBJ old = ::SelectObject(dc, bmp);
    ::ReleaseDC(nullptr, screen);

    const int rounds = 200;
    const double base = Seconds([&] { plain->PaintTo(dc); }, rounds);
    const double main = Seconds([&] { zv::Form2->PaintTo(dc); }, rounds);
    const double tick = Seconds([&] { zv::Form2->Timer1->Timer(); }, rounds);

    std::printf("baseline: plain form paint      1.00\n");
    std::printf("main window paint (all controls) %6.2f x baseline\n", main / base);
    std::printf("main window tick                 %6.2f x baseline\n", tick / base);

    ::SelectObject(dc, old);
    ::DeleteObject(bmp);
    ::DeleteDC(dc);
    return 0;
}
