// The program's own formatter, inflater and library error helpers, which stand in for the C and C++
// runtime's versions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "framework/Graphics.h"
#include "framework/Inflate.h"
#include "framework/SysUtils.h"
#include "tests/support/TestUtil.h"

using namespace zv;

namespace {

TEST(Format, IntegersStringsAndCharacters)
{
    EXPECT_EQ("List index out of bounds (-3)", Format("List index out of bounds (%d)", -3));
    EXPECT_EQ("Invalid date 2026-03-09 04:05:06", Format("Invalid date %04u-%02u-%02u %02u:%02u:%02u", 2026u, 3u, 9u, 4u, 5u, 6u));
    EXPECT_EQ("[  42|42  |+42|0042|-0042]", Format("[%4d|%-4d|%+d|%04d|%05d]", 42, 42, 42, 42, -42));
    EXPECT_EQ("ff FF 0x1f 17 777", Format("%x %X %#x %o %lo", 255u, 255u, 31u, 15u, 511ul));
    EXPECT_EQ("-9223372036854775808 18446744073709551615", Format("%lld %llu", -9223372036854775807LL - 1, ~0ULL));
    EXPECT_EQ("4294967295 65535 255", Format("%I64u %hu %hhu", 4294967295ULL, 0x1ffffu, 0x1ffu));
    EXPECT_EQ("'Failed to set data for 'dialog'' ab (null) x", Format("'Failed to set data for '%s'' %.2s %s %c", "dialog", "abc", static_cast<const char*>(nullptr), 'x'));
    EXPECT_EQ("|   ab|ab   |", Format("|%5s|%-5s|", "ab", "ab"));
    EXPECT_EQ("100% done", Format("%d%% done", 100));
}

TEST(Format, FloatingPoint)
{
    EXPECT_EQ("3.141593 3.14 -0.50 2 0.001", Format("%f %.2f %.2f %.0f %.3f", 3.1415926, 3.14159, -0.5, 1.5, 0.0005));
    EXPECT_EQ("1.500000e+03 1.2E-05", Format("%e %.1E", 1500.0, 0.0000123));
    EXPECT_EQ("0.1 100000 1e+06 1.5", Format("%g %g %g %g", 0.1, 100000.0, 1000000.0, 1.5));
    EXPECT_EQ("  1.25|inf|nan", Format("%6.2f|%f|%f", 1.25, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()));
}

TEST(Format, SnprintfUsesItAndTruncatesSafely)
{
    char small[6];
    const int n = std::snprintf(small, sizeof small, "%dx%d", 1024, 768);
    EXPECT_EQ(8, n); // the length the whole text would have
    EXPECT_STREQ("1024x", small);
    EXPECT_EQ(3, std::snprintf(nullptr, 0, "%d", 123));
    // An unknown conversion is copied as it stands, and nothing reads an argument for it.
    EXPECT_EQ("a %y b 7", Format("a %y b %d", 7));
}

TEST(Inflate, FixedAndStoredBlocks)
{
    const std::vector<std::uint8_t> fixed = {0x8b, 0x4a, 0x2c, 0x2b, 0xca, 0xcc, 0x53, 0x30, 0x01, 0x00};
    const std::vector<std::uint8_t> stored = {0x01, 0x08, 0x00, 0xf7, 0xff, 0x5a, 0x61, 0x76, 0x72, 0x69, 0x6e, 0x20, 0x34};
    for (const auto* in : {&fixed, &stored}) {
        std::vector<std::uint8_t> out;
        ASSERT_TRUE(Inflate(in->data(), in->size(), out));
        EXPECT_EQ("Zavrin 4", std::string(out.begin(), out.end()));
    }
    EXPECT_EQ(0xcbf43926u, Crc32(reinterpret_cast<const std::uint8_t*>("123456789"), 9));
}

TEST(Inflate, DamagedInputIsRefusedNotOverrun)
{
    const std::vector<std::uint8_t> fixed = {0x8b, 0x4a, 0x2c, 0x2b, 0xca, 0xcc, 0x53, 0x30, 0x01, 0x00};
    std::vector<std::uint8_t> out;
    for (std::size_t cut = 0; cut < fixed.size() - 1; ++cut)
        EXPECT_FALSE(Inflate(fixed.data(), cut, out)) << cut;
    const std::vector<std::uint8_t> badStored = {0x01, 0x08, 0x00, 0xf7, 0xfe, 0x5a};
    EXPECT_FALSE(Inflate(badStored.data(), badStored.size(), out));
    const std::vector<std::uint8_t> reservedType = {0x07, 0x00};
    EXPECT_FALSE(Inflate(reservedType.data(), reservedType.size(), out));
    // A distance reaching before the start of the output.
    const std::vector<std::uint8_t> farBack = {0x03, 0x02, 0x00};
    EXPECT_FALSE(Inflate(farBack.data(), farBack.size(), out));
}

TEST(Inflate, TheSplashResourceExpandsIntoItsBitmapFile)
{
    HMODULE self = ::GetModuleHandleA(nullptr);
    HRSRC res = ::FindResourceA(self, "SPLASH", "ZBITMAP");
    ASSERT_NE(nullptr, res);
    const auto* packed = static_cast<const std::uint8_t*>(::LockResource(::LoadResource(self, res)));
    const DWORD size = ::SizeofResource(self, res);
    EXPECT_LT(size, 100u * 1024u);
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(Gunzip(packed, size, file));
    ASSERT_GE(file.size(), 54u);
    EXPECT_EQ('B', file[0]);
    const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(file.data() + sizeof(BITMAPFILEHEADER));
    EXPECT_EQ(399, info->biWidth);
    EXPECT_EQ(316, info->biHeight);
    EXPECT_EQ(24, info->biBitCount);
    // One byte changed anywhere in the stream is caught by the checksum or the decoder.
    std::vector<std::uint8_t> damaged(packed, packed + size);
    damaged[size / 2] ^= 0x10;
    EXPECT_FALSE(Gunzip(damaged.data(), damaged.size(), file));

    // Into a block of the stated size: the same bytes; a block of any other size is refused unwritten
    // beyond its end, and so is damaged input.
    ASSERT_TRUE(Gunzip(packed, size, file));
    ASSERT_EQ(file.size(), GzipSize(packed, size));
    std::vector<std::uint8_t> block(file.size() + 16, 0xee);
    ASSERT_TRUE(GunzipInto(packed, size, block.data(), file.size()));
    EXPECT_TRUE(std::equal(file.begin(), file.end(), block.begin()));
    EXPECT_EQ(0xee, block[file.size()]);
    std::fill(block.begin(), block.end(), 0xee);
    EXPECT_FALSE(GunzipInto(packed, size, block.data(), file.size() - 1));
    EXPECT_EQ(0xee, block[file.size() - 1]);
    EXPECT_FALSE(GunzipInto(damaged.data(), damaged.size(), block.data(), file.size()));
    EXPECT_EQ(0u, GzipSize(file.data(), file.size()));

    TBitmap b;
    ASSERT_TRUE(b.LoadFromResourceName(self, "SPLASH"));
    EXPECT_EQ(TPixelFormat::pf24bit, b.PixelFormat());
}

TEST(Inflate, LayoutsAndTextsAreKeptCompressedAndReadBackWhole)
{
    HMODULE self = ::GetModuleHandleA(nullptr);
    for (const char* name : {"TForm1", "TForm2", "TInfo", "TPrompt", "Ttemporizator", "Tdespre", "TRamas", "TVersiuni",
                             "Tsetari"}) {
        EXPECT_EQ(nullptr, ::FindResourceA(self, name, "LAYOUT")) << name;
        ASSERT_NE(nullptr, ::FindResourceA(self, name, "ZLAYOUT")) << name;
        std::string text;
        ASSERT_TRUE(ReadResourceText(name, "LAYOUT", text)) << name;
        EXPECT_EQ(0u, text.find("object ")) << name;
        EXPECT_EQ("end", text.substr(text.find_last_not_of("\r\n") - 2, 3)) << name;
    }
    std::string text = "kept";
    EXPECT_FALSE(ReadResourceText("NOSUCHLAYOUT", "LAYOUT", text));
    ASSERT_TRUE(ReadResourceText("VERSIUNI", "TEXT", text));
    EXPECT_GT(text.size(), 1000u);
}

TEST(Resources, TheIconHasEverySizeWithItsCornersTransparent)
{
    // 16 and 32 pixels with alpha, 48 pixels in 256 colours with a mask: each draws the rounded
    // blue square, its corner letting the background through.
    for (int n : {16, 32, 48}) {
        HICON icon = static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, n, n, 0));
        ASSERT_NE(nullptr, icon) << n;
        zv::test::TDib dib(n, n, RGBColor(0, 255, 0));
        ASSERT_TRUE(::DrawIconEx(dib.DC(), 0, 0, icon, n, n, 0, nullptr, DI_NORMAL)) << n;
        const TColor corner = dib.Pixel(0, 0); // the 48-pixel mask is hard, the others blend
        if (n == 48)
            EXPECT_EQ(RGBColor(0, 255, 0), corner);
        EXPECT_GT(GetGValue(corner), 200) << n;
        EXPECT_LT(GetBValue(corner), 100) << n;
        const TColor inside = dib.Pixel(n / 8, n / 2);
        EXPECT_GT(GetBValue(inside), GetGValue(inside)) << n; // blue, not the green background
        const TColor stroke = dib.Pixel(n / 2, n * 13 / 16); // the ring's bottom: white
        EXPECT_GT(GetRValue(stroke) + GetGValue(stroke), 2 * 180) << n;
        ::DestroyIcon(icon);
    }
}

TEST(LibraryErrors, ComeAsTheFrameworksExceptionCaughtAsStdException)
{
    std::string s = "abc";
    try {
        (void)s.at(7);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_NE(std::string::npos, std::string(e.what()).find("7"));
    }
    std::vector<int> v;
    EXPECT_THROW((void)v.at(0), std::exception);
    const Exception copy = ELayoutError("Layout TForm2, line 3: integer expected");
    EXPECT_STREQ("Layout TForm2, line 3: integer expected", copy.what());
}

} // namespace
