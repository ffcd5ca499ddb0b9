// The few thread primitives the C++ runtime itself asks for (the exception allocator's lock and the
// per-thread exception state), answered directly on Win32 so that the POSIX thread library stays out
// of the program. Linked into the program only: the test binaries keep the thread library, since
// GoogleTest uses more of it.
#include <windows.h>

#include <cerrno>
#include <cstdint>

namespace {

// A statically initialised mutex holds -1 (or -2, -3 for the other static kinds) until first use.
bool IsStaticInitializer(std::intptr_t v) { return v >= -3 && v <= -1; }

CRITICAL_SECTION* NewSection()
{
    auto* cs = static_cast<CRITICAL_SECTION*>(::HeapAlloc(::GetProcessHeap(), 0, sizeof(CRITICAL_SECTION)));
    if (cs)
        ::InitializeCriticalSection(cs);
    return cs;
}

CRITICAL_SECTION* SectionOf(std::intptr_t* m)
{
    std::intptr_t v = *m;
    if (IsStaticInitializer(v) || v == 0) {
        CRITICAL_SECTION* fresh = NewSection();
        if (!fresh)
            return nullptr;
        const auto won = ::InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(m), fresh,
                                                             reinterpret_cast<void*>(v));
        if (won != reinterpret_cast<void*>(v)) { // another thread was first
            ::DeleteCriticalSection(fresh);
            ::HeapFree(::GetProcessHeap(), 0, fresh);
        }
        v = *m;
    }
    return reinterpret_cast<CRITICAL_SECTION*>(v);
}

} // namespace

extern "C" {

int pthread_mutex_init(std::intptr_t* m, const void*)
{
    CRITICAL_SECTION* cs = NewSection();
    if (!cs)
        return ENOMEM;
    *m = reinterpret_cast<std::intptr_t>(cs);
    return 0;
}

int pthread_mutex_destroy(std::intptr_t* m)
{
    if (!IsStaticInitializer(*m) && *m != 0) {
        auto* cs = reinterpret_cast<CRITICAL_SECTION*>(*m);
        ::DeleteCriticalSection(cs);
        ::HeapFree(::GetProcessHeap(), 0, cs);
    }
    *m = -1;
    return 0;
}

int pthread_mutex_lock(std::intptr_t* m)
{
    CRITICAL_SECTION* cs = SectionOf(m);
    if (!cs)
        return ENOMEM;
    ::EnterCriticalSection(cs);
    return 0;
}

int pthread_mutex_unlock(std::intptr_t* m)
{
    if (IsStaticInitializer(*m) || *m == 0)
        return EPERM;
    ::LeaveCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(*m));
    return 0;
}

// 0: not run; 1: running; 2: done.
int pthread_once(volatile long* once, void (*fn)(void))
{
    if (*once == 2)
        return 0;
    if (::InterlockedCompareExchange(once, 1, 0) == 0) {
        fn();
        ::InterlockedExchange(once, 2);
        return 0;
    }
    while (*once != 2)
        ::Sleep(0);
    return 0;
}

// The runtime's per-thread exception state. Destructors are not run at thread exit: besides the
// user-interface thread, only a network log-off's thread runs the program's code, and it throws nothing
// on its way (RemoteLogoff.cpp).
int pthread_key_create(unsigned* key, void (*)(void*))
{
    const DWORD index = ::TlsAlloc();
    if (index == TLS_OUT_OF_INDEXES)
        return EAGAIN;
    *key = index;
    return 0;
}

void* pthread_getspecific(unsigned key) { return ::TlsGetValue(key); }

int pthread_setspecific(unsigned key, const void* value)
{
    return ::TlsSetValue(key, const_cast<void*>(value)) ? 0 : EINVAL;
}

} // extern "C"
