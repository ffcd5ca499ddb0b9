/* Stands in for the system's shutdown.exe in the end-to-end prefix: it ends nothing, it only appends
 * the parameters it was given, one line per start, to the file named by ZV_SHUTDOWN_LOG. When
 * ZV_SHUTDOWN_STAMPS names a file too, it appends there the moment this process was created
 * (milliseconds since 1970, UTC), so a scenario can tell in which second an armed action was fired.
 * The creation time is taken rather than the clock at WinMain, which comes tens of milliseconds
 * later under Wine, after the loading. */
#include <windows.h>

#include <string.h>

/* Everything after the program's own name and the blanks that separate it from the parameters. */
static const char* Parameters(const char* line)
{
    if (*line == '"') {
        ++line;
        while (*line && *line != '"')
            ++line;
        if (*line == '"')
            ++line;
    } else {
        while (*line && *line != ' ' && *line != '\t')
            ++line;
    }
    while (*line == ' ' || *line == '\t')
        ++line;
    return line;
}

static void AppendLine(const char* variable, const char* text)
{
    char path[MAX_PATH + 1];
    DWORD length = GetEnvironmentVariableA(variable, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return;
    /* Appending with a share mode that lets a second start write too, should two ever overlap. */
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, text, (DWORD)strlen(text), &written, NULL);
    WriteFile(file, "\n", 1, &written, NULL);
    CloseHandle(file);
}

static void CreatedSince1970(char* out, size_t size)
{
    FILETIME ft, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &ft, &exited, &kernel, &user))
        GetSystemTimeAsFileTime(&ft);
    ULARGE_INTEGER u;
    u.LowPart = ft.dwLowDateTime;
    u.HighPart = ft.dwHighDateTime;
    unsigned long long ms = (u.QuadPart - 116444736000000000ULL) / 10000ULL;
    char digits[32];
    size_t n = 0;
    do {
        digits[n++] = (char)('0' + ms % 10);
        ms /= 10;
    } while (ms && n < sizeof digits);
    size_t i = 0;
    while (n && i + 1 < size)
        out[i++] = digits[--n];
    out[i] = '\0';
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;
    char stamp[32];
    CreatedSince1970(stamp, sizeof stamp);
    AppendLine("ZV_SHUTDOWN_LOG", Parameters(GetCommandLineA()));
    AppendLine("ZV_SHUTDOWN_STAMPS", stamp);
    return 0;
}
