// check_value_test.cpp: the key check value line of the block-cipher rows, following the key as typed.
#include <gtest/gtest.h>

#include "tests/symmetric/support.h"

namespace {

using CheckValue = Workbench;

constexpr const char* UNKNOWN = "CheckVal = ???";
constexpr const char* DES_VALUE = "CheckVal = D5D44FF7"; // DES of zero under 0123456789ABCDEF: D5D44FF720683D0D
constexpr const char* BDK_VALUE = "CheckVal = 08D7B4FB"; // the X9.24 test BDK's check value is 08D7B4

struct CheckCase { const char *row, *key, *line; };

// The first four bytes of the encrypted zero block, checked with the openssl command line.
const CheckCase CHECK_CASES[] = {
    {.row = "AES", .key = "00000000000000000000000000000000", .line = "CheckVal = 66E94BD4"},
    {.row = "AES [rev]", .key = "000102030405060708090A0B0C0D0E0F", .line = "CheckVal = C6A13B37"},
    {.row = "AES", .key = "000000000000000000000000000000000000000000000000", .line = "CheckVal = AAE06992"},
    {.row = "AES", .key = "00000000000000000000000000000000 00000000000000000000000000000000",
     .line = "CheckVal = DC95C078"},
    {.row = "AES", .key = "0123456789ABCDEF", .line = UNKNOWN},
    {.row = "DES", .key = "0123456789ABCDEF", .line = DES_VALUE},
    {.row = "DES [rev]", .key = "0022446688AACCEE", .line = DES_VALUE}, // parity bits changed
    {.row = "DES", .key = BDK, .line = UNKNOWN},
    {.row = "Triple-DES", .key = BDK, .line = BDK_VALUE},
    {.row = "Triple-DES [rev]", .key = "0122446688AACCEEFEDCBA9876543210", .line = BDK_VALUE},
    {.row = "Triple-DES", .key = "0123456789ABCDEF", .line = UNKNOWN},
    {.row = "Triple-DES/K24", .key = "0123456789ABCDEF23456789ABCDEF01456789ABCDEF0123", .line = "CheckVal = 4EBA739C"},
    {.row = "Triple-DES/K24", .key = BDK, .line = UNKNOWN},
    {.row = "Triple-DES MAC (DES / final Triple-DES)", .key = BDK, .line = BDK_VALUE},
    {.row = "MK/WK Triple-DES", .key = BDK, .line = BDK_VALUE},
    {.row = "DUKPT DES PIN", .key = BDK, .line = BDK_VALUE}, // every DUKPT row takes the double-length BDK
    {.row = "DUKPT Triple-DES IPEK derivation", .key = BDK, .line = BDK_VALUE},
    {.row = "DUKPT Triple-DES IPEK derivation", .key = "0123456789ABCDEFFEDCBA98765432", .line = UNKNOWN},
};

TEST_F(CheckValue, EveryRowAndKeyLength) {
    for (const auto& c : CHECK_CASES) {
        choose(c.row);
        type(2, c.key);
        EXPECT_EQ(w[IDC_CHECK_VALUE].text, c.line) << c.row << " key '" << c.key << "'";
    }
}

// Through the fake window: digit by digit, an odd digit count, a change of row, and an ASCII key.
TEST_F(CheckValue, FollowsTyping) {
    choose("DES");
    const std::string key = "0123456789ABCDEF";
    for (std::size_t n = 0; n <= key.size(); ++n) {
        type(2, key.substr(0, n));
        EXPECT_EQ(w[IDC_CHECK_VALUE].text, n == key.size() ? DES_VALUE : UNKNOWN) << n << " digits";
    }
    type(2, key + "0"); // never the key without its last digit
    EXPECT_EQ(w[IDC_CHECK_VALUE].text, UNKNOWN);
    choose("Triple-DES");
    type(2, "01 23 45 67 89 ab cd ef fe dc ba 98 76 54 32 10");
    EXPECT_EQ(w[IDC_CHECK_VALUE].text, BDK_VALUE);
    choose("AES");
    EXPECT_EQ(w[IDC_CHECK_VALUE].text, "CheckVal = D5C825A2") << "the same 16 bytes as an AES key";
    set_ascii(2, true);
    type(2, "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(w[IDC_CHECK_VALUE].text, "CheckVal = 8575D1E8") << "the key 4142434445464748494A4B4C4D4E4F50";
}

} // namespace
