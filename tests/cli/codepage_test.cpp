// codepage_test.cpp: the window's code page against the C library's own Windows-1252 table (iconv), byte
// by byte both ways. The five bytes Windows-1252 leaves undefined, which iconv refuses, are the C1
// controls of the same number, as Windows maps them.
#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "cli/codepage.h"

namespace {

// The byte as UTF-8 by iconv, "" where iconv has no character for it.
std::string iconv_utf8(char byte)
{
    iconv_t cd = iconv_open("UTF-8", "CP1252");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    char in[1] = {byte}, out[8] = {};
    char *from = in, *to = out;
    std::size_t left = 1, room = sizeof out;
    const bool converted = iconv(cd, &from, &left, &to, &room) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    return converted ? std::string(out, static_cast<std::size_t>(to - out)) : "";
}

TEST(CodePage, EveryByteBothWaysAsTheCLibraryMapsIt)
{
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        std::string utf8 = iconv_utf8(byte[0]);
        if (utf8.empty()) {
            EXPECT_TRUE(b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) << std::hex << b;
            utf8 = {static_cast<char>(0xC2), static_cast<char>(b)}; // U+0081 and so on
        }
        EXPECT_EQ(from_window_text(byte), utf8) << std::hex << b;
        EXPECT_EQ(to_window_text(utf8), byte) << std::hex << b;
    }
    // Characters with no byte, and bytes that are not UTF-8.
    for (const char* text : {"\xC4\x80", "\xE2\x82\xAD", "\xF0\x9F\x98\x80", "\xC3", "\xC0\xAF", "\xED\xA0\x80"})
        EXPECT_EQ(to_window_text(text), std::nullopt) << text;
}

} // namespace
