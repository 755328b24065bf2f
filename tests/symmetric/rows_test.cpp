// rows_test.cpp: the symmetric and PIN rows through GO!, against published vectors and their inverses.
#include <gtest/gtest.h>

#include "tests/symmetric/hex.h"
#include "tests/symmetric/row_driver.h"

namespace {

constexpr const char* SP800_38A_PLAIN = "6BC1BEE22E409F96E93D7E117393172A AE2D8A571E03AC9C9EB76FAC45AF8E51"
                                        "30C81C46A35CE411E5FBC1191A0A52EF F69F2445DF4F9B17AD2B417BE66C3710";
constexpr const char* AES128_KEY = "2B7E151628AED2A6ABF7158809CF4F3C";
constexpr const char* SP800_38A_IV = "000102030405060708090A0B0C0D0E0F";
constexpr const char* NOW_IS_THE_TIME = "4E6F77206973207468652074696D6520666F7220616C6C20"; // "Now is the time for all "
constexpr const char* BDK = "0123456789ABCDEFFEDCBA9876543210";
constexpr const char* CLEAR_PIN_BLOCK = "041274EDCBA9876F";

struct RowVector {
    const char* row;
    Mode mode;
    const char* data;
    const char* field1;
    const char* key;
    const char* iv;
    const char* out;
};

const RowVector ROW_VECTORS[] = {
    // NIST SP 800-38A F.1.1, F.1.2, F.1.5, F.1.6: ECB-AES128 and ECB-AES256.
    {.row = "AES", .mode = Mode::Ecb, .data = SP800_38A_PLAIN, .field1 = "", .key = AES128_KEY, .iv = "",
     .out = "3AD77BB40D7A3660A89ECAF32466EF97F5D3D58503B9699DE785895A96FDBAAF"
            "43B1CD7F598ECE23881B00E3ED0306887B0C785E27E8AD3F8223207104725DD4"},
    {.row = "AES [rev]", .mode = Mode::Ecb,
     .data = "3AD77BB40D7A3660A89ECAF32466EF97F5D3D58503B9699DE785895A96FDBAAF"
             "43B1CD7F598ECE23881B00E3ED0306887B0C785E27E8AD3F8223207104725DD4",
     .field1 = "", .key = AES128_KEY, .iv = "", .out = SP800_38A_PLAIN},
    {.row = "AES", .mode = Mode::Ecb, .data = SP800_38A_PLAIN, .field1 = "",
     .key = "603DEB1015CA71BE2B73AEF0857D77811F352C073B6108D72D9810A30914DFF4", .iv = "",
     .out = "F3EED1BDB5D2A03C064B5A7E3DB181F8591CCB10D410ED26DC5BA74A31362870"
            "B6ED21B99CA6F4F9F153E7B1BEAFED1D23304B7A39F9F3FF067D8D8F9E24ECC7"},
    // NIST SP 800-38A F.2.1 to F.2.4: CBC-AES128 and CBC-AES192.
    {.row = "AES", .mode = Mode::Cbc, .data = SP800_38A_PLAIN, .field1 = "", .key = AES128_KEY,
     .iv = SP800_38A_IV,
     .out = "7649ABAC8119B246CEE98E9B12E9197D5086CB9B507219EE95DB113A917678B2"
            "73BED6B8E3C1743B7116E69E222295163FF1CAA1681FAC09120ECA307586E1A7"},
    {.row = "AES [rev]", .mode = Mode::Cbc,
     .data = "7649ABAC8119B246CEE98E9B12E9197D5086CB9B507219EE95DB113A917678B2"
             "73BED6B8E3C1743B7116E69E222295163FF1CAA1681FAC09120ECA307586E1A7",
     .field1 = "", .key = AES128_KEY, .iv = SP800_38A_IV, .out = SP800_38A_PLAIN},
    {.row = "AES", .mode = Mode::Cbc, .data = SP800_38A_PLAIN, .field1 = "",
     .key = "8E73B0F7DA0E6452C810F32B809079E562F8EAD2522C6B7B", .iv = SP800_38A_IV,
     .out = "4F021DB243BC633D7178183A9FA071E8B4D9ADA9AD7DEDF4E5E738763F69145A"
            "571B242012FB7AE07FA9BAAC3DF102E008B0E27988598881D920A9E64F5615CD"},
    // CBC-MAC: the last block of F.2.1.
    {.row = "AES", .mode = Mode::Mac, .data = SP800_38A_PLAIN, .field1 = "", .key = AES128_KEY,
     .iv = SP800_38A_IV, .out = "3FF1CAA1681FAC09120ECA307586E1A7"},
    // FIPS 81 Appendix B, ECB and CBC examples, and the CBC-MAC that is the last CBC block.
    {.row = "DES", .mode = Mode::Ecb, .data = NOW_IS_THE_TIME, .field1 = "", .key = "0123456789ABCDEF", .iv = "",
     .out = "3FA40E8A984D48156A271787AB8883F9893D51EC4B563B53"},
    {.row = "DES", .mode = Mode::Cbc, .data = NOW_IS_THE_TIME, .field1 = "", .key = "0123456789ABCDEF",
     .iv = "1234567890ABCDEF", .out = "E5C7CDDE872BF27C43E934008C389C0F683788499A7C05F6"},
    {.row = "DES [rev]", .mode = Mode::Cbc, .data = "E5C7CDDE872BF27C43E934008C389C0F683788499A7C05F6",
     .field1 = "", .key = "0123456789ABCDEF", .iv = "1234567890ABCDEF", .out = NOW_IS_THE_TIME},
    {.row = "DES", .mode = Mode::Mac, .data = NOW_IS_THE_TIME, .field1 = "", .key = "0123456789ABCDEF",
     .iv = "1234567890ABCDEF", .out = "683788499A7C05F6"},
    // NIST SP 800-67 Rev. 1 Appendix B: three-key TDEA.
    {.row = "Triple-DES/K24", .mode = Mode::Ecb, .data = "5468652071756663 6B2062726F776E20 666F78206A756D70",
     .field1 = "", .key = "0123456789ABCDEF 23456789ABCDEF01 456789ABCDEF0123", .iv = "",
     .out = "A826FD8CE53B855FCCE21C8112256FE668D5C05DD9B6B900"},
    {.row = "Triple-DES/K24 [rev]", .mode = Mode::Ecb, .data = "A826FD8CE53B855FCCE21C8112256FE668D5C05DD9B6B900",
     .field1 = "", .key = "0123456789ABCDEF 23456789ABCDEF01 456789ABCDEF0123", .iv = "",
     .out = "54686520717566636B2062726F776E20666F78206A756D70"},
    // ANSI X9.24-1-2009 Annex A: encrypted PIN blocks, double-length keys.
    {.row = "DUKPT Triple-DES PIN", .mode = Mode::Ecb, .data = CLEAR_PIN_BLOCK, .field1 = "FFFF9876543210E00001",
     .key = BDK, .iv = "", .out = "1B9C1845EB993A7A"},
    {.row = "DUKPT Triple-DES PIN", .mode = Mode::Ecb, .data = CLEAR_PIN_BLOCK, .field1 = "FFFF9876543210E00005",
     .key = BDK, .iv = "", .out = "5BC0AF22AD87B327"},
    {.row = "DUKPT Triple-DES PIN", .mode = Mode::Ecb, .data = CLEAR_PIN_BLOCK, .field1 = "FFFF9876543210EFF800",
     .key = BDK, .iv = "", .out = "33365F5CC6F23C35"},
    {.row = "DUKPT Triple-DES PIN", .mode = Mode::Ecb, .data = CLEAR_PIN_BLOCK, .field1 = "FFFF9876543210F00000",
     .key = BDK, .iv = "", .out = "73EC88AD0AC5830E"},
    {.row = "DUKPT Triple-DES PIN [rev]", .mode = Mode::Ecb, .data = "1B9C1845EB993A7A",
     .field1 = "FFFF9876543210E00001", .key = BDK, .iv = "", .out = CLEAR_PIN_BLOCK},
    // ANSI X9.24-1999 style single-length keys, whitened transform.
    {.row = "DUKPT DES PIN", .mode = Mode::Ecb, .data = CLEAR_PIN_BLOCK, .field1 = "FFFF9876543210E00001",
     .key = BDK, .iv = "", .out = "6B1431D0D9B23093"},
    {.row = "DUKPT DES PIN", .mode = Mode::Ecb, .data = CLEAR_PIN_BLOCK, .field1 = "FFFF9876543210E00005",
     .key = BDK, .iv = "", .out = "C799F1C4E638BAD4"},
    {.row = "DUKPT DES PIN [rev]", .mode = Mode::Ecb, .data = "6B1431D0D9B23093", .field1 = "FFFF9876543210E00001",
     .key = BDK, .iv = "", .out = CLEAR_PIN_BLOCK},
    // Annex A data example, counter 2: Triple-DES CBC, zero Initial Value, under the data request key.
    {.row = "DUKPT Triple-DES Data req/both", .mode = Mode::Cbc,
     .data = "343031323334353637383930394439383700000000000000", .field1 = "FFFF9876543210E00002", .key = BDK,
     .iv = "", .out = "A2B4E70F846E63D68775B7215EB4563DFD3037244C61CC13"},
    {.row = "DUKPT Triple-DES Data req/both [rev]", .mode = Mode::Cbc,
     .data = "A2B4E70F846E63D68775B7215EB4563DFD3037244C61CC13", .field1 = "FFFF9876543210E00002", .key = BDK,
     .iv = "0000000000000000", .out = "343031323334353637383930394439383700000000000000"},
};

TEST_F(SymmetricRows, PublishedVectorsThroughTheRows) {
    for (const auto& v : ROW_VECTORS) {
        EXPECT_EQ(run_row(v.row, v.mode, v.data, v.field1, v.key, v.iv), clean_hex(v.out))
            << v.row << " in " << mode_name(v.mode) << ", key " << v.key;
        EXPECT_TRUE(w.messages.empty()) << v.row << ": " << last_message();
    }
}

struct RoundTrip {
    const char* forward;
    const char* reverse;
    const char* field1;
    const char* key;
    int block;
};

const RoundTrip ROUND_TRIPS[] = {
    {.forward = "AES", .reverse = "AES [rev]", .field1 = "", .key = "000102030405060708090A0B0C0D0E0F", .block = 16},
    {.forward = "AES", .reverse = "AES [rev]", .field1 = "",
     .key = "000102030405060708090A0B0C0D0E0F1011121314151617", .block = 16},
    {.forward = "AES", .reverse = "AES [rev]", .field1 = "",
     .key = "000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F", .block = 16},
    {.forward = "DES", .reverse = "DES [rev]", .field1 = "", .key = "0123456789ABCDEF", .block = 8},
    {.forward = "Triple-DES", .reverse = "Triple-DES [rev]", .field1 = "", .key = BDK, .block = 8},
    {.forward = "Triple-DES/K24", .reverse = "Triple-DES/K24 [rev]", .field1 = "",
     .key = "0123456789ABCDEF23456789ABCDEF01456789ABCDEF0123", .block = 8},
    {.forward = "MK/WK DES", .reverse = "MK/WK DES [rev]", .field1 = "12C626AF058B433B", .key = "0123456789ABCDEF",
     .block = 8},
    {.forward = "MK/WK Triple-DES", .reverse = "MK/WK Triple-DES [rev]", .field1 = "4230EF1CB268495597F4494DD23D8A72",
     .key = BDK, .block = 8},
    {.forward = "DUKPT DES PIN", .reverse = "DUKPT DES PIN [rev]", .field1 = "FFFF9876543210E00007", .key = BDK,
     .block = 8},
    {.forward = "DUKPT Triple-DES PIN", .reverse = "DUKPT Triple-DES PIN [rev]", .field1 = "FFFF9876543210E00007",
     .key = BDK, .block = 8},
    {.forward = "DUKPT Triple-DES Data req/both", .reverse = "DUKPT Triple-DES Data req/both [rev]",
     .field1 = "FFFF9876543210E00007", .key = BDK, .block = 8},
    {.forward = "DUKPT Triple-DES Data resp", .reverse = "DUKPT Triple-DES Data resp [rev]",
     .field1 = "FFFF9876543210E00007", .key = BDK, .block = 8},
};

// Every [rev] row inverts its forward row in ECB and CBC, with the same key and Initial Value.
TEST_F(SymmetricRows, EveryReverseRowInvertsItsForwardRow) {
    const std::string data = clean_hex("00112233445566778899AABBCCDDEEFF0123456789ABCDEFFEDCBA9876543210"
                                       "0F1E2D3C4B5A69788796A5B4C3D2E1F0");
    for (const auto& t : ROUND_TRIPS) {
        for (Mode mode : {Mode::Ecb, Mode::Cbc}) {
            const std::string iv = t.block == 16 ? "A0A1A2A3A4A5A6A7A8A9AAABACADAEAF" : "F0E1D2C3B4A59687";
            const std::string cipher = run_row(t.forward, mode, data, t.field1, t.key, iv);
            EXPECT_EQ(cipher.size(), data.size()) << t.forward << " in " << mode_name(mode);
            EXPECT_NE(cipher, data) << t.forward;
            EXPECT_EQ(run_row(t.reverse, mode, cipher, t.field1, t.key, iv), data)
                << t.reverse << " in " << mode_name(mode) << ", key " << t.key;
        }
    }
}

struct SameResult {
    const char* row_a;
    const char* key_a;
    const char* field1_a;
    const char* row_b;
    const char* key_b;
    const char* field1_b;
};

// Pairs of rows that must agree in every mode they share.
const SameResult SAME_RESULTS[] = {
    // Triple-DES with K1 = K2, and three-key with K1 = K2 = K3, are single DES.
    {.row_a = "Triple-DES", .key_a = "0123456789ABCDEF0123456789ABCDEF", .field1_a = "", .row_b = "DES",
     .key_b = "0123456789ABCDEF", .field1_b = ""},
    {.row_a = "Triple-DES/K24", .key_a = "0123456789ABCDEF0123456789ABCDEF0123456789ABCDEF", .field1_a = "",
     .row_b = "DES", .key_b = "0123456789ABCDEF", .field1_b = ""},
    {.row_a = "Triple-DES [rev]", .key_a = "0123456789ABCDEF0123456789ABCDEF", .field1_a = "",
     .row_b = "DES [rev]", .key_b = "0123456789ABCDEF", .field1_b = ""},
    // MK/WK with the working key FEDCBA9876543210 encrypted under the master key, and the plain row with it.
    {.row_a = "MK/WK DES", .key_a = "0123456789ABCDEF", .field1_a = "12C626AF058B433B", .row_b = "DES",
     .key_b = "FEDCBA9876543210", .field1_b = ""},
    {.row_a = "MK/WK DES [rev]", .key_a = "0123456789ABCDEF", .field1_a = "12C626AF058B433B", .row_b = "DES [rev]",
     .key_b = "FEDCBA9876543210", .field1_b = ""},
    {.row_a = "MK/WK Triple-DES", .key_a = BDK, .field1_a = "4230EF1CB268495597F4494DD23D8A72", .row_b = "Triple-DES",
     .key_b = "89ABCDEF0123456776543210FEDCBA98", .field1_b = ""},
    {.row_a = "MK/WK Triple-DES [rev]", .key_a = BDK, .field1_a = "4230EF1CB268495597F4494DD23D8A72",
     .row_b = "Triple-DES [rev]", .key_b = "89ABCDEF0123456776543210FEDCBA98", .field1_b = ""},
};

TEST_F(SymmetricRows, RowsThatMustAgree) {
    const std::string data = NOW_IS_THE_TIME;
    for (const auto& s : SAME_RESULTS) {
        for (Mode mode : {Mode::Ecb, Mode::Cbc, Mode::Mac}) {
            if (mode == Mode::Mac && std::string_view(s.row_a).find("[rev]") != std::string_view::npos)
                continue;
            const std::string a = run_row(s.row_a, mode, data, s.field1_a, s.key_a, "0011223344556677");
            const std::string b = run_row(s.row_b, mode, data, s.field1_b, s.key_b, "0011223344556677");
            EXPECT_EQ(a, b) << s.row_a << " / " << s.row_b << " in " << mode_name(mode);
            EXPECT_FALSE(a.empty()) << s.row_a;
        }
    }
}

// "Use IPEK" with the IPEK of the same KSN gives what the BDK gives, in every Triple-DES DUKPT row.
TEST_F(SymmetricRows, UseIpekGivesTheSameOutputsAsTheBdk) {
    const char* rows[] = {"DUKPT Triple-DES PIN",           "DUKPT Triple-DES PIN [rev]",
                          "DUKPT Triple-DES Data req/both", "DUKPT Triple-DES Data req/both [rev]",
                          "DUKPT Triple-DES Data resp",     "DUKPT Triple-DES Data resp [rev]",
                          "DUKPT Triple-DES MAC req/both",  "DUKPT Triple-DES MAC resp"};
    const std::string data = NOW_IS_THE_TIME;
    for (const char* ksn : {"FFFF9876543210E00000", "FFFF9876543210E00003", "FFFF9876543210FFFFFF"}) {
        choose("DUKPT Triple-DES IPEK derivation");
        run_with(ksn, "", BDK);
        const std::string ipek = output();
        ASSERT_EQ(ipek, "6AC292FAA1315B4D858AB3A3D7D5933A") << "KSN " << ksn;
        for (const char* row : rows) {
            const bool mac_only = std::string_view(row).find("MAC") != std::string_view::npos;
            const Mode mode = mac_only ? Mode::Mac : Mode::Cbc;
            const std::string from_bdk = run_row(row, mode, data, ksn, BDK, "0102030405060708");
            const std::string from_ipek = run_row(row, mode, data, ksn, ipek, "0102030405060708", true);
            EXPECT_EQ(from_ipek, from_bdk) << row << " KSN " << ksn;
            EXPECT_FALSE(from_bdk.empty()) << row;
        }
    }
}

// ISO/IEC 9797-1 MAC algorithm 3 over one block is two-key Triple-DES CBC of that block.
TEST_F(SymmetricRows, MacAlgorithm3OverOneBlockIsTripleDesCbc) {
    for (const char* iv : {"", "1234567890ABCDEF"}) {
        const std::string mac = run_row("Triple-DES MAC (DES / final Triple-DES)", Mode::Mac, "4E6F772069732074",
                                        "", BDK, iv);
        EXPECT_EQ(mac, run_row("Triple-DES", Mode::Cbc, "4E6F772069732074", "", BDK, iv)) << "IV " << iv;
    }
}

struct MacShape {
    const char* row;
    Mode mode;
    const char* data;
    const char* key;
    const char* same_as_row; // the row and mode whose output this must equal, over same_as_data
    Mode same_as_mode;
    const char* same_as_data;
};

// Padding and the last-block rule of MAC mode.
const MacShape MAC_SHAPES[] = {
    // Empty data with padding is the MAC of the single block 80 00 .. 00.
    {.row = "DES", .mode = Mode::MacPadded, .data = "", .key = "0123456789ABCDEF", .same_as_row = "DES",
     .same_as_mode = Mode::Ecb, .same_as_data = "8000000000000000"},
    {.row = "AES", .mode = Mode::MacPadded, .data = "", .key = AES128_KEY, .same_as_row = "AES",
     .same_as_mode = Mode::Ecb, .same_as_data = "80000000000000000000000000000000"},
    // 16 bytes with padding are processed as 24.
    {.row = "DES", .mode = Mode::MacPadded, .data = "4E6F77206973207468652074696D6520", .key = "0123456789ABCDEF",
     .same_as_row = "DES", .same_as_mode = Mode::Mac, .same_as_data = "4E6F77206973207468652074696D65208000000000000000"},
    // Partial blocks are completed with 80 00 ..
    {.row = "Triple-DES MAC (DES / final Triple-DES)", .mode = Mode::MacPadded, .data = "4E6F7720697320746865",
     .key = BDK, .same_as_row = "Triple-DES MAC (DES / final Triple-DES)", .same_as_mode = Mode::Mac,
     .same_as_data = "4E6F772069732074686580000000 0000"},
    {.row = "DUKPT DES MAC", .mode = Mode::MacPadded, .data = "41424344", .key = BDK,
     .same_as_row = "DUKPT DES MAC", .same_as_mode = Mode::Mac, .same_as_data = "4142434480000000"},
    // A single block in MAC mode is the chained transform of that block.
    {.row = "AES", .mode = Mode::Mac, .data = "6BC1BEE22E409F96E93D7E117393172A", .key = AES128_KEY,
     .same_as_row = "AES", .same_as_mode = Mode::Cbc, .same_as_data = "6BC1BEE22E409F96E93D7E117393172A"},
};

TEST_F(SymmetricRows, MacPaddingAndLastBlock) {
    for (const auto& m : MAC_SHAPES) {
        const std::string field1 = std::string_view(m.row).find("DUKPT") == 0 ? "FFFF9876543210E00001" : "";
        const std::string mac = run_row(m.row, m.mode, m.data, field1, m.key, "");
        const std::string expected = run_row(m.same_as_row, m.same_as_mode, m.same_as_data, field1, m.key, "");
        EXPECT_EQ(mac, expected) << m.row << " over '" << m.data << "'";
        EXPECT_EQ(mac.size(), std::string_view(m.row) == "AES" ? 32u : 16u) << m.row;
    }
}

// Empty data runs without a message and shows nothing, unless padding makes a block of it.
TEST_F(SymmetricRows, EmptyDataGivesEmptyOutput) {
    for (Mode mode : {Mode::Ecb, Mode::Cbc, Mode::Mac}) {
        choose("DES");
        select_mode(mode == Mode::Ecb ? IDC_RADIO_ECB : mode == Mode::Cbc ? IDC_RADIO_CBC : IDC_RADIO_MAC);
        // GO! is disabled while field 0 is empty; its command still reaches the handler.
        type(0, "");
        type(2, "0123456789ABCDEF");
        controller_command(IDC_GO, 0);
        controller_timer(RUN_TIMER_ID);
        EXPECT_EQ(output(), "") << mode_name(mode);
        EXPECT_EQ(counter(4), "0 bytes");
        EXPECT_TRUE(w.messages.empty()) << last_message();
    }
}

// An empty Initial Value is a zero block; in ECB the Initial Value is never read.
TEST_F(SymmetricRows, InitialValueDefaults) {
    EXPECT_EQ(run_row("AES", Mode::Cbc, SP800_38A_PLAIN, "", AES128_KEY, ""),
              run_row("AES", Mode::Cbc, SP800_38A_PLAIN, "", AES128_KEY, "00000000000000000000000000000000"));
    EXPECT_EQ(run_row("Triple-DES", Mode::Cbc, NOW_IS_THE_TIME, "", BDK, ""),
              run_row("Triple-DES", Mode::Cbc, NOW_IS_THE_TIME, "", BDK, "0000000000000000"));
    const std::string without_iv = run_row("AES", Mode::Ecb, SP800_38A_PLAIN, "", AES128_KEY, "");
    EXPECT_EQ(run_row("AES", Mode::Ecb, SP800_38A_PLAIN, "", AES128_KEY, "00 11 2"), without_iv);
    EXPECT_TRUE(w.messages.empty()) << last_message();
    EXPECT_EQ(text(3), "00 11 2") << "ECB never reads the Initial Value";
}

// A run rewrites the fields it read in cleaned upper-case form.
TEST_F(SymmetricRows, ReadFieldsAreShownCleaned) {
    run_row("DES", Mode::Cbc, "4e 6f 77 20 69 73 20 74", "", "01 23 45 67 89 ab cd ef", "12-34-56-78-90-ab-cd-ef");
    EXPECT_EQ(text(0), "4E6F772069732074");
    EXPECT_EQ(text(2), "0123456789ABCDEF");
    EXPECT_EQ(text(3), "1234567890ABCDEF");
    EXPECT_EQ(output(), "E5C7CDDE872BF27C");
}

// ASCII input is taken character by character.
TEST_F(SymmetricRows, AsciiData) {
    choose("DES");
    select_mode(IDC_RADIO_ECB);
    set_ascii(0, true);
    run_with("Now is t", "", "0123456789ABCDEF");
    EXPECT_EQ(output(), "3FA40E8A984D4815");
}

} // namespace
