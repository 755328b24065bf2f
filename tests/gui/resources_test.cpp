// resources_test.cpp: what Tabrix.exe carries, read from the file: every picture at its size as a
// 24-bit bitmap, the 32-bit icon sizes, the ESC accelerator, the dialog sizes, the release notes
// as Windows-1252 text with CR LF line ends, the version record and the manifest.
#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include "tests/gui/release_notes.h"
#include "tests/gui/tabrix_process.h"
#include "ui/resource.h"

namespace {

std::string resource_bytes(HMODULE module, LPCSTR type, LPCSTR name)
{
    HRSRC found = FindResourceA(module, name, type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    return bytes ? std::string(bytes, SizeofResource(module, found)) : std::string();
}

class Resources : public ::testing::Test {
protected:
    HMODULE exe = nullptr;

    void SetUp() override
    {
        exe = LoadLibraryExA(tabrix_exe_path().c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(exe, nullptr) << tabrix_exe_path();
    }
    void TearDown() override
    {
        if (exe)
            FreeLibrary(exe);
    }
    std::string bytes(LPCSTR type, int id) { return resource_bytes(exe, type, MAKEINTRESOURCEA(id)); }
    std::string bytes(LPCSTR type, const char* name) { return resource_bytes(exe, type, name); }
};

struct PictureSize {
    int id, width, height;
};

// Sizes of the pictures named by the catalogue and the dialog layouts.
constexpr PictureSize PICTURES[] = {
    {.id = 104, .width = 133, .height = 84}, {.id = 113, .width = 48, .height = 22},
    {.id = 114, .width = 48, .height = 28},  {.id = 115, .width = 50, .height = 50},
    {.id = 116, .width = 50, .height = 50},  {.id = 117, .width = 50, .height = 50},
    {.id = 118, .width = 50, .height = 50},  {.id = 119, .width = 50, .height = 50},
    {.id = 120, .width = 50, .height = 50},  {.id = 121, .width = 50, .height = 50},
    {.id = 122, .width = 50, .height = 50},  {.id = 123, .width = 50, .height = 50},
    {.id = 124, .width = 50, .height = 50},  {.id = 125, .width = 50, .height = 50},
    {.id = 126, .width = 50, .height = 50},  {.id = 128, .width = 50, .height = 50},
    {.id = 129, .width = 50, .height = 50},  {.id = 130, .width = 50, .height = 50},
    {.id = 131, .width = 50, .height = 50},  {.id = 132, .width = 300, .height = 300},
    {.id = 133, .width = 300, .height = 300}, {.id = 134, .width = 300, .height = 300},
    {.id = 135, .width = 300, .height = 300}, {.id = 136, .width = 300, .height = 300},
    {.id = 137, .width = 50, .height = 50},  {.id = 138, .width = 50, .height = 50},
    {.id = 139, .width = 50, .height = 50},  {.id = 140, .width = 50, .height = 50},
    {.id = 141, .width = 50, .height = 50},
};

TEST_F(Resources, EveryPictureIsA24BitBitmapOfItsSize)
{
    for (const PictureSize& p : PICTURES) {
        std::string b = bytes(RT_BITMAP, p.id);
        ASSERT_GE(b.size(), sizeof(BITMAPINFOHEADER)) << "bitmap " << p.id;
        BITMAPINFOHEADER h;
        std::memcpy(&h, b.data(), sizeof h);
        EXPECT_EQ(h.biWidth, p.width) << "bitmap " << p.id;
        EXPECT_EQ(h.biHeight < 0 ? -h.biHeight : h.biHeight, p.height) << "bitmap " << p.id;
        EXPECT_EQ(h.biBitCount, 24) << "bitmap " << p.id;
        EXPECT_EQ(h.biCompression, static_cast<DWORD>(BI_RGB)) << "bitmap " << p.id;
    }
    EXPECT_EQ(bytes(RT_BITMAP, 127), "") << "there is no bitmap 127";
}

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bit_count;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_F(Resources, ProgramIconHasFive32BitSizes)
{
    std::string group = bytes(RT_GROUP_ICON, IDI_PROGRAM);
    ASSERT_GE(group.size(), 6u);
    WORD count = 0;
    std::memcpy(&count, group.data() + 4, 2);
    ASSERT_EQ(group.size(), 6 + count * sizeof(IconGroupEntry));
    std::vector<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        IconGroupEntry e;
        std::memcpy(&e, group.data() + 6 + i * sizeof e, sizeof e);
        sizes.push_back(e.width);
        EXPECT_EQ(e.width, e.height);
        EXPECT_EQ(e.bit_count, 32) << "icon of " << int(e.width) << " pixels";
        EXPECT_EQ(bytes(RT_ICON, e.id).size(), e.bytes) << "icon of " << int(e.width) << " pixels";
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48, 64, 128}));
}

TEST_F(Resources, EscapeAcceleratorGivesCommand40002)
{
    struct Entry {
        WORD flags, key, command, padding;
    };
    std::string table = bytes(RT_ACCELERATOR, IDR_ACCEL_ESC);
    ASSERT_EQ(table.size(), sizeof(Entry)) << "one entry";
    Entry e;
    std::memcpy(&e, table.data(), sizeof e);
    EXPECT_EQ(e.key, VK_ESCAPE);
    EXPECT_EQ(e.command, 40002);
    EXPECT_EQ(e.flags & ~0x80, FVIRTKEY | FNOINVERT) << "0x80 marks the last entry";
}

// Size in dialog units and number of controls of an extended dialog template.
struct DialogShape {
    const char* name;
    int width, height, controls;
};

TEST_F(Resources, DialogsHaveTheirSizesAndControls)
{
    for (const DialogShape& d : {DialogShape{.name = "MAINDLG", .width = 489, .height = 395, .controls = 50},
                                 DialogShape{.name = "ABOUTDLG", .width = 229, .height = 91, .controls = 8},
                                 DialogShape{.name = "VERSHIST", .width = 419, .height = 389, .controls = 2}}) {
        std::string t = bytes(RT_DIALOG, d.name);
        ASSERT_GE(t.size(), 26u) << d.name;
        WORD version, signature, items;
        short cx, cy;
        std::memcpy(&version, t.data(), 2);
        std::memcpy(&signature, t.data() + 2, 2);
        std::memcpy(&items, t.data() + 16, 2);
        std::memcpy(&cx, t.data() + 22, 2);
        std::memcpy(&cy, t.data() + 24, 2);
        EXPECT_EQ(version, 1) << d.name << " is an extended template";
        EXPECT_EQ(signature, 0xFFFF) << d.name;
        EXPECT_EQ(items, d.controls) << d.name;
        EXPECT_EQ(cx, d.width) << d.name;
        EXPECT_EQ(cy, d.height) << d.name;
    }
}

TEST_F(Resources, ReleaseNotesAreWindows1252WithCrLfAndNoNul)
{
    const std::string notes = stored_release_notes(tabrix_exe_path());
    ASSERT_FALSE(notes.empty());
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(notes[i]);
        if (c == '\r')
            ASSERT_TRUE(i + 1 < notes.size() && notes[i + 1] == '\n') << "CR without LF at byte " << i;
        else if (c == '\n')
            ASSERT_TRUE(i > 0 && notes[i - 1] == '\r') << "LF without CR at byte " << i;
        else
            ASSERT_TRUE(c >= 0x20 && c != 0x7F && c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D)
                << "byte 0x" << std::hex << int(c) << " at " << std::dec << i << " is no Windows-1252 text";
    }
    EXPECT_EQ(notes.substr(notes.size() - 2), "\r\n");
    EXPECT_EQ(notes.front(), '=') << "opens with a banner rule";
    EXPECT_NE(notes.find("Informa\xE7\xF5" "es de Vers\xE3o\r\n"), std::string::npos) << "the heading, in Windows-1252";

    // Sections newest first, from V1.63 down to V1.00: heading, a rule of '-', items.
    const std::regex heading("\r\n(V1\\.[0-9]{2}) - [0-9]{2}/[0-9]{2}/[0-9]{4}\r\n-+\r\n- ");
    std::vector<std::string> versions;
    for (auto it = std::sregex_iterator(notes.begin(), notes.end(), heading); it != std::sregex_iterator(); ++it)
        versions.push_back((*it)[1]);
    ASSERT_GE(versions.size(), 2u);
    EXPECT_EQ(versions.front(), "V1.63");
    EXPECT_EQ(versions.back(), "V1.00");
    for (std::size_t i = 1; i < versions.size(); ++i)
        EXPECT_GT(versions[i - 1], versions[i]) << "newest first";
}

TEST_F(Resources, VersionRecordAndManifest)
{
    std::string version = bytes(RT_VERSION, 1);
    const VS_FIXEDFILEINFO* fixed = nullptr;
    for (std::size_t i = 0; i + sizeof(VS_FIXEDFILEINFO) <= version.size(); i += 4) {
        DWORD signature;
        std::memcpy(&signature, version.data() + i, 4);
        if (signature == VS_FFI_SIGNATURE) {
            fixed = reinterpret_cast<const VS_FIXEDFILEINFO*>(version.data() + i);
            break;
        }
    }
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwFileVersionMS, (1u << 16) | 63u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, (1u << 16) | 63u);
    // The string table is UTF-16: look for the company's name there.
    const std::string company{"V\0o\0r\0n\0a\0l\0\0\0", 14};
    EXPECT_NE(version.find(company), std::string::npos);

    std::string manifest = bytes(RT_MANIFEST, 1);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos) << manifest;
    EXPECT_NE(manifest.find("uiAccess=\"false\""), std::string::npos) << manifest;
    EXPECT_EQ(manifest.find("dependency"), std::string::npos) << "no common-controls version";
    EXPECT_EQ(manifest.find("dpiAware"), std::string::npos) << "no DPI awareness";
}

} // namespace

std::string stored_release_notes(const std::string& exe_path)
{
    HMODULE exe = LoadLibraryExA(exe_path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!exe)
        return {};
    std::string notes = resource_bytes(exe, MAKEINTRESOURCEA(RT_VERSION_HISTORY), MAKEINTRESOURCEA(IDR_VERSION_HISTORY));
    FreeLibrary(exe);
    return notes;
}
