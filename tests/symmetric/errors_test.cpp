// errors_test.cpp: every refusal of the symmetric rows: its message, caption, icon and focused field,
// and no output written.
#include <gtest/gtest.h>

#include <string>

#include "core/handlers.h"
#include "tests/symmetric/support.h"

namespace {

constexpr const char* BDK = "0123456789ABCDEFFEDCBA9876543210";
constexpr const char* KSN = "FFFF9876543210E00001";

struct Refusal {
    const char* row;
    Mode mode;
    const char* data;
    const char* field1;
    const char* key;
    const char* iv;
    const char* message;
    int focus; // edit control selected and focused
};

const Refusal REFUSALS[] = {
    // Field 0 must hold whole blocks unless MAC mode pads it.
    {.row = "DES", .mode = Mode::Ecb, .data = "01020304050607", .field1 = "", .key = "0123456789ABCDEF", .iv = "",
     .message = "Invalid field size!", .focus = IDC_EDIT0},
    {.row = "DES", .mode = Mode::Cbc, .data = "010203040506070809", .field1 = "", .key = "0123456789ABCDEF",
     .iv = "", .message = "Invalid field size!", .focus = IDC_EDIT0},
    {.row = "AES", .mode = Mode::Mac, .data = "0102030405060708", .field1 = "",
     .key = "000102030405060708090A0B0C0D0E0F", .iv = "", .message = "Invalid field size!", .focus = IDC_EDIT0},
    {.row = "Triple-DES MAC (DES / final Triple-DES)", .mode = Mode::Mac, .data = "0102", .field1 = "", .key = BDK,
     .iv = "", .message = "Invalid field size!", .focus = IDC_EDIT0},
    {.row = "DES", .mode = Mode::Ecb, .data = "012", .field1 = "", .key = "0123456789ABCDEF", .iv = "",
     .message = "Invalid field size!", .focus = IDC_EDIT0}, // odd digit count
    // Field 0 is checked before the key.
    {.row = "DES", .mode = Mode::Ecb, .data = "01", .field1 = "", .key = "01", .iv = "",
     .message = "Invalid field size!", .focus = IDC_EDIT0},
    // The key rule of each row.
    {.row = "DES", .mode = Mode::Ecb, .data = "0102030405060708", .field1 = "", .key = "0123456789ABCDEF01",
     .iv = "", .message = "Invalid field size!", .focus = IDC_EDIT2},
    {.row = "DES", .mode = Mode::Ecb, .data = "0102030405060708", .field1 = "", .key = "", .iv = "",
     .message = "Invalid field size!", .focus = IDC_EDIT2},
    {.row = "Triple-DES", .mode = Mode::Ecb, .data = "0102030405060708", .field1 = "", .key = "0123456789ABCDEF",
     .iv = "", .message = "Invalid field size!", .focus = IDC_EDIT2},
    {.row = "Triple-DES/K24 [rev]", .mode = Mode::Ecb, .data = "0102030405060708", .field1 = "", .key = BDK,
     .iv = "", .message = "Invalid field size!", .focus = IDC_EDIT2},
    {.row = "AES", .mode = Mode::Ecb, .data = "", .field1 = "", .key = "000102030405060708090A0B", .iv = "",
     .message = "Invalid field size!", .focus = IDC_EDIT2}, // 12 bytes: not a multiple of 8
    {.row = "DUKPT Triple-DES PIN", .mode = Mode::Ecb, .data = "0102030405060708", .field1 = KSN,
     .key = "0123456789ABCDEF", .iv = "", .message = "Invalid field size!", .focus = IDC_EDIT2},
    // AES: a multiple of 8 that is not 16, 24 or 32.
    {.row = "AES", .mode = Mode::Ecb, .data = "", .field1 = "", .key = "0001020304050607", .iv = "",
     .message = "Invalid key length!", .focus = IDC_EDIT2},
    {.row = "AES [rev]", .mode = Mode::Cbc, .data = "", .field1 = "", .key = "", .iv = "",
     .message = "Invalid key length!", .focus = IDC_EDIT2},
    {.row = "AES", .mode = Mode::Ecb, .data = "", .field1 = "",
     .key = "000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F2021222324252627", .iv = "",
     .message = "Invalid key length!", .focus = IDC_EDIT2},
    // The Initial Value: parsable, and empty or one block.
    {.row = "DES", .mode = Mode::Cbc, .data = "0102030405060708", .field1 = "", .key = "0123456789ABCDEF",
     .iv = "123", .message = "Invalid field size!", .focus = IDC_EDIT3},
    {.row = "AES", .mode = Mode::Cbc, .data = "", .field1 = "", .key = "000102030405060708090A0B0C0D0E0F",
     .iv = "0001020304050607", .message = "Invalid field size!", .focus = IDC_EDIT3},
    {.row = "DES", .mode = Mode::Mac, .data = "0102030405060708", .field1 = "", .key = "0123456789ABCDEF",
     .iv = "01020304050607", .message = "Invalid field size!", .focus = IDC_EDIT3},
    // The Initial Value is checked before the working key or the KSN.
    {.row = "MK/WK DES", .mode = Mode::Cbc, .data = "0102030405060708", .field1 = "", .key = "0123456789ABCDEF",
     .iv = "01", .message = "Invalid field size!", .focus = IDC_EDIT3},
    // MK/WK: the encrypted working key has the key's length.
    {.row = "MK/WK DES", .mode = Mode::Ecb, .data = "0102030405060708", .field1 = BDK, .key = "0123456789ABCDEF",
     .iv = "", .message = "Invalid field size!", .focus = IDC_EDIT1},
    {.row = "MK/WK Triple-DES [rev]", .mode = Mode::Cbc, .data = "0102030405060708", .field1 = "0123456789ABCDEF",
     .key = BDK, .iv = "", .message = "Invalid field size!", .focus = IDC_EDIT1},
    // DUKPT: the KSN is exactly 10 bytes.
    {.row = "DUKPT DES PIN", .mode = Mode::Ecb, .data = "0102030405060708", .field1 = "FFFF9876543210E000",
     .key = BDK, .iv = "", .message = "Invalid field size!", .focus = IDC_EDIT1},
    {.row = "DUKPT Triple-DES MAC resp", .mode = Mode::Mac, .data = "0102030405060708",
     .field1 = "FFFF9876543210E0000100", .key = BDK, .iv = "", .message = "Invalid field size!",
     .focus = IDC_EDIT1},
    {.row = "DUKPT Triple-DES Data resp [rev]", .mode = Mode::Cbc, .data = "0102030405060708", .field1 = "",
     .key = BDK, .iv = "", .message = "Invalid field size!", .focus = IDC_EDIT1},
    // Padding that would pass the 1024 bytes of a field is refused on field 0.
    {.row = "DES", .mode = Mode::MacPadded, .data = nullptr, .field1 = "", .key = "0123456789ABCDEF", .iv = "",
     .message = "Invalid field size!", .focus = IDC_EDIT0},
};

// A full field: padding would add a whole block beyond its 1024 bytes.
const std::string TOO_LONG_TO_PAD = std::string(2 * 1024, 'A');

class Refusals : public SymmetricRows {};

TEST_F(Refusals, EachRefusalNamesItsFieldAndWritesNothing) {
    for (const auto& r : REFUSALS) {
        w.messages.clear();
        w.focus = w.selected_all = 0;
        const std::string out = run_row(r.row, r.mode, r.data ? r.data : TOO_LONG_TO_PAD, r.field1, r.key, r.iv);
        ASSERT_EQ(w.messages.size(), 1u) << r.row << " key '" << r.key << "'";
        EXPECT_EQ(w.messages[0].text, r.message) << r.row << " key '" << r.key << "'";
        EXPECT_EQ(w.messages[0].caption, "Ooops!");
        EXPECT_EQ(w.messages[0].icon, MessageIcon::Error);
        EXPECT_EQ(w.focus, r.focus) << r.row << " key '" << r.key << "' iv '" << r.iv << "'";
        EXPECT_EQ(w.selected_all, r.focus) << r.row;
        EXPECT_EQ(out, "") << r.row;
        EXPECT_EQ(counter(4), "0 bytes") << r.row;
        EXPECT_TRUE(w[IDC_GO].enabled) << r.row;
    }
}

// A failed run leaves the fields it had not read as typed; those it read show their cleaned form.
TEST_F(Refusals, FieldsNotYetReadKeepTheirText) {
    run_row("AES", Mode::Cbc, "00 11 22 33 44 55 66 77 88 99 aa bb cc dd ee ff", "", "00 01 02 03 04 05 06 07",
            "ab cd");
    EXPECT_EQ(last_message(), "Invalid key length!");
    EXPECT_EQ(text(0), "00112233445566778899AABBCCDDEEFF");
    EXPECT_EQ(text(2), "0001020304050607");
    EXPECT_EQ(text(3), "ab cd");
}

// Up to 1023 bytes padding still fits: they become 1024 and give one MAC block.
TEST_F(Refusals, PaddingUpToTheFieldCapacity) {
    run_row("DES", Mode::MacPadded, std::string(2 * 1023, '0'), "", "0123456789ABCDEF");
    EXPECT_TRUE(w.messages.empty()) << last_message();
    EXPECT_EQ(output().size(), 16u);
    run_row("AES", Mode::MacPadded, std::string(2 * 1023, '0'), "", "000102030405060708090A0B0C0D0E0F");
    EXPECT_TRUE(w.messages.empty()) << last_message();
    EXPECT_EQ(output().size(), 32u);
    run_row("AES", Mode::MacPadded, std::string(2 * 1024, '0'), "", "000102030405060708090A0B0C0D0E0F");
    EXPECT_EQ(last_message(), "Invalid field size!");
    EXPECT_EQ(w.focus, IDC_EDIT0);
    EXPECT_EQ(output(), "");
}

// Padding is honoured only in MAC mode: ECB and CBC refuse partial blocks whatever the box says.
TEST_F(Refusals, PaddingBoxOutsideMacModeChangesNothing) {
    choose("DES");
    select_mode(IDC_RADIO_CBC);
    w[IDC_PADDING].checked = true; // even if the box were ticked
    run_with("0102030405", "", "0123456789ABCDEF");
    EXPECT_EQ(last_message(), "Invalid field size!");
    EXPECT_EQ(w.focus, IDC_EDIT0);
}

// A row whose id the handler does not serve.
TEST_F(Refusals, UnservedIdShowsError) {
    choose("XOR");
    EXPECT_EQ(block_cipher_handler(), 0);
    ASSERT_EQ(w.messages.size(), 1u);
    EXPECT_EQ(w.messages[0].text, "ERROR!");
    EXPECT_EQ(w.messages[0].caption, "Ooops!");
    EXPECT_EQ(w.messages[0].icon, MessageIcon::Error);

    choose("DES");
    EXPECT_EQ(ipek_handler(), 0);
    EXPECT_EQ(last_message(), "ERROR!");
    EXPECT_EQ(output(), "");
}

struct IpekRefusal {
    const char* ksn;
    const char* bdk;
    int focus;
};

const IpekRefusal IPEK_REFUSALS[] = {
    {.ksn = "FFFF9876543210E000", .bdk = BDK, .focus = IDC_EDIT0},
    {.ksn = "FFFF9876543210E0000000", .bdk = BDK, .focus = IDC_EDIT0},
    {.ksn = "FFFF9876543210E0000", .bdk = "", .focus = IDC_EDIT0},
    {.ksn = KSN, .bdk = "0123456789ABCDEF", .focus = IDC_EDIT2},
    {.ksn = KSN, .bdk = "0123456789ABCDEFFEDCBA987654321", .focus = IDC_EDIT2},
};

TEST_F(Refusals, IpekDerivationFieldSizes) {
    for (const auto& r : IPEK_REFUSALS) {
        w.messages.clear();
        choose("DUKPT Triple-DES IPEK derivation");
        run_with(r.ksn, "", r.bdk);
        ASSERT_EQ(w.messages.size(), 1u) << r.ksn << " / " << r.bdk;
        EXPECT_EQ(w.messages[0].text, "Invalid field size!");
        EXPECT_EQ(w.messages[0].caption, "Ooops!");
        EXPECT_EQ(w.focus, r.focus) << r.ksn << " / " << r.bdk;
        EXPECT_EQ(output(), "");
    }
}

TEST_F(Refusals, IpekDerivationIgnoresTheCounter) {
    choose("DUKPT Triple-DES IPEK derivation");
    for (const char* ksn : {"FFFF9876543210E00000", "ffff 9876 5432 10ff ffff", "FFFF9876543210E00123"}) {
        run_with(ksn, "", BDK);
        EXPECT_EQ(output(), "6AC292FAA1315B4D858AB3A3D7D5933A") << ksn; // ANSI X9.24-1-2009 Annex A
        EXPECT_EQ(counter(4), "16 bytes");
    }
}

} // namespace
