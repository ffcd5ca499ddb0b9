/* Reads the program's windows from outside, as another process in the same Wine session, for the
 * end-to-end checks:
 *
 *   window_probe window <title>       the visible top-level window titled exactly <title>: its caption,
 *                                     client and frame sizes, and each child window's class, text and
 *                                     place in the client area (and " checked" for a checked button)
 *   window_probe taskbar <title>      the titles of the windows of <title>'s process that get a
 *                                     task-bar button (shown, unowned and no tool window, or app window)
 *   window_probe text <face> <height> <bold> <text> <out.bmp>
 *                                     <text> drawn as a label draws it (left, no prefix) in that font,
 *                                     in the window text colour on the button face colour, sized to fit
 *
 * Exit code 1 when the window is not found. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

struct Search {
    const char* title;
    HWND found;
};

static BOOL CALLBACK FindTitled(HWND h, LPARAM p)
{
    struct Search* s = (struct Search*)p;
    char text[256];
    if (IsWindowVisible(h) && GetWindowTextA(h, text, sizeof text) >= 0 && strcmp(text, s->title) == 0) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

static HWND Find(const char* title)
{
    struct Search s = {title, NULL};
    EnumWindows(FindTitled, (LPARAM)&s);
    return s.found;
}

static BOOL CALLBACK PrintChild(HWND h, LPARAM p)
{
    HWND top = (HWND)p;
    char cls[128], text[256];
    RECT r;
    GetClassNameA(h, cls, sizeof cls);
    GetWindowTextA(h, text, sizeof text);
    GetWindowRect(h, &r);
    MapWindowPoints(HWND_DESKTOP, top, (POINT*)&r, 2);
    printf("child %s \"%s\" %ld,%ld %ldx%ld%s%s\n", cls, text, r.left, r.top, r.right - r.left, r.bottom - r.top,
           IsWindowVisible(h) ? "" : " hidden",
           lstrcmpiA(cls, "Button") == 0 && SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED ? " checked" : "");
    return TRUE;
}

static int ProbeWindow(const char* title)
{
    HWND h = Find(title);
    char text[256];
    RECT client, frame;
    if (!h)
        return 1;
    GetWindowTextA(h, text, sizeof text);
    GetClientRect(h, &client);
    GetWindowRect(h, &frame);
    printf("caption \"%s\"\nclient %ldx%ld\nframe %ldx%ld\n", text, client.right, client.bottom,
           frame.right - frame.left, frame.bottom - frame.top);
    EnumChildWindows(h, PrintChild, (LPARAM)h);
    return 0;
}

static DWORD processOf;

static BOOL CALLBACK PrintButton(HWND h, LPARAM p)
{
    DWORD pid = 0;
    char text[256];
    LONG ex = GetWindowLongA(h, GWL_EXSTYLE);
    GetWindowThreadProcessId(h, &pid);
    if (pid != processOf || !IsWindowVisible(h))
        return TRUE;
    if ((ex & WS_EX_APPWINDOW) || (!GetWindow(h, GW_OWNER) && !(ex & WS_EX_TOOLWINDOW))) {
        GetWindowTextA(h, text, sizeof text);
        printf("button \"%s\"\n", text);
    }
    return TRUE;
}

static int ProbeTaskbar(const char* title)
{
    HWND h = Find(title);
    if (!h)
        return 1;
    GetWindowThreadProcessId(h, &processOf);
    EnumWindows(PrintButton, 0);
    return 0;
}

static void WriteBitmap(const char* path, HDC dc, HBITMAP bmp, int w, int h)
{
    BITMAPINFOHEADER bi = {sizeof bi, w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const int stride = (w * 3 + 3) & ~3;
    BITMAPFILEHEADER bf = {0x4D42, 0, 0, 0, sizeof bf + sizeof bi};
    unsigned char* bits = malloc((size_t)stride * h);
    FILE* f = fopen(path, "wb");
    GetDIBits(dc, bmp, 0, h, bits, (BITMAPINFO*)&bi, DIB_RGB_COLORS);
    bf.bfSize = bf.bfOffBits + stride * h;
    bi.biSizeImage = stride * h;
    if (f) {
        fwrite(&bf, sizeof bf, 1, f);
        fwrite(&bi, sizeof bi, 1, f);
        fwrite(bits, stride, h, f);
        fclose(f);
    }
    free(bits);
}

static int ProbeText(const char* face, int height, int bold, const char* text, const char* out)
{
    LOGFONTA lf;
    HDC screen = GetDC(NULL), dc = CreateCompatibleDC(screen);
    HFONT font, oldFont;
    HBITMAP bmp, oldBmp;
    HBRUSH face_brush;
    RECT r = {0, 0, 0, 0};
    const UINT flags = DT_EXPANDTABS | DT_LEFT | DT_NOPREFIX;
    memset(&lf, 0, sizeof lf);
    lf.lfHeight = height;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
    font = CreateFontIndirectA(&lf);
    oldFont = SelectObject(dc, font);
    DrawTextA(dc, text, -1, &r, flags | DT_CALCRECT);
    bmp = CreateCompatibleBitmap(screen, r.right, r.bottom);
    oldBmp = SelectObject(dc, bmp);
    face_brush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    FillRect(dc, &r, face_brush);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextA(dc, text, -1, &r, flags);
    SelectObject(dc, oldBmp);
    SelectObject(dc, oldFont);
    WriteBitmap(out, dc, bmp, r.right, r.bottom);
    printf("text %ldx%ld\n", r.right, r.bottom);
    DeleteObject(face_brush);
    DeleteObject(bmp);
    DeleteObject(font);
    DeleteDC(dc);
    ReleaseDC(NULL, screen);
    return 0;
}

int main(int argc, char** argv)
{
    /* The program scales itself to the screen's dpi; the probe reads its windows in real pixels too,
     * not in the 96-dpi coordinates that a program unaware of the dpi is given. */
    SetProcessDPIAware();
    if (argc == 3 && strcmp(argv[1], "window") == 0)
        return ProbeWindow(argv[2]);
    if (argc == 3 && strcmp(argv[1], "taskbar") == 0)
        return ProbeTaskbar(argv[2]);
    if (argc == 7 && strcmp(argv[1], "text") == 0)
        return ProbeText(argv[2], atoi(argv[3]), atoi(argv[4]), argv[5], argv[6]);
    fprintf(stderr, "usage: window_probe window|taskbar <title> | text <face> <height> <bold> <text> <out.bmp>\n");
    return 2;
}
