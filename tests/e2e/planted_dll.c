/* What a stranger's web page could leave in the Downloads folder beside the program: a DLL that, the
 * moment any process loads it, leaves a file "<its own path>.loaded" behind. The planting scenario copies
 * it under the names of DLLs and control-panel applets the program or the system could look for there;
 * a file left behind means the program ran code it should never have loaded. It exports the applet entry
 * point, so a control panel that loads it as an applet finds one and asks nothing more of it. */
#include <windows.h>

LONG APIENTRY CPlApplet(HWND owner, UINT message, LPARAM lParam1, LPARAM lParam2)
{
    (void)owner, (void)message, (void)lParam1, (void)lParam2;
    return 0; /* CPL_INIT answered "no": the panel unloads it */
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        WCHAR path[MAX_PATH + 8];
        DWORD n = GetModuleFileNameW(self, path, MAX_PATH);
        if (n > 0 && n < MAX_PATH) {
            lstrcpyW(path + n, L".loaded");
            HANDLE f = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
            if (f != INVALID_HANDLE_VALUE) {
                WCHAR exe[MAX_PATH];
                DWORD len = GetModuleFileNameW(NULL, exe, MAX_PATH), written;
                /* Which program loaded it, for the failure message. */
                WriteFile(f, exe, len * sizeof(WCHAR), &written, NULL);
                CloseHandle(f);
            }
        }
    }
    return TRUE;
}
