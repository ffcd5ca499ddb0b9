#include "framework/Inflate.h"

#include <windows.h>

namespace zv {

namespace {

constexpr int kMaxBits = 15;

class BitReader {
public:
    BitReader(const std::uint8_t* p, std::size_t n) : p_(p), end_(p + n) {}
    // Up to 16 bits, least significant first; reading past the end marks the reader as overrun.
    unsigned Bits(int n)
    {
        while (count_ < n) {
            unsigned byte = 0;
            if (p_ < end_)
                byte = *p_++;
            else
                overrun_ = true;
            buffer_ |= byte << count_;
            count_ += 8;
        }
        const unsigned v = buffer_ & ((1u << n) - 1);
        buffer_ >>= n;
        count_ -= n;
        return v;
    }
    // Drops the bits left of the current byte (whole bytes are only loaded on demand).
    void AlignToByte()
    {
        buffer_ = 0;
        count_ = 0;
    }
    bool TakeBytes(std::size_t n, const std::uint8_t*& at)
    {
        if (static_cast<std::size_t>(end_ - p_) < n)
            return false;
        at = p_;
        p_ += n;
        return true;
    }
    bool Overrun() const { return overrun_; }
    std::size_t Consumed(const std::uint8_t* start) const { return static_cast<std::size_t>(p_ - start); }

private:
    const std::uint8_t* p_;
    const std::uint8_t* end_;
    unsigned buffer_ = 0;
    int count_ = 0;
    bool overrun_ = false;
};

// Output into a growing vector, or into a block of a size known beforehand.
struct VectorOut {
    std::vector<std::uint8_t>& v;
    void push_back(std::uint8_t b) { v.push_back(b); }
    std::size_t size() const { return v.size(); }
    std::uint8_t operator[](std::size_t i) const { return v[i]; }
    bool Room(std::size_t) const { return true; }
};
struct BlockOut {
    std::uint8_t* p;
    std::size_t capacity;
    std::size_t n = 0;
    bool overflow = false;
    void push_back(std::uint8_t b)
    {
        if (n < capacity)
            p[n++] = b;
        else
            overflow = true;
    }
    std::size_t size() const { return n; }
    std::uint8_t operator[](std::size_t i) const { return p[i]; }
    bool Room(std::size_t len) const { return !overflow && capacity - n >= len; }
};

// A canonical Huffman code: how many codes of each length, and the symbols in code order.
struct Huffman {
    short count[kMaxBits + 1];
    short symbol[288];
};

// False for an over-subscribed set of lengths; an incomplete set is allowed (a single distance code).
bool Build(Huffman& h, const std::uint8_t* lengths, int n)
{
    for (short& c : h.count)
        c = 0;
    for (int s = 0; s < n; ++s)
        ++h.count[lengths[s]];
    int left = 1;
    for (int len = 1; len <= kMaxBits; ++len) {
        left = (left << 1) - h.count[len];
        if (left < 0)
            return false;
    }
    short offsets[kMaxBits + 1];
    offsets[1] = 0;
    for (int len = 1; len < kMaxBits; ++len)
        offsets[len + 1] = static_cast<short>(offsets[len] + h.count[len]);
    for (int s = 0; s < n; ++s)
        if (lengths[s])
            h.symbol[offsets[lengths[s]]++] = static_cast<short>(s);
    return true;
}

int Decode(BitReader& in, const Huffman& h)
{
    int code = 0, first = 0, index = 0;
    for (int len = 1; len <= kMaxBits; ++len) {
        code |= static_cast<int>(in.Bits(1));
        const int count = h.count[len];
        if (code - first < count)
            return h.symbol[index + code - first];
        index += count;
        first = (first + count) << 1;
        code <<= 1;
    }
    return -1;
}

constexpr short kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                   31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr unsigned short kDistBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                          193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::uint8_t kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6,
                                         6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

template <class Out>
bool Codes(BitReader& in, const Huffman& lengths, const Huffman& distances, Out& out)
{
    for (;;) {
        int sym = Decode(in, lengths);
        if (sym < 0 || in.Overrun())
            return false;
        if (sym < 256) {
            out.push_back(static_cast<std::uint8_t>(sym));
            continue;
        }
        if (sym == 256)
            return true;
        sym -= 257;
        if (sym >= 29)
            return false;
        const std::size_t len = kLengthBase[sym] + in.Bits(kLengthExtra[sym]);
        const int dsym = Decode(in, distances);
        if (dsym < 0 || dsym >= 30)
            return false;
        const std::size_t dist = kDistBase[dsym] + in.Bits(kDistExtra[dsym]);
        if (in.Overrun() || dist > out.size() || !out.Room(len))
            return false;
        // Byte by byte: a copy may overlap the bytes it is producing.
        std::size_t from = out.size() - dist;
        for (std::size_t i = 0; i < len; ++i)
            out.push_back(out[from + i]);
    }
}

template <class Out>
bool Stored(BitReader& in, Out& out)
{
    in.AlignToByte();
    const std::uint8_t* h;
    if (!in.TakeBytes(4, h))
        return false;
    const unsigned len = h[0] | (h[1] << 8);
    const unsigned nlen = h[2] | (h[3] << 8);
    if (len != (~nlen & 0xffffu))
        return false;
    const std::uint8_t* bytes;
    if (!in.TakeBytes(len, bytes))
        return false;
    for (unsigned i = 0; i < len; ++i)
        out.push_back(bytes[i]);
    return true;
}

template <class Out>
bool Fixed(BitReader& in, Out& out)
{
    static Huffman lengths, distances;
    static bool built = false;
    if (!built) {
        std::uint8_t l[288];
        for (int s = 0; s < 288; ++s)
            l[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
        Build(lengths, l, 288);
        for (int s = 0; s < 30; ++s)
            l[s] = 5;
        Build(distances, l, 30);
        built = true;
    }
    return Codes(in, lengths, distances, out);
}

template <class Out>
bool Dynamic(BitReader& in, Out& out)
{
    static constexpr std::uint8_t kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
    const int nlen = static_cast<int>(in.Bits(5)) + 257;
    const int ndist = static_cast<int>(in.Bits(5)) + 1;
    const int ncode = static_cast<int>(in.Bits(4)) + 4;
    if (nlen > 286 || ndist > 30)
        return false;
    std::uint8_t l[320] = {};
    for (int i = 0; i < ncode; ++i)
        l[kOrder[i]] = static_cast<std::uint8_t>(in.Bits(3));
    Huffman codeLengths;
    if (!Build(codeLengths, l, 19))
        return false;
    int i = 0;
    while (i < nlen + ndist) {
        const int sym = Decode(in, codeLengths);
        if (sym < 0 || in.Overrun())
            return false;
        if (sym < 16) {
            l[i++] = static_cast<std::uint8_t>(sym);
            continue;
        }
        std::uint8_t value = 0;
        int repeat;
        if (sym == 16) {
            if (i == 0)
                return false;
            value = l[i - 1];
            repeat = 3 + static_cast<int>(in.Bits(2));
        } else if (sym == 17) {
            repeat = 3 + static_cast<int>(in.Bits(3));
        } else {
            repeat = 11 + static_cast<int>(in.Bits(7));
        }
        if (i + repeat > nlen + ndist)
            return false;
        while (repeat--)
            l[i++] = value;
    }
    if (l[256] == 0)
        return false; // no end-of-block code
    Huffman lengths, distances;
    if (!Build(lengths, l, nlen) || !Build(distances, l + nlen, ndist))
        return false;
    return Codes(in, lengths, distances, out);
}

template <class Out>
bool InflateStream(BitReader& in, Out& out)
{
    for (;;) {
        const unsigned last = in.Bits(1);
        const unsigned type = in.Bits(2);
        bool ok = false;
        if (type == 0)
            ok = Stored(in, out);
        else if (type == 1)
            ok = Fixed(in, out);
        else if (type == 2)
            ok = Dynamic(in, out);
        if (!ok || in.Overrun())
            return false;
        if (last)
            return true;
    }
}

} // namespace

bool Inflate(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& out)
{
    out.clear();
    BitReader in(data, size);
    VectorOut o{out};
    return InflateStream(in, o);
}

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size)
{
    // Four bits at a time: a 16-entry table is enough at start-up sizes.
    static constexpr std::uint32_t kTable[16] = {
        0x00000000, 0x1db71064, 0x3b6e20c8, 0x26d930ac, 0x76dc4190, 0x6b6b51f4, 0x4db26158, 0x5005713c,
        0xedb88320, 0xf00f9344, 0xd6d6a3e8, 0xcb61b38c, 0x9b64c2b0, 0x86d3d2d4, 0xa00ae278, 0xbdbdf21c};
    std::uint32_t crc = 0xffffffffu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        crc = (crc >> 4) ^ kTable[crc & 15];
        crc = (crc >> 4) ^ kTable[crc & 15];
    }
    return ~crc;
}

namespace {

std::uint32_t Le32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16)) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Where the deflate stream of a gzip member starts; 0 for what is not one.
std::size_t GzipStreamStart(const std::uint8_t* data, std::size_t size)
{
    if (size < 18 || data[0] != 0x1f || data[1] != 0x8b || data[2] != 8)
        return 0;
    const std::uint8_t flags = data[3];
    std::size_t pos = 10;
    if (flags & 4) { // extra field
        if (pos + 2 > size)
            return 0;
        pos += 2 + (data[pos] | (data[pos + 1] << 8));
    }
    for (const std::uint8_t zeroEnded : {std::uint8_t{8}, std::uint8_t{16}}) { // name, comment
        if (flags & zeroEnded) {
            while (pos < size && data[pos])
                ++pos;
            ++pos;
        }
    }
    if (flags & 2) // header CRC
        pos += 2;
    return pos + 8 > size ? 0 : pos;
}

} // namespace

std::size_t GzipSize(const std::uint8_t* data, std::size_t size)
{
    return GzipStreamStart(data, size) ? Le32(data + size - 4) : 0;
}

bool Gunzip(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& out)
{
    const std::size_t pos = GzipStreamStart(data, size);
    if (!pos)
        return false;
    const std::uint32_t expectedSize = Le32(data + size - 4);
    out.clear();
    if (expectedSize < (64u << 20))
        out.reserve(expectedSize);
    BitReader in(data + pos, size - pos - 8);
    VectorOut o{out};
    if (!InflateStream(in, o))
        return false;
    return out.size() == expectedSize && Crc32(out.data(), out.size()) == Le32(data + size - 8);
}

bool GunzipInto(const std::uint8_t* data, std::size_t size, std::uint8_t* out, std::size_t capacity)
{
    const std::size_t pos = GzipStreamStart(data, size);
    if (!pos || Le32(data + size - 4) != capacity)
        return false;
    BitReader in(data + pos, size - pos - 8);
    BlockOut o{out, capacity};
    if (!InflateStream(in, o) || o.overflow)
        return false;
    return o.n == capacity && Crc32(out, capacity) == Le32(data + size - 8);
}

bool ReadResourceText(const char* name, const char* type, std::string& out)
{
    HMODULE module = ::GetModuleHandleA(nullptr);
    auto bytes = [module, name](const char* t, DWORD& size) -> const std::uint8_t* {
        HRSRC res = ::FindResourceA(module, name, t);
        HGLOBAL data = res ? ::LoadResource(module, res) : nullptr;
        size = res ? ::SizeofResource(module, res) : 0;
        return data ? static_cast<const std::uint8_t*>(::LockResource(data)) : nullptr;
    };
    DWORD size = 0;
    if (const std::uint8_t* plain = bytes(type, size)) {
        out.assign(reinterpret_cast<const char*>(plain), size);
        return true;
    }
    const std::string packedType = std::string("Z") + type;
    const std::uint8_t* packed = bytes(packedType.c_str(), size);
    if (!packed)
        return false;
    out.assign(GzipSize(packed, size), '\0');
    return GunzipInto(packed, size, reinterpret_cast<std::uint8_t*>(out.data()), out.size());
}

} // namespace zv
