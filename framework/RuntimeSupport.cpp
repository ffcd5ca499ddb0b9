// What the C++ runtime asks of the program, answered lean: the terminate handler, and the helpers the
// standard containers and strings call to raise their errors. The library's own versions bring its
// symbol demangler (for the message of the default terminate handler) and the standard exception
// classes with their strings; these raise the framework's Exception instead, which callers catch as
// std::exception just the same.
#include <windows.h>

#include <cstdarg>
#include <exception>
#include <new>
#include <typeinfo>

#include "framework/SysUtils.h"

// The runtime's default terminate handler, in place of the library's verbose one: an exception nobody
// caught, or one thrown while another unwinds, is a fault of the program. It ends at once, without
// running handlers that might depend on the state that failed.
namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    ::TerminateProcess(::GetCurrentProcess(), 3);
    for (;;) {
    }
}
} // namespace __gnu_cxx

namespace std {

void __throw_bad_exception() { throw std::bad_exception(); }
void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_array_new_length(); }
void __throw_bad_cast() { throw std::bad_cast(); }
void __throw_bad_typeid() { throw std::bad_typeid(); }
void __throw_logic_error(const char* what) { throw zv::Exception(what); }
void __throw_domain_error(const char* what) { throw zv::Exception(what); }
void __throw_invalid_argument(const char* what) { throw zv::Exception(what); }
void __throw_length_error(const char* what) { throw zv::Exception(what); }
void __throw_out_of_range(const char* what) { throw zv::Exception(what); }
void __throw_runtime_error(const char* what) { throw zv::Exception(what); }
void __throw_range_error(const char* what) { throw zv::Exception(what); }
void __throw_overflow_error(const char* what) { throw zv::Exception(what); }
void __throw_underflow_error(const char* what) { throw zv::Exception(what); }
void __throw_ios_failure(const char* what) { throw zv::Exception(what); }
void __throw_ios_failure(const char* what, int) { throw zv::Exception(what); }
void __throw_system_error(int code) { throw zv::Exception(zv::Format("System error %d", code)); }
void __throw_future_error(int code) { throw zv::Exception(zv::Format("Future error %d", code)); }

void __throw_out_of_range_fmt(const char* fmt, ...)
{
    // The library's messages use %zu and %s, which the framework's formatter knows.
    va_list args;
    va_start(args, fmt);
    char text[256];
    zv::FormatBuffer(text, sizeof text, fmt, args);
    va_end(args);
    throw zv::Exception(text);
}

} // namespace std
