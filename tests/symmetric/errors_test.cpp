// errors_test.cpp: every refusal of the block-cipher rows: message, caption, icon, focused field, no output.
#include <gtest/gtest.h>

#include "core/handlers.h"
#include "tests/symmetric/support.h"

namespace {

constexpr const char* DES = "0123456789ABCDEF";
constexpr const char* AES = "000102030405060708090A0B0C0D0E0F";
constexpr const char* KSN = "FFFF9876543210E00001";
constexpr const char* BLOCK = "0102030405060708";
const std::string FULL = std::string(2 * 1024, '0'); // padding would pass the field's 1024 bytes

struct Refusal {
    std::string_view row; Mode mode = Mode::Ecb; std::string_view data{}, field1{}, key{}, iv{}; int focus;
    const char* message = "Invalid field size!";
};

const Refusal REFUSALS[] = {
    // Field 0: whole blocks (unless a MAC is padded), an even digit count, checked before the key.
    {.row = "DES", .data = "01020304050607", .key = DES, .focus = IDC_EDIT0},
    {.row = "AES", .mode = Mode::Mac, .data = BLOCK, .key = AES, .focus = IDC_EDIT0},
    {.row = "DES", .data = "012", .key = DES, .focus = IDC_EDIT0},
    {.row = "DES", .data = "01", .key = "01", .focus = IDC_EDIT0},
    {.row = "DES", .mode = Mode::MacPadded, .data = FULL, .key = DES, .focus = IDC_EDIT0},
    {.row = "AES", .mode = Mode::MacPadded, .data = FULL, .key = AES, .focus = IDC_EDIT0},
    // The key length of each row.
    {.row = "DES", .data = BLOCK, .key = "0123456789ABCDEF01", .focus = IDC_EDIT2},
    {.row = "Triple-DES", .data = BLOCK, .key = DES, .focus = IDC_EDIT2},
    {.row = "Triple-DES/K24 [rev]", .data = BLOCK, .key = BDK, .focus = IDC_EDIT2},
    {.row = "AES", .key = "000102030405060708090A0B", .focus = IDC_EDIT2}, // not a multiple of 8
    {.row = "DUKPT Triple-DES PIN", .data = BLOCK, .field1 = KSN, .key = DES, .focus = IDC_EDIT2},
    {.row = "AES", .key = "0001020304050607", .focus = IDC_EDIT2, .message = "Invalid key length!"},
    {.row = "AES", .key = "000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F2021222324252627",
     .focus = IDC_EDIT2, .message = "Invalid key length!"},
    // The Initial Value: parsable and empty or one block, checked before the working key.
    {.row = "DES", .mode = Mode::Cbc, .data = BLOCK, .key = DES, .iv = "123", .focus = IDC_EDIT3},
    {.row = "AES", .mode = Mode::Cbc, .key = AES, .iv = "0001020304050607", .focus = IDC_EDIT3},
    {.row = "MK/WK DES", .mode = Mode::Cbc, .data = BLOCK, .key = DES, .iv = "01", .focus = IDC_EDIT3},
    // The encrypted working key has the master key's length; the KSN has 10 bytes.
    {.row = "MK/WK DES", .data = BLOCK, .field1 = BDK, .key = DES, .focus = IDC_EDIT1},
    {.row = "MK/WK Triple-DES [rev]", .mode = Mode::Cbc, .field1 = DES, .key = BDK, .focus = IDC_EDIT1},
    {.row = "DUKPT DES PIN", .data = BLOCK, .field1 = "FFFF9876543210E000", .key = BDK, .focus = IDC_EDIT1},
    {.row = "DUKPT Triple-DES MAC resp", .mode = Mode::Mac, .data = BLOCK, .field1 = "FFFF9876543210E0000100",
     .key = BDK, .focus = IDC_EDIT1},
    {.row = "DUKPT Triple-DES Data resp [rev]", .mode = Mode::Cbc, .data = BLOCK, .key = BDK, .focus = IDC_EDIT1},
    // The IPEK derivation: KSN in field 0, BDK in field 2.
    {.row = "DUKPT Triple-DES IPEK derivation", .data = "FFFF9876543210E000", .key = BDK, .focus = IDC_EDIT0},
    {.row = "DUKPT Triple-DES IPEK derivation", .data = KSN, .key = DES, .focus = IDC_EDIT2},
    {.row = "DUKPT Triple-DES IPEK derivation", .data = KSN, .key = BDK + 1, .focus = IDC_EDIT2}, // odd digit count
};

using Refusals = SymmetricRows;

std::string shown(const FakeMessage& m) { // text / caption / icon
    return m.text + " / " + m.caption + (m.icon == MessageIcon::Error ? " / error" : " / other icon");
}

TEST_F(Refusals, EachRefusalNamesItsFieldAndWritesNothing) {
    for (const auto& r : REFUSALS) {
        w.messages.clear();
        w.focus = w.selected_all = 0;
        const std::string out = run_row(r.row, r.mode, r.data, r.field1, r.key, r.iv);
        const std::string what = std::string(r.row) + " in " + mode_name(r.mode) + ", key " + std::string(r.key);
        ASSERT_EQ(w.messages.size(), 1u) << what;
        EXPECT_EQ(shown(w.messages[0]), r.message + std::string(" / Ooops! / error")) << what;
        EXPECT_EQ(std::pair(w.focus, w.selected_all), std::pair(r.focus, r.focus)) << what;
        EXPECT_EQ(out + counter(4), "0 bytes") << what;
        EXPECT_TRUE(w[IDC_GO].enabled) << what;
    }
}

// One byte short of a full field, padding still fits: the data fills the 1024 bytes exactly.
TEST_F(Refusals, PaddingUpToTheFieldCapacity) {
    EXPECT_EQ(run_row("DES", Mode::MacPadded, FULL.substr(2), "", DES).size(), 16u) << last_message();
    EXPECT_EQ(run_row("AES", Mode::MacPadded, FULL.substr(2), "", AES).size(), 32u) << last_message();
}

// A row whose id the handler does not serve.
TEST_F(Refusals, UnservedRowShowsError) {
    choose("XOR");
    EXPECT_EQ(block_cipher_handler(), 0);
    choose("DES");
    EXPECT_EQ(ipek_handler(), 0);
    ASSERT_EQ(w.messages.size(), 2u);
    for (const auto& m : w.messages)
        EXPECT_EQ(shown(m), "ERROR! / Ooops! / error");
}

} // namespace
