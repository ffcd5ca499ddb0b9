// Exceptions of the framework and small string helpers.
#pragma once

#include <stdexcept>
#include <string>

namespace zv {

class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
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

std::string Format(const char* fmt, ...);

} // namespace zv
