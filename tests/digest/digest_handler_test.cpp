// digest_handler_test.cpp: the six hash rows run through GO! on the fake window.
#include <string>

#include "core/handlers.h"
#include "tests/digest/hex.h"
#include "tests/support/workbench.h"

#ifdef TABRIX_HAVE_OPENSSL
#include <openssl/evp.h>
#endif

namespace {

using DigestRows = Workbench;

struct RowCase {
    const char* row;
    const char* data;      // field 0 as typed, hexadecimal
    const char* crc_iv;    // field 1 as typed (CRC16 only)
    const char* hash;      // field 4 afterwards
    const char* counter;   // field 4's counter
};

// CRC16: the Catalogue of parametrised CRC algorithms check values of "123456789" for XMODEM (no
// initial value) and CCITT-FALSE (FF FF); AUG-CCITT's initial value 1D0F on 01 02; empty data echoes
// the initial value. Hash rows: the digest of the empty message (RFC 1321 A.5, FIPS 180-4
// examples), and of "abc" for the two rows that no other case here runs on data.
const RowCase row_cases[] = {
    {.row = "CRC16", .data = "31 32 33 34 35 36 37 38 39", .crc_iv = "", .hash = "31C3", .counter = "2 bytes"},
    {.row = "CRC16", .data = "313233343536373839", .crc_iv = "ff ff", .hash = "29B1", .counter = "2 bytes"},
    {.row = "CRC16", .data = "0102", .crc_iv = "1D0F", .hash = "97B3", .counter = "2 bytes"},
    {.row = "CRC16", .data = "", .crc_iv = "", .hash = "0000", .counter = "2 bytes"},
    {.row = "CRC16", .data = "", .crc_iv = "12 34", .hash = "1234", .counter = "2 bytes"},
    {.row = "MD5", .data = "", .crc_iv = "", .hash = "D41D8CD98F00B204E9800998ECF8427E", .counter = "16 bytes"},
    {.row = "SHA-1", .data = "", .crc_iv = "", .hash = "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709", .counter = "20 bytes"},
    {.row = "SHA-256",
     .data = "",
     .crc_iv = "",
     .hash = "E3B0C44298FC1C149AFBF4C8996FB92427AE41E4649B934CA495991B7852B855",
     .counter = "32 bytes"},
    {.row = "SHA-384",
     .data = "616263",
     .crc_iv = "",
     .hash = "CB00753F45A35E8BB5A03D699AC65007272C32AB0EDED1631A8B605A43FF5BED8086072BA1E7CC2358BAECA134C825A7",
     .counter = "48 bytes"},
    {.row = "SHA-384",
     .data = "",
     .crc_iv = "",
     .hash = "38B060A751AC96384CD9327EB1B1E36A21FDB71114BE07434C0CC7BF63F6E1DA274EDEBFE76F65FBD51AD2F14898B95B",
     .counter = "48 bytes"},
    {.row = "SHA-512",
     .data = "616263",
     .crc_iv = "",
     .hash = "DDAF35A193617ABACC417349AE20413112E6FA4E89A97EA20A9EEEE64B55D39A"
             "2192992A274FC1A836BA3C23A3FEEBBD454D4423643CE80E2A9AC94FA54CA49F",
     .counter = "64 bytes"},
    {.row = "SHA-512",
     .data = "",
     .crc_iv = "",
     .hash = "CF83E1357EEFB8BDF1542850D66D8007D620E4050B5715DC83F4A921D36CE9CE"
             "47D0D13C5D85F2B0FF8318D2877EEC2F63B931BD47417A81A538327AF927DA3E",
     .counter = "64 bytes"},
};

TEST_F(DigestRows, EveryRowThroughGo)
{
    for (const RowCase& c : row_cases) {
        choose(c.row);
        run_with(c.data, c.crc_iv);
        EXPECT_EQ(output(), c.hash) << c.row << " of \"" << c.data << "\", IV \"" << c.crc_iv << "\"";
        EXPECT_EQ(counter(4), c.counter) << c.row;
        EXPECT_TRUE(w[IDC_GO].enabled) << c.row;
    }
    EXPECT_TRUE(w.messages.empty()) << last_message();
}

TEST_F(DigestRows, DataTypedAsAscii)
{
    choose("SHA-1");
    set_ascii(0, true);
    run_with("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq");
    // FIPS 180-4 example, the two-block message.
    EXPECT_EQ(output(), "84983E441C3BD26EBAAE4AA1F95129E5E54670F1");
}

TEST_F(DigestRows, StrictReadRewritesTheDataInCleanedForm)
{
    choose("MD5");
    run_with("61 62\r\n63");
    EXPECT_EQ(text(0), "616263");
    EXPECT_EQ(counter(0), "3 bytes");
    EXPECT_EQ(output(), "900150983CD24FB0D6963F7D28E17F72");
}

TEST_F(DigestRows, FieldOneIsIgnoredByTheHashRows)
{
    for (const char* row : {"MD5", "SHA-1", "SHA-256", "SHA-384", "SHA-512"}) {
        choose(row);
        run_with("", "123"); // an odd digit count that CRC16 would refuse
        EXPECT_EQ(text(1), "123") << row << ": field 1 is never read";
        EXPECT_NE(output(), "") << row;
    }
    choose("SHA-256");
    run_with("616263", "FFFF");
    EXPECT_EQ(output(), "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD");
    EXPECT_TRUE(w.messages.empty()) << last_message();
}

struct RefusedCase {
    const char* row;
    const char* data;
    const char* crc_iv;
    int focused;           // edit control that gets the selection and the focus
    const char* shown;     // its text afterwards
    const char* counter;   // its byte counter
};

// Field 0 that does not parse is refused by the codec for every row; a CRC16 initial value must be
// empty or exactly two bytes. An initial value that parses is rewritten in cleaned form before the
// handler finds its length wrong; one that does not parse keeps its text.
const RefusedCase refused[] = {
    {.row = "CRC16", .data = "313233", .crc_iv = "12", .focused = IDC_EDIT1, .shown = "12", .counter = "1 bytes"},
    {.row = "CRC16", .data = "313233", .crc_iv = "12 34 56", .focused = IDC_EDIT1, .shown = "123456", .counter = "3 bytes"},
    {.row = "CRC16", .data = "313233", .crc_iv = "123", .focused = IDC_EDIT1, .shown = "123", .counter = "1,5 bytes"},
    {.row = "CRC16", .data = "ABC", .crc_iv = "1234", .focused = IDC_EDIT0, .shown = "ABC", .counter = "1,5 bytes"},
    {.row = "MD5", .data = "ABC", .crc_iv = "", .focused = IDC_EDIT0, .shown = "ABC", .counter = "1,5 bytes"},
    {.row = "SHA-1", .data = "0", .crc_iv = "", .focused = IDC_EDIT0, .shown = "0", .counter = "0,5 bytes"},
    {.row = "SHA-256", .data = "0x41", .crc_iv = "", .focused = IDC_EDIT0, .shown = "0x41", .counter = "1,5 bytes"},
    {.row = "SHA-384", .data = "12 345", .crc_iv = "", .focused = IDC_EDIT0, .shown = "12 345", .counter = "2,5 bytes"},
    {.row = "SHA-512", .data = "abcde", .crc_iv = "", .focused = IDC_EDIT0, .shown = "abcde", .counter = "2,5 bytes"},
};

TEST_F(DigestRows, RefusedInputs)
{
    for (const RefusedCase& c : refused) {
        w.messages.clear();
        w.focus = w.selected_all = 0;
        choose(c.row);
        run_with(c.data, c.crc_iv);
        ASSERT_EQ(w.messages.size(), 1u) << c.row << " \"" << c.data << "\" \"" << c.crc_iv << "\"";
        EXPECT_EQ(w.messages[0].text, "Invalid field size!");
        EXPECT_EQ(w.messages[0].caption, "Ooops!");
        EXPECT_EQ(w.messages[0].icon, MessageIcon::Error);
        EXPECT_EQ(w.focus, c.focused) << c.row << " \"" << c.data << "\" \"" << c.crc_iv << "\"";
        EXPECT_EQ(w.selected_all, c.focused);
        EXPECT_EQ(w[c.focused].text, c.shown);
        EXPECT_EQ(w[c.focused == IDC_EDIT0 ? field_counter_id[0] : field_counter_id[1]].text, c.counter);
        EXPECT_EQ(output(), "") << c.row;
        EXPECT_EQ(counter(4), "0 bytes");
        EXPECT_TRUE(w[IDC_GO].enabled);
    }
}

TEST_F(DigestRows, RefusedInitialValueLeavesTheDataCleaned)
{
    choose("CRC16");
    run_with("31 32 33", "AB");
    EXPECT_EQ(last_message(), "Invalid field size!");
    EXPECT_EQ(text(0), "313233") << "field 0 was read before the initial value";
    EXPECT_EQ(text(1), "AB");
}

// A row that names the digest operation for an id it does not serve is an internal error.
TEST_F(DigestRows, UnservedOperationIdIsAnInternalError)
{
    choose("XOR");
    type(0, "0102");
    EXPECT_EQ(digest_handler(), 0);
    ASSERT_EQ(w.messages.size(), 1u);
    EXPECT_EQ(w.messages[0].text, "ERROR!");
    EXPECT_EQ(w.messages[0].caption, "Ooops!");
    EXPECT_EQ(w.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(output(), "");
}

TEST_F(DigestRows, TheLargestFieldIsDigestedWhole)
{
    // 1024 bytes typed as 2048 hexadecimal digits: 00 01 ... FF, four times.
    std::string digits;
    std::vector<std::uint8_t> bytes;
    for (int k = 0; k < 1024; ++k)
        bytes.push_back(std::uint8_t(k));
    digits = to_hex(bytes);

    choose("CRC16");
    run_with(digits, "FFFF");
    EXPECT_EQ(counter(0), "1024 bytes");
    std::uint16_t crc = 0xFFFF;
    for (std::uint8_t b : bytes) { // the bit-wise register, independent of the table-driven one
        crc ^= std::uint16_t(b << 8);
        for (int i = 0; i < 8; ++i)
            crc = std::uint16_t(crc & 0x8000 ? (crc << 1) ^ 0x1021 : crc << 1);
    }
    std::uint8_t crc_bytes[2] = {std::uint8_t(crc >> 8), std::uint8_t(crc)};
    EXPECT_EQ(output(), to_hex(crc_bytes));

#ifdef TABRIX_HAVE_OPENSSL
    struct { const char* row; const EVP_MD* (*md)(); } refs[] = {
        {"MD5", EVP_md5}, {"SHA-1", EVP_sha1}, {"SHA-256", EVP_sha256}, {"SHA-384", EVP_sha384}, {"SHA-512", EVP_sha512},
    };
    for (const auto& r : refs) {
        choose(r.row);
        run_with(digits);
        unsigned char md[EVP_MAX_MD_SIZE];
        unsigned int n = 0;
        ASSERT_EQ(EVP_Digest(bytes.data(), bytes.size(), md, &n, r.md(), nullptr), 1);
        EXPECT_EQ(output(), to_hex(std::span(md, n))) << r.row;
    }
#endif
    EXPECT_TRUE(w.messages.empty()) << last_message();
}

} // namespace
