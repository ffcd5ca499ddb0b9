/* Started by the tests through the session port: tells, in its exit code, what console it was given.
 * 16 alone is a console of its own with no window, as a command started out of sight must get; to it
 * are added 1 when the console has a window (one that would flash up on the screen), 2 when the console
 * is shared with another process (the starter's), 4 when there is no console at all. */
#include <windows.h>

int main(void)
{
    DWORD processes[8];
    const DWORD attached = GetConsoleProcessList(processes, 8);
    int report = 16;
    if (GetConsoleWindow())
        report |= 1;
    if (attached > 1)
        report |= 2;
    if (attached == 0)
        report |= 4;
    return report;
}
