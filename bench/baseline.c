/* The yardstick for the program's idle cost: one plain window of the main window's client size with the
   same four window-system timers (900, 1000, 1000 and 60000 ms), whose ticks do nothing.
   Built with ZV_BASELINE_PICKER, the window also holds one native time picker where the main window has
   its own: what loading the common controls costs a program that does nothing else. */
#include <windows.h>
#ifdef ZV_BASELINE_PICKER
#include <commctrl.h>
#endif

static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_TIMER:
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
#ifdef ZV_BASELINE_PICKER
    {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_DATE_CLASSES};
        InitCommonControlsEx(&icc);
        CreateWindowExA(WS_EX_CLIENTEDGE, DATETIMEPICK_CLASSA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | DTS_TIMEFORMAT,
                        128, 16, 89, 21, wnd, NULL, inst, NULL);
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
