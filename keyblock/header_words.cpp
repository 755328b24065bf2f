// header_words.cpp: the names of the header's codes (TR-31:2018 tables 6 to 9, ANSI X9.143:2021 6.3),
// and the header written out with them.
#include "keyblock/header_words.h"


namespace {

struct CodeName {
    std::string_view code;
    std::string_view name;
};

constexpr CodeName VERSIONS[] = {
    {"A", "key variant binding"},
    {"B", "Triple-DES key derivation binding"},
    {"C", "key variant binding"},
    {"D", "AES key derivation binding"},
};

constexpr CodeName KEY_USAGES[] = {
    {"B0", "BDK base derivation key"},
    {"B1", "initial DUKPT key"},
    {"B2", "base key variant key"},
    {"C0", "card verification key"},
    {"D0", "symmetric data encryption"},
    {"D1", "asymmetric data encryption"},
    {"D2", "decimalization table encryption"},
    {"E0", "EMV application cryptograms"},
    {"E1", "EMV secure messaging, confidentiality"},
    {"E2", "EMV secure messaging, integrity"},
    {"E3", "EMV data authentication code"},
    {"E4", "EMV dynamic numbers"},
    {"E5", "EMV card personalization"},
    {"E6", "EMV other"},
    {"I0", "initialization vector"},
    {"K0", "key encryption or wrapping"},
    {"K1", "key block protection key"},
    {"K2", "TR-34 asymmetric key"},
    {"K3", "asymmetric key agreement or wrapping"},
    {"M0", "ISO 16609 MAC algorithm 1"},
    {"M1", "ISO 9797-1 MAC algorithm 1"},
    {"M2", "ISO 9797-1 MAC algorithm 2"},
    {"M3", "ISO 9797-1 MAC algorithm 3"},
    {"M4", "ISO 9797-1 MAC algorithm 4"},
    {"M5", "ISO 9797-1 MAC algorithm 5"},
    {"M6", "ISO 9797-1 MAC algorithm 5 / CMAC"},
    {"M7", "HMAC"},
    {"M8", "ISO 9797-1 MAC algorithm 6"},
    {"P0", "PIN encryption"},
    {"S0", "asymmetric signature key"},
    {"S1", "asymmetric CA key"},
    {"S2", "asymmetric key, not X9.24"},
    {"V0", "PIN verification, other"},
    {"V1", "PIN verification, IBM 3624"},
    {"V2", "PIN verification, Visa PVV"},
    {"V3", "PIN verification, X9.132 algorithm 1"},
    {"V4", "PIN verification, X9.132 algorithm 2"},
};

constexpr CodeName ALGORITHMS[] = {
    {"A", "AES"}, {"D", "DES"}, {"E", "elliptic curve"}, {"H", "HMAC"},
    {"R", "RSA"}, {"S", "DSA"}, {"T", "Triple-DES"},
};

constexpr CodeName MODES[] = {
    {"B", "encrypt and decrypt"}, {"C", "generate and verify"}, {"D", "decrypt only"},
    {"E", "encrypt only"},        {"G", "generate only"},       {"N", "no special restrictions"},
    {"S", "sign only"},           {"T", "sign and decrypt"},    {"V", "verify only"},
    {"X", "derives other keys"},  {"Y", "creates key variants"},
};

constexpr CodeName EXPORTABILITY[] = {
    {"E", "exportable under a trusted key"},
    {"N", "not exportable"},
    {"S", "sensitive, exportable under an untrusted key"},
};

constexpr CodeName KEY_CONTEXTS[] = {
    {"0", "by the wrapping key"},
    {"1", "storage only"},
    {"2", "exchange only"},
};

template <std::size_t N>
void append_code(std::string& out, std::string_view title, std::string_view code, const CodeName (&names)[N])
{
    out.append(" | ").append(title).append(" ").append(code);
    for (const CodeName& entry : names)
        if (entry.code == code)
            out.append(" (").append(entry.name).append(")");
}

} // namespace

std::string header_in_words(const KeyBlockHeader& header)
{
    std::string out = "Version ";
    out.append(header.fixed.substr(0, 1));
    for (const CodeName& entry : VERSIONS)
        if (entry.code == header.fixed.substr(0, 1))
            out.append(" (").append(entry.name).append(")");
    out.append(" | Length ").append(header_field(header, FIELD_LENGTH));
    append_code(out, "Usage", header_field(header, FIELD_USAGE), KEY_USAGES);
    append_code(out, "Algorithm", header_field(header, FIELD_ALGORITHM), ALGORITHMS);
    append_code(out, "Mode", header_field(header, FIELD_MODE), MODES);
    out.append(" | Key version ").append(header_field(header, FIELD_KEY_VERSION));
    append_code(out, "Exportability", header_field(header, FIELD_EXPORTABILITY), EXPORTABILITY);
    append_code(out, "Key context", header_field(header, FIELD_KEY_CONTEXT), KEY_CONTEXTS);
    out.append(" | Reserved ").append(header_field(header, FIELD_RESERVED));
    out.append(" | Optional blocks ").append(header_field(header, FIELD_OPTIONAL_COUNT));
    for (int i = 0; i < header.optional_count; ++i) {
        const OptionalBlock& block = header.optional[static_cast<std::size_t>(i)];
        out.append(" | ").append(block.id).append(": ").append(block.data);
    }
    return out;
}
