/* The yardsticks for the program's cost: one plain window of the main window's client size with the
   same four window-system timers (900, 1000, 1000 and 60000 ms), whose ticks do nothing.
   Built with ZV_BASELINE_PICKER, the window also holds one native time picker where the main window has
   its own: what loading the common controls costs a program that does nothing else.
   Built with ZV_BASELINE_CLOCK as well, it does the visible work the program cannot avoid: every second
   it shows the new time in a label and gives it to the picker, as the main window does while it follows
   the clock. */
#include <windows.h>
#if defined(ZV_BASELINE_PICKER) || defined(ZV_BASELINE_CLOCK)
#include <commctrl.h>
#define ZV_HAS_PICKER 1
#endif

#ifdef ZV_BASELINE_CLOCK
static HWND label, picker;

static void ShowTime(void)
{
    SYSTEMTIME now;
    char text[64];
    GetLocalTime(&now);
    if (!GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &now, NULL, text, sizeof text))
        text[0] = 0;
    SetWindowTextA(label, text);
    SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&now);
}
#endif

static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_TIMER:
#ifdef ZV_BASELINE_CLOCK
        if (wp == 2)
            ShowTime();
#endif
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

int WINAPI WinMain(HINSTANCE inst, HINSTANCE prev, LPSTR cmd, int show)
{
    WNDCLASSA wc = {0};
    RECT r = {0, 0, 434, 296};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    HWND wnd;
    MSG m;
    (void)prev;
    (void)cmd;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = "ZvBaseline";
    RegisterClassA(&wc);
    AdjustWindowRect(&r, style, FALSE);
    wnd = CreateWindowA("ZvBaseline", "Baseline", style, 193, 114, r.right - r.left, r.bottom - r.top, NULL,
                        NULL, inst, NULL);
#ifdef ZV_HAS_PICKER
    {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_DATE_CLASSES};
        HWND dtp;
        InitCommonControlsEx(&icc);
        dtp = CreateWindowExA(WS_EX_CLIENTEDGE, DATETIMEPICK_CLASSA, "",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | DTS_TIMEFORMAT, 128, 16, 89, 21, wnd, NULL, inst,
                              NULL);
#ifdef ZV_BASELINE_CLOCK
        picker = dtp;
        label = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 128, 60, 89, 13, wnd, NULL, inst, NULL);
        SendMessageA(label, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), 0);
        ShowTime();
#else
        (void)dtp;
#endif
    }
#endif
    SetTimer(wnd, 1, 900, NULL);
    SetTimer(wnd, 2, 1000, NULL);
    SetTimer(wnd, 3, 1000, NULL);
    SetTimer(wnd, 4, 60000, NULL);
    ShowWindow(wnd, show);
    UpdateWindow(wnd);
    while (GetMessageA(&m, NULL, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return 0;
}
