// resources_test.cpp: what Tabrix.exe carries, read from the file: every picture at its size as a
// 24-bit bitmap, and the release notes as Windows-1252 text with CR LF line ends.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/gui/tabrix_process.h"
#include "ui/resource.h"

namespace {

TEST(Resources, EveryPictureIsA24BitBitmapOfItsSize)
{
    struct Pictures {
        int first, last, width, height;
    };
    for (const Pictures& p : {Pictures{104, 104, 133, 84}, Pictures{113, 113, 48, 22}, Pictures{114, 114, 48, 28},
                              Pictures{115, 126, 50, 50}, Pictures{128, 131, 50, 50}, Pictures{132, 136, 300, 300},
                              Pictures{137, 141, 50, 50}})
        for (int id = p.first; id <= p.last; ++id) {
            const std::string b = tabrix_resource(RT_BITMAP, id);
            BITMAPINFOHEADER h{};
            ASSERT_GE(b.size(), sizeof h) << "bitmap " << id;
            std::memcpy(&h, b.data(), sizeof h);
            EXPECT_EQ(h.biWidth, p.width) << "bitmap " << id;
            EXPECT_EQ(std::abs(h.biHeight), p.height) << "bitmap " << id;
            EXPECT_EQ(h.biBitCount, 24) << "bitmap " << id;
            EXPECT_EQ(h.biCompression, DWORD(BI_RGB)) << "bitmap " << id;
        }
    EXPECT_EQ(tabrix_resource(RT_BITMAP, 127), "") << "there is no bitmap 127";
}

TEST(Resources, ReleaseNotesAreWindows1252WithCrLfAndNoNul)
{
    const std::string notes = tabrix_resource(MAKEINTRESOURCEA(RT_VERSION_HISTORY), IDR_VERSION_HISTORY);
    ASSERT_GE(notes.size(), 2u);
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const unsigned char c = notes[i], next = i + 1 < notes.size() ? notes[i + 1] : 0;
        const bool line_end = (c == '\r' && next == '\n') || (c == '\n' && i > 0 && notes[i - 1] == '\r');
        ASSERT_TRUE(line_end || (c >= 0x20 && c != 0x7F && !std::strchr("\x81\x8D\x8F\x90\x9D", c)))
            << "byte 0x" << std::hex << int(c) << " at " << std::dec << i;
    }
    EXPECT_EQ(notes.substr(notes.size() - 2), "\r\n");
    EXPECT_NE(notes.find("Informa\xE7\xF5" "es de Vers\xE3o\r\n"), std::string::npos) << "the heading, in Windows-1252";
}

} // namespace
