// rows_test.cpp: the block-cipher rows through GO! against published vectors, and their [rev] inverses.
#include <gtest/gtest.h>

#include "tests/symmetric/support.h"

namespace {

constexpr const char* DES_KEY = "0123456789ABCDEF";
constexpr const char* AES128 = "2B7E151628AED2A6ABF7158809CF4F3C";
constexpr const char* TDES_MAC = "Triple-DES MAC (DES / final Triple-DES)";
constexpr const char* FIPS197_PLAIN = "00112233445566778899AABBCCDDEEFF";
constexpr const char* SP800_38A_PLAIN = "6BC1BEE22E409F96E93D7E117393172A AE2D8A571E03AC9C9EB76FAC45AF8E51"
                                        "30C81C46A35CE411E5FBC1191A0A52EF F69F2445DF4F9B17AD2B417BE66C3710";
constexpr const char* SP800_38A_IV = "000102030405060708090A0B0C0D0E0F";
// "Now is the time for all "
constexpr const char* NOW_IS_THE_TIME = "4E6F77206973207468652074696D6520666F7220616C6C20";
constexpr const char* CLEAR_PIN_BLOCK = "041274EDCBA9876F"; // PIN 1234, PAN 4012345678909
constexpr const char* KSN1 = "FFFF9876543210E00001";

struct RowVector { std::string_view row; Mode mode; std::string_view data{}, field1{}, key{}, iv{}, out{}; };

const RowVector ROW_VECTORS[] = {
    // FIPS-197 Appendix C.1 to C.3.
    {.row = "AES", .mode = Mode::Ecb, .data = FIPS197_PLAIN, .key = "000102030405060708090A0B0C0D0E0F",
     .out = "69C4E0D86A7B0430D8CDB78070B4C55A"},
    {.row = "AES", .mode = Mode::Ecb, .data = FIPS197_PLAIN, .key = "000102030405060708090A0B0C0D0E0F1011121314151617",
     .out = "DDA97CA4864CDFE06EAF70A0EC0D7191"},
    {.row = "AES", .mode = Mode::Ecb, .data = FIPS197_PLAIN,
     .key = "000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F", .iv = "00 11 2", // ECB ignores it
     .out = "8EA2B7CA516745BFEAFC49904B496089"},
    // NIST SP 800-38A F.1.1 (ECB-AES128), F.2.1 (CBC-AES128) and its last block as the CBC-MAC.
    {.row = "AES", .mode = Mode::Ecb, .data = SP800_38A_PLAIN, .key = AES128,
     .out = "3AD77BB40D7A3660A89ECAF32466EF97F5D3D58503B9699DE785895A96FDBAAF"
            "43B1CD7F598ECE23881B00E3ED0306887B0C785E27E8AD3F8223207104725DD4"},
    {.row = "AES", .mode = Mode::Cbc, .data = SP800_38A_PLAIN, .key = AES128, .iv = SP800_38A_IV,
     .out = "7649ABAC8119B246CEE98E9B12E9197D5086CB9B507219EE95DB113A917678B2"
            "73BED6B8E3C1743B7116E69E222295163FF1CAA1681FAC09120ECA307586E1A7"},
    {.row = "AES", .mode = Mode::Mac, .data = SP800_38A_PLAIN, .key = AES128, .iv = SP800_38A_IV,
     .out = "3FF1CAA1681FAC09120ECA307586E1A7"},
    // FIPS 81 Appendix B: ECB and CBC (typed loosely).
    {.row = "DES", .mode = Mode::Ecb, .data = NOW_IS_THE_TIME, .key = DES_KEY,
     .out = "3FA40E8A984D48156A271787AB8883F9893D51EC4B563B53"},
    {.row = "DES", .mode = Mode::Cbc, .data = "4e6f7720 69732074 68652074696d6520666f7220616c6c20",
     .key = "01 23 45 67 89 ab cd ef", .iv = "12-34-56-78-90-ab-cd-ef",
     .out = "E5C7CDDE872BF27C43E934008C389C0F683788499A7C05F6"},
    // ISO/IEC 9797-1 Annex B: MAC algorithm 3, padding method 1, over three blocks; over one block it is two-key
    // Triple-DES CBC (openssl value).
    {.row = TDES_MAC, .mode = Mode::Mac, .data = NOW_IS_THE_TIME, .key = BDK, .out = "A1C72E74EA3FA9B6"},
    {.row = TDES_MAC, .mode = Mode::Mac, .data = "4E6F772069732074", .key = BDK, .iv = "1234567890ABCDEF",
     .out = "F85D4AB92066789E"},
    // CBC-MAC with ISO/IEC 9797-1 padding method 2 (values from the openssl command line).
    {.row = "DES", .mode = Mode::MacPadded, .data = "", .key = DES_KEY, .out = "CAEE534C523E1E79"},
    {.row = "DES", .mode = Mode::MacPadded, .data = NOW_IS_THE_TIME, .key = DES_KEY, .out = "10E1F0F108341B6D"},
    // Empty data gives empty output and no message.
    {.row = "DES", .mode = Mode::Mac, .data = "", .key = DES_KEY, .out = ""},
    // NIST SP 800-67 Rev. 1 Appendix B, three keys; its K1 and K2 as a two-key key (openssl value).
    {.row = "Triple-DES/K24", .mode = Mode::Ecb, .data = "5468652071756663 6B2062726F776E20 666F78206A756D70",
     .key = "0123456789ABCDEF 23456789ABCDEF01 456789ABCDEF0123",
     .out = "A826FD8CE53B855FCCE21C8112256FE668D5C05DD9B6B900"},
    {.row = "Triple-DES", .mode = Mode::Ecb, .data = "5468652071756663 6B2062726F776E20 666F78206A756D70",
     .key = "0123456789ABCDEF23456789ABCDEF01", .out = "C44862F70CF2FBDC9077D0909FA91B884CABD61FC58E0CBB"},
    // MK/WK: FEDCBA9876543210 encrypted under DES_KEY is 12C626AF058B433B, and 89ABCDEF0123456776543210FEDCBA98
    // under BDK is 4230EF1CB268495597F4494DD23D8A72; outputs are plain DES / Triple-DES under those working keys.
    {.row = "MK/WK DES", .mode = Mode::Ecb, .data = NOW_IS_THE_TIME, .field1 = "12C626AF058B433B", .key = DES_KEY,
     .out = "B0E92E60354E24C442F3E4B24799A9D16A1A056FD0998E73"},
    {.row = "MK/WK Triple-DES", .mode = Mode::Cbc, .data = NOW_IS_THE_TIME,
     .field1 = "4230EF1CB268495597F4494DD23D8A72", .key = BDK, .iv = "0011223344556677",
     .out = "B05CD6C1A06CEC20B89FD8EA71C0939D9EC829CC5A99C4AD"},
    // ANSI X9.24-1-2009 Annex A: encrypted PIN blocks (double and 1999 single length) and the data example of
    // counter 2 (Triple-DES CBC, zero Initial Value, data request key).
    {.row = "DUKPT Triple-DES PIN", .mode = Mode::Ecb, .data = CLEAR_PIN_BLOCK, .field1 = KSN1, .key = BDK,
     .out = "1B9C1845EB993A7A"},
    {.row = "DUKPT DES PIN", .mode = Mode::Ecb, .data = CLEAR_PIN_BLOCK, .field1 = KSN1, .key = BDK,
     .out = "6B1431D0D9B23093"},
    {.row = "DUKPT Triple-DES Data req/both", .mode = Mode::Cbc,
     .data = "343031323334353637383930394439383700000000000000", .field1 = "FFFF9876543210E00002", .key = BDK,
     .out = "A2B4E70F846E63D68775B7215EB4563DFD3037244C61CC13"},
    // Counter 1 data response key (see dukpt_test.cpp), openssl value.
    {.row = "DUKPT Triple-DES Data resp", .mode = Mode::Cbc, .data = "041274EDCBA9876F041274EDCBA9876F",
     .field1 = KSN1, .key = BDK, .out = "38461EE0C3044FD2C61841360858B161"},
};

// The row's [rev] partner must turn .out back into .data, and in the other mode invert the row too.
TEST_F(SymmetricRows, PublishedVectorsThroughTheRows) {
    for (const auto& v : ROW_VECTORS) {
        EXPECT_EQ(run_row(v.row, v.mode, v.data, v.field1, v.key, v.iv), clean_hex(v.out))
            << v.row << " in " << mode_name(v.mode) << ", key " << v.key;
        EXPECT_EQ(last_message(), "") << v.row;
        if (v.mode != Mode::Ecb && v.mode != Mode::Cbc)
            continue;
        const std::string reverse = std::string(v.row) + " [rev]", what = reverse + ", key " + std::string(v.key) + " ";
        EXPECT_EQ(run_row(reverse, v.mode, v.out, v.field1, v.key, v.iv), clean_hex(v.data)) << what;
        const Mode other = v.mode == Mode::Ecb ? Mode::Cbc : Mode::Ecb;
        const std::string iv = v.row.starts_with("AES") ? "A0A1A2A3A4A5A6A7A8A9AAABACADAEAF" : "F0E1D2C3B4A59687";
        const std::string cipher = run_row(v.row, other, v.data, v.field1, v.key, iv);
        EXPECT_TRUE(v.data.empty() || cipher != clean_hex(v.data)) << v.row << " in " << mode_name(other);
        EXPECT_EQ(run_row(reverse, other, cipher, v.field1, v.key, iv), clean_hex(v.data)) << what << mode_name(other);
    }
}

// "Use IPEK" with the IPEK of the KSN (ANSI X9.24-1-2009 Annex A) gives what the BDK gives, from counter 0
// to counter 0x1FFFFF.
TEST_F(SymmetricRows, UseIpekGivesTheSameOutputsAsTheBdk) {
    for (const char* ksn : {"FFFF9876543210E00000", "ffff 9876 5432 10e0 0003", "FFFF9876543210FFFFFF"}) {
        choose("DUKPT Triple-DES IPEK derivation");
        run_with(ksn, "", BDK);
        const std::string ipek = output();
        ASSERT_EQ(ipek, "6AC292FAA1315B4D858AB3A3D7D5933A") << "KSN " << ksn;
        for (const char* name : {"PIN [rev]", "Data req/both", "Data resp [rev]", "MAC req/both", "MAC resp"}) {
            const std::string row = std::string("DUKPT Triple-DES ") + name;
            const Mode mode = row.find("MAC") != std::string::npos ? Mode::Mac : Mode::Cbc;
            const std::string from_bdk = run_row(row, mode, NOW_IS_THE_TIME, ksn, BDK, "0102030405060708");
            EXPECT_EQ(run_row(row, mode, NOW_IS_THE_TIME, ksn, ipek, "0102030405060708", true), from_bdk)
                << row << " KSN " << ksn;
            EXPECT_EQ(from_bdk.size(), mode == Mode::Mac ? 16u : 48u) << row;
        }
    }
}

} // namespace
