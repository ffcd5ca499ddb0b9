// Exceptions of the framework and small string helpers.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <exception>
#include <stdexcept>
#include <string>
#include <utility>

namespace zv {

// The framework's exceptions carry their message themselves: std::exception is their only standard
// base, so the program does not carry the standard library's exception classes and their strings.
class Exception : public std::exception {
public:
    explicit Exception(const std::string& message) : message_(message) {}
    explicit Exception(const char* message) : message_(message ? message : "") {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// A layout that cannot be read; the message names the layout and the line.
class ELayoutError : public Exception {
public:
    using Exception::Exception;
};

class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

// printf-style formatting with the framework's own formatter (see Format.cpp for what it knows).
std::string Format(const char* fmt, ...);
// vsnprintf with the same formatter: writes at most size - 1 characters and a terminator, and
// returns the length the whole text would have.
int FormatBuffer(char* buf, std::size_t size, const char* fmt, va_list args);

} // namespace zv
