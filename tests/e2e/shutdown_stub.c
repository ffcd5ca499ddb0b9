/* Stands in for the system's shutdown.exe in the end-to-end prefix: it ends nothing. It reads its
 * switches by the rules Windows documents for its own (shutdown, Windows Commands reference on
 * learn.microsoft.com): "-x" and "/x" alike, in any case; exactly one of s, r, l; "/l" logs off at once
 * and this machine only, so it cannot be given with "/t", "/m" or "/d". A request it accepts is
 * appended, as the parameters it was given, one line per start, to the file named by ZV_SHUTDOWN_LOG;
 * when ZV_SHUTDOWN_STAMPS names a file too, the moment this process was created goes there (milliseconds
 * since 1970, UTC), so a scenario can tell in which second an armed action was fired. The creation time
 * is taken rather than the clock at WinMain, which comes tens of milliseconds later under Wine.
 * A line Windows would refuse is not a request: nothing is recorded in those files, "<code> <parameters>"
 * goes to ZV_SHUTDOWN_REFUSED, and the exit code is 87 (ERROR_INVALID_PARAMETER). A machine named in
 * ZV_SHUTDOWN_UNREACHABLE (names without the backslashes, separated by blanks) cannot be found: exit
 * code 53 (ERROR_BAD_NETPATH), likewise with nothing recorded. */
#include <windows.h>

#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define MAX_ARGS 32

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

/* Splits at blanks; double quotes group. Returns the number of arguments, or -1 when there are too many. */
static int Split(const char* s, char* buffer, char** args)
{
    int count = 0;
    while (*s) {
        while (*s == ' ' || *s == '\t')
            ++s;
        if (!*s)
            break;
        if (count == MAX_ARGS)
            return -1;
        args[count++] = buffer;
        int quoted = 0;
        while (*s && (quoted || (*s != ' ' && *s != '\t'))) {
            if (*s == '"')
                quoted = !quoted;
            else
                *buffer++ = *s;
            ++s;
        }
        *buffer++ = '\0';
    }
    return count;
}

/* The switch letter in lower case, or 0 when the argument is not a switch of one letter. */
static char SwitchLetter(const char* arg)
{
    if ((arg[0] != '-' && arg[0] != '/') || !arg[1] || arg[2])
        return 0;
    return (char)tolower((unsigned char)arg[1]);
}

static int IsTimeout(const char* value)
{
    size_t n = strlen(value);
    if (n == 0 || n > 9)
        return 0;
    for (size_t i = 0; i < n; ++i)
        if (!isdigit((unsigned char)value[i]))
            return 0;
    return strtoul(value, NULL, 10) <= 315360000UL;
}

static int Unreachable(const char* machine)
{
    char list[1024];
    DWORD length = GetEnvironmentVariableA("ZV_SHUTDOWN_UNREACHABLE", list, sizeof list);
    if (length == 0 || length >= sizeof list || strncmp(machine, "\\\\", 2) != 0)
        return 0;
    for (char* name = strtok(list, " "); name; name = strtok(NULL, " "))
        if (lstrcmpiA(name, machine + 2) == 0)
            return 1;
    return 0;
}

/* 0 for a request Windows accepts, else the exit code it refuses it with. */
static int Check(const char* parameters)
{
    static char buffer[4096];
    char* args[MAX_ARGS];
    if (strlen(parameters) >= sizeof buffer)
        return ERROR_INVALID_PARAMETER;
    int count = Split(parameters, buffer, args);
    if (count < 0)
        return ERROR_INVALID_PARAMETER;
    char action = 0;
    const char* machine = NULL;
    int timeout = 0, reason = 0;
    for (int i = 0; i < count; ++i) {
        char letter = SwitchLetter(args[i]);
        switch (letter) {
        case 's':
        case 'r':
        case 'l':
            if (action)
                return ERROR_INVALID_PARAMETER;
            action = letter;
            break;
        case 'm':
        case 't':
        case 'd':
        case 'c':
            if (i + 1 >= count)
                return ERROR_INVALID_PARAMETER;
            ++i;
            if (letter == 'm') {
                if (machine || !args[i][0])
                    return ERROR_INVALID_PARAMETER;
                machine = args[i];
            } else if (letter == 't') {
                if (timeout || !IsTimeout(args[i]))
                    return ERROR_INVALID_PARAMETER;
                timeout = 1;
            } else if (letter == 'd') {
                reason = 1;
            }
            break;
        case 'f':
            break;
        default:
            return ERROR_INVALID_PARAMETER;
        }
    }
    if (!action || (action == 'l' && (timeout || machine || reason)))
        return ERROR_INVALID_PARAMETER;
    if (machine && Unreachable(machine))
        return ERROR_BAD_NETPATH;
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;
    char stamp[32];
    CreatedSince1970(stamp, sizeof stamp);
    const char* parameters = Parameters(GetCommandLineA());
    int refused = Check(parameters);
    if (refused) {
        char line[4200];
        snprintf(line, sizeof line, "%d %s", refused, parameters);
        AppendLine("ZV_SHUTDOWN_REFUSED", line);
        return refused;
    }
    AppendLine("ZV_SHUTDOWN_LOG", parameters);
    AppendLine("ZV_SHUTDOWN_STAMPS", stamp);
    return 0;
}
