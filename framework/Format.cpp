// The program's own printf-style formatter. Format() uses it, and so does every snprintf and
// vsnprintf of the program: the C library's formatter, with its floating-point conversion, is not
// linked in. Known: flags - + space # 0, width and precision (also *), lengths hh h l ll L j z t I I32
// I64, conversions d i u o x X c s p f F e E g G %.
#include "framework/SysUtils.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cmath>
#include <cstring>

namespace zv {

namespace {

class Sink {
public:
    Sink(char* buf, std::size_t size) : buf_(buf), size_(size) {}
    void Put(char c)
    {
        if (buf_ && written_ + 1 < size_)
            buf_[written_] = c;
        ++written_;
    }
    void Put(const char* s, std::size_t n)
    {
        for (std::size_t i = 0; i < n; ++i)
            Put(s[i]);
    }
    void Repeat(char c, int n)
    {
        while (n-- > 0)
            Put(c);
    }
    std::size_t Finish()
    {
        if (buf_ && size_ > 0)
            buf_[written_ < size_ ? written_ : size_ - 1] = '\0';
        return written_;
    }

private:
    char* buf_;
    std::size_t size_;
    std::size_t written_ = 0;
};

struct Conversion {
    bool left = false, plus = false, space = false, alt = false, zero = false;
    int width = 0;
    int precision = -1;
};

// Sign or prefix, zeros, digits, placed in the field as the flags ask.
void Emit(Sink& out, const Conversion& s, const char* prefix, const char* digits, std::size_t ndigits, int zeros = 0)
{
    const int plen = static_cast<int>(std::strlen(prefix));
    const int body = plen + zeros + static_cast<int>(ndigits);
    const int pad = s.width > body ? s.width - body : 0;
    if (!s.left && !s.zero)
        out.Repeat(' ', pad);
    out.Put(prefix, static_cast<std::size_t>(plen));
    if (!s.left && s.zero)
        out.Repeat('0', pad);
    out.Repeat('0', zeros);
    out.Put(digits, ndigits);
    if (s.left)
        out.Repeat(' ', pad);
}

std::size_t ToDigits(std::uint64_t v, unsigned base, bool upper, char* end)
{
    const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    char* p = end;
    do {
        *--p = set[v % base];
        v /= base;
    } while (v);
    return static_cast<std::size_t>(end - p);
}

void Integer(Sink& out, Conversion s, std::uint64_t magnitude, bool negative, unsigned base, bool upper, bool isSigned)
{
    char buf[32];
    std::size_t n = ToDigits(magnitude, base, upper, buf + sizeof buf);
    const char* digits = buf + sizeof buf - n;
    if (s.precision == 0 && magnitude == 0)
        n = 0;
    int zeros = s.precision > static_cast<int>(n) ? s.precision - static_cast<int>(n) : 0;
    if (s.precision >= 0)
        s.zero = false;
    char prefix[3] = {};
    if (isSigned && negative)
        prefix[0] = '-';
    else if (isSigned && s.plus)
        prefix[0] = '+';
    else if (isSigned && s.space)
        prefix[0] = ' ';
    else if (s.alt && base == 16 && magnitude)
        prefix[0] = '0', prefix[1] = upper ? 'X' : 'x';
    else if (s.alt && base == 8 && zeros == 0 && (n == 0 || digits[0] != '0'))
        zeros = 1;
    Emit(out, s, prefix, digits, n, zeros);
}

// Fixed notation of |v| with `precision` decimals, rounded half away from zero, into `buf`.
std::size_t Fixed(double v, int precision, char* buf, std::size_t cap)
{
    double scale = 1;
    for (int i = 0; i < precision; ++i)
        scale *= 10;
    const double scaled = v * scale + 0.5;
    std::size_t n = 0;
    if (scaled < 1.8e19) {
        const auto whole = static_cast<std::uint64_t>(scaled);
        const auto unit = static_cast<std::uint64_t>(scale);
        char digits[32];
        std::size_t k = ToDigits(whole / unit, 10, false, digits + sizeof digits);
        std::memcpy(buf, digits + sizeof digits - k, k);
        n = k;
        if (precision > 0) {
            buf[n++] = '.';
            std::uint64_t frac = whole % unit;
            for (int i = precision - 1; i >= 0; --i) {
                buf[n + static_cast<std::size_t>(i)] = static_cast<char>('0' + frac % 10);
                frac /= 10;
            }
            n += static_cast<std::size_t>(precision);
        }
        return n;
    }
    // Beyond 64 bits: the leading digits, then zeros, which is as exact as this program needs.
    int exp10 = 0;
    while (v >= 1e18) {
        v /= 10;
        ++exp10;
    }
    n = Fixed(v, 0, buf, cap);
    while (exp10-- > 0 && n < cap - 1)
        buf[n++] = '0';
    if (precision > 0 && n + 1 + static_cast<std::size_t>(precision) < cap) {
        buf[n++] = '.';
        for (int i = 0; i < precision; ++i)
            buf[n++] = '0';
    }
    return n;
}

// Mantissa with `precision` decimals and the exponent, as %e writes them.
std::size_t Exponent(double v, int precision, bool upper, char* buf, std::size_t cap)
{
    int e = 0;
    if (v != 0) {
        while (v >= 10) {
            v /= 10;
            ++e;
        }
        while (v < 1) {
            v *= 10;
            --e;
        }
        double limit = 10;
        double half = 0.5;
        for (int i = 0; i < precision; ++i)
            half /= 10;
        if (v + half >= limit) {
            v /= 10;
            ++e;
        }
    }
    std::size_t n = Fixed(v, precision, buf, cap - 6);
    buf[n++] = upper ? 'E' : 'e';
    buf[n++] = e < 0 ? '-' : '+';
    const int ae = e < 0 ? -e : e;
    if (ae >= 100)
        buf[n++] = static_cast<char>('0' + ae / 100);
    buf[n++] = static_cast<char>('0' + ae / 10 % 10);
    buf[n++] = static_cast<char>('0' + ae % 10);
    return n;
}

void Float(Sink& out, Conversion s, double v, char conv)
{
    const bool upper = conv == 'F' || conv == 'E' || conv == 'G';
    const bool negative = std::signbit(v);
    if (negative)
        v = -v;
    char prefix[2] = {negative ? '-' : s.plus ? '+' : s.space ? ' ' : '\0', '\0'};
    char buf[400];
    std::size_t n;
    if (v != v || v > 1.7976931348623157e308) {
        const char* word = v != v ? (upper ? "NAN" : "nan") : (upper ? "INF" : "inf");
        s.zero = false;
        Emit(out, s, prefix, word, 3);
        return;
    }
    int precision = s.precision < 0 ? 6 : (s.precision > 60 ? 60 : s.precision);
    const char kind = static_cast<char>(conv | 0x20);
    if (kind == 'f') {
        n = Fixed(v, precision, buf, sizeof buf);
    } else if (kind == 'e') {
        n = Exponent(v, precision, upper, buf, sizeof buf);
    } else {
        // %g: the shorter of the two notations for `precision` significant digits, trailing zeros dropped.
        if (precision == 0)
            precision = 1;
        int e = 0;
        if (v != 0) {
            char probe[80];
            const std::size_t pn = Exponent(v, precision - 1, false, probe, sizeof probe);
            const char* ep = static_cast<const char*>(std::memchr(probe, 'e', pn));
            const bool below = ep[1] == '-';
            for (const char* d = ep + 2; d < probe + pn; ++d)
                e = e * 10 + (*d - '0');
            if (below)
                e = -e;
        }
        if (e < -4 || e >= precision)
            n = Exponent(v, precision - 1, upper, buf, sizeof buf);
        else
            n = Fixed(v, precision - 1 - e, buf, sizeof buf);
        if (!s.alt) {
            char* dot = static_cast<char*>(std::memchr(buf, '.', n));
            if (dot) {
                char* expo = static_cast<char*>(std::memchr(buf, upper ? 'E' : 'e', n));
                char* end = expo ? expo : buf + n;
                char* cut = end;
                while (cut > dot + 1 && cut[-1] == '0')
                    --cut;
                if (cut == dot + 1)
                    --cut;
                const std::size_t tail = static_cast<std::size_t>(buf + n - end);
                std::memmove(cut, end, tail);
                n = static_cast<std::size_t>(cut - buf) + tail;
            }
        }
    }
    if (s.alt && precision == 0 && kind != 'g' && !std::memchr(buf, '.', n) && n < sizeof buf)
        buf[n++] = '.'; // "#" keeps the point
    Emit(out, s, prefix, buf, n);
}

std::size_t FormatTo(char* buf, std::size_t size, const char* fmt, va_list args)
{
    Sink out(buf, size);
    for (const char* p = fmt; *p; ++p) {
        if (*p != '%') {
            out.Put(*p);
            continue;
        }
        const char* start = p++;
        Conversion s;
        for (;; ++p) {
            if (*p == '-') s.left = true;
            else if (*p == '+') s.plus = true;
            else if (*p == ' ') s.space = true;
            else if (*p == '#') s.alt = true;
            else if (*p == '0') s.zero = true;
            else break;
        }
        if (*p == '*') {
            s.width = va_arg(args, int);
            if (s.width < 0) {
                s.left = true;
                s.width = -s.width;
            }
            ++p;
        } else {
            while (*p >= '0' && *p <= '9')
                s.width = s.width * 10 + (*p++ - '0');
        }
        if (*p == '.') {
            ++p;
            s.precision = 0;
            if (*p == '*') {
                s.precision = va_arg(args, int);
                ++p;
            } else {
                while (*p >= '0' && *p <= '9')
                    s.precision = s.precision * 10 + (*p++ - '0');
            }
        }
        if (s.left)
            s.zero = false;
        int longs = 0; // 0 int, 1 long, 2 64-bit, -1 short, -2 char, 3 pointer-sized
        for (;;) {
            if (*p == 'l') { ++longs; ++p; }
            else if (*p == 'h') { --longs; ++p; }
            else if (*p == 'j' || *p == 'L') { longs = 2; ++p; }
            else if (*p == 'z' || *p == 't') { longs = 3; ++p; }
            else if (p[0] == 'I' && p[1] == '6' && p[2] == '4') { longs = 2; p += 3; }
            else if (p[0] == 'I' && p[1] == '3' && p[2] == '2') { longs = 0; p += 3; }
            else if (*p == 'I') { longs = 3; ++p; }
            else break;
        }
        // "long" is 32 bits on Windows.
        if (longs == 1)
            longs = 0;
        switch (*p) {
        case 'd':
        case 'i': {
            long long v = longs >= 2 ? (longs == 3 ? static_cast<long long>(va_arg(args, std::intptr_t)) : va_arg(args, long long))
                                     : va_arg(args, int);
            if (longs == -1) v = static_cast<short>(v);
            if (longs <= -2) v = static_cast<signed char>(v);
            const std::uint64_t mag = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
            Integer(out, s, mag, v < 0, 10, false, true);
            break;
        }
        case 'u':
        case 'o':
        case 'x':
        case 'X': {
            std::uint64_t v = longs >= 2 ? (longs == 3 ? static_cast<std::uint64_t>(va_arg(args, std::uintptr_t))
                                                       : va_arg(args, unsigned long long))
                                         : va_arg(args, unsigned);
            if (longs == -1) v = static_cast<unsigned short>(v);
            if (longs <= -2) v = static_cast<unsigned char>(v);
            const unsigned base = *p == 'u' ? 10 : *p == 'o' ? 8 : 16;
            Integer(out, s, v, false, base, *p == 'X', false);
            break;
        }
        case 'p': {
            const auto v = reinterpret_cast<std::uintptr_t>(va_arg(args, void*));
            Conversion ps = s;
            ps.precision = static_cast<int>(2 * sizeof(void*));
            Integer(out, ps, v, false, 16, true, false);
            break;
        }
        case 'c': {
            const char c = static_cast<char>(va_arg(args, int));
            s.zero = false;
            Emit(out, s, "", &c, 1);
            break;
        }
        case 's': {
            const char* str = va_arg(args, const char*);
            if (!str)
                str = "(null)";
            std::size_t n = 0;
            while (str[n] && (s.precision < 0 || n < static_cast<std::size_t>(s.precision)))
                ++n;
            s.zero = false;
            Emit(out, s, "", str, n);
            break;
        }
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G':
            Float(out, s, va_arg(args, double), *p);
            break;
        case '%':
            out.Put('%');
            break;
        case 'n':
            (void)va_arg(args, int*); // never written: a format string cannot store into memory here
            break;
        default:
            // Not a conversion this formatter knows: copied as it stands.
            out.Put(start, static_cast<std::size_t>(p - start) + (*p ? 1 : 0));
            if (!*p)
                --p;
            break;
        }
    }
    return out.Finish();
}

} // namespace

int FormatBuffer(char* buf, std::size_t size, const char* fmt, va_list args)
{
    return static_cast<int>(FormatTo(buf, size, fmt, args));
}

std::string Format(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    const std::size_t n = FormatTo(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string out(n, '\0');
    FormatTo(out.data(), n + 1, fmt, args);
    va_end(args);
    return out;
}

} // namespace zv

// The C library's entry points that snprintf and vsnprintf expand to (stdio.h's inline wrappers),
// answered by the formatter above so that its own formatter stays out of the program.
extern "C" int __cdecl __mingw_vsnprintf(char* buf, size_t size, const char* fmt, va_list args)
{
    return zv::FormatBuffer(buf, size, fmt, args);
}

extern "C" int __cdecl __mingw_vsprintf(char* buf, const char* fmt, va_list args)
{
    return zv::FormatBuffer(buf, static_cast<size_t>(-1) / 2, fmt, args);
}

extern "C" int __cdecl __mingw_snprintf(char* buf, size_t size, const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    const int n = zv::FormatBuffer(buf, size, fmt, args);
    va_end(args);
    return n;
}

extern "C" int __cdecl __mingw_sprintf(char* buf, const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    const int n = zv::FormatBuffer(buf, static_cast<size_t>(-1) / 2, fmt, args);
    va_end(args);
    return n;
}
