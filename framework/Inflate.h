// Expands deflate-compressed data (the splash picture is kept compressed in the resources).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zv {

// A raw deflate stream into `out` (emptied first); false on malformed or truncated input, with `out`
// then unspecified.
bool Inflate(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& out);
// One gzip member: header, deflate stream, and the trailer's CRC-32 and length, both checked.
bool Gunzip(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& out);
// The expanded size a gzip member states in its trailer (0 when `data` is not one).
std::size_t GzipSize(const std::uint8_t* data, std::size_t size);
// One gzip member into a block of exactly the size its trailer states (GzipSize), both checks made.
bool GunzipInto(const std::uint8_t* data, std::size_t size, std::uint8_t* out, std::size_t capacity);

// The contents of the program's resource `name` of `type`, or of the gzip-compressed resource of type
// "Z" + `type` (how the build keeps layouts and texts); false when there is neither or it is damaged.
bool ReadResourceText(const char* name, const char* type, std::string& out);

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size);

} // namespace zv
