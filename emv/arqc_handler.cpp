// arqc_handler.cpp: the row "EMV ARQC check (from TLV)": the cryptogram of DE55 recomputed under the
// IMK by the version its IAD names (or the one picked), compared with 9F26; on a mismatch, every
// variant that reproduces 9F26. With an ARC, or a CSU, also the ARPC by the version's method.
#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "core/field.h"
#include "core/messages.h"
#include "emv/arpc.h"
#include "emv/arqc_data.h"
#include "emv/arqc_variants.h"
#include "emv/fields.h"
#include "emv/handlers.h"
#include "emv/iad.h"
#include "emv/rows.h"
#include "emv/text.h"
#include "emv/tlv_messages.h"

namespace {

// The CVN a user may type for each of CRYPTOGRAM_VERSIONS, in its order, and its ARPC: method 1 or 2,
// under the session key or the ICC master key.
struct VersionChoice {
    const char* cvn;
    int arpc_method;
    bool arpc_session_key;
};
constexpr std::array<VersionChoice, CRYPTOGRAM_VERSIONS.size()> VERSIONS = {{
    {"10", 1, false}, {"18", 2, true}, {"22", 2, true}, {"16", 1, false}, {"17", 1, false},
    {"20", 1, true}, {"21", 1, true}, {"133", 1, true}, {"5", 2, true},
}};

constexpr std::string_view MSG_NO_PAN = "No PAN: type it, or send tag 5A!";
constexpr std::string_view MSG_VERSION = "Unknown cryptogram version!";
constexpr std::string_view MSG_OPTION = "Option A or B!";
constexpr std::string_view MSG_ARC_AND_CSU = "ARC or CSU, not both!";
constexpr std::string_view MSG_WANTS_ARC = "This version's ARPC takes an ARC!";
constexpr std::string_view MSG_WANTS_CSU = "This version's ARPC takes a CSU!";
constexpr std::string_view MSG_PROPRIETARY_ALONE = "Proprietary data goes with a CSU!";
constexpr std::string_view MSG_ARPC_VERSION = "The ARPC needs a known cryptogram version!";

std::vector<std::uint8_t> from_hex(std::string_view text)
{
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2)
        out.push_back(static_cast<std::uint8_t>(hex_value(text[i]) << 4 | hex_value(text[i + 1])));
    return out;
}

std::string key_line(const char* title, std::span<const std::uint8_t, 16> key)
{
    std::array<std::uint8_t, 3> kcv;
    key_check_value(key, kcv);
    return std::string(title) + hex(key) + " (KCV " + hex(kcv) + ")";
}

// The version the user picked, the one the IAD names, or -1; false after refusing a typed one.
bool choose_version(const std::string& typed, const IadFields& iad, int& version)
{
    version = iad.version;
    if (typed.empty() || typed == "auto" || typed == "AUTO")
        return true;
    for (std::size_t i = 0; i < VERSIONS.size(); ++i)
        if (typed == VERSIONS[i].cvn) {
            version = static_cast<int>(i);
            return true;
        }
    show_field_error(2, MSG_VERSION);
    return false;
}

} // namespace

int emv_arqc_check_handler()
{
    if (!field_load(0, 0, 1))
        return 0;
    const auto de55 = field_bytes(0);
    const TlvReading reading = tlv_read(de55);
    if (reading.error != TlvError::None) {
        show_field_error(0, tlv_message(reading));
        return 0;
    }
    if (!load_key(1) || !field_load(2, 0, 1) || !field_load(3, 0, 1))
        return 0;
    std::array<std::string, 5> card; // PAN, PSN, ATC, CVN, option
    std::array<std::string, 3> response; // ARC, CSU, proprietary data
    if (!field_parts(2, card) || !field_parts(3, response))
        return 0;

    ArqcCase c;
    std::copy_n(g_field[1].data, 16, c.imk.begin());
    if (const std::string refusal = collect_arqc_elements(de55, reading, card[0].empty(), card[1].empty(), c.elements);
        !refusal.empty()) {
        show_field_error(0, refusal);
        return 0;
    }
    c.pan = card[0].empty() ? c.elements.pan : card[0];
    if (c.pan.empty()) {
        show_field_error(2, MSG_NO_PAN);
        return 0;
    }
    c.psn = !card[1].empty() ? card[1] : !c.elements.psn.empty() ? c.elements.psn : "00";
    if (!card[2].empty()) {
        const auto atc = from_hex(card[2]);
        c.typed_atc = std::array<std::uint8_t, 2>{atc[0], atc[1]};
    }
    const IadFields iad = read_iad(c.elements.iad);
    int version = -1;
    if (!choose_version(card[3], iad, version))
        return 0;
    IccOption option = default_option(c.pan);
    if (card[4] == "A" || card[4] == "a")
        option = IccOption::A;
    else if (card[4] == "B" || card[4] == "b")
        option = IccOption::B;
    else if (!card[4].empty() && card[4] != "auto" && card[4] != "AUTO") {
        show_field_error(2, MSG_OPTION);
        return 0;
    }

    const bool arc = !response[0].empty(), csu = !response[1].empty();
    if (arc && csu) {
        show_field_error(3, MSG_ARC_AND_CSU);
        return 0;
    }
    if (!csu && !response[2].empty()) {
        show_field_error(3, MSG_PROPRIETARY_ALONE);
        return 0;
    }
    if ((arc || csu) && version < 0) {
        show_field_error(3, MSG_ARPC_VERSION);
        return 0;
    }
    if (version >= 0 && (arc || csu) && (VERSIONS[version].arpc_method == 1) != arc) {
        show_field_error(3, arc ? MSG_WANTS_CSU : MSG_WANTS_ARC);
        return 0;
    }

    Lines lines;
    bool verified = false;
    if (version >= 0) {
        Variant v = version_variant(CRYPTOGRAM_VERSIONS[version], option);
        v.typed_atc = c.typed_atc.has_value();
        AcComputation ac;
        if (!compute_ac(c, v, ac)) {
            show_field_error(0, MSG_DATA_VERSION);
            return 0;
        }
        verified = ac.ac == c.elements.arqc;
        const bool picked = !card[3].empty() && card[3] != "auto" && card[3] != "AUTO";
        lines.push_back(std::string("Version: ") + (CRYPTOGRAM_VERSIONS[version].row + 15) +
                        (picked ? " (picked)" : " (9F10 CVN " + hex(std::span(&iad.cvn, 1)) + ")"));
        lines.push_back("PAN " + c.pan + ", PSN " + c.psn + ", ATC " + hex(ac.atc) + ", UN " +
                        hex(std::span(c.elements.common).subspan(UN_OFFSET, 4)));
        lines.push_back("Data MACed: " + hex(ac.padded));
        lines.push_back(key_line(option == IccOption::B && c.pan.size() > 16 ? "ICC MK (option B): " : "ICC MK (option A): ", ac.mk));
        lines.push_back(v.key == KeyMethod::IccMasterKey ? std::string("No session key: the ICC MK is the key")
                                                         : key_line("Session key (not parity-adjusted): ", ac.key));
        lines.push_back("AC computed " + hex(ac.ac) + ", 9F26 " + hex(c.elements.arqc));
        const auto& rule = VERSIONS[version];
        const std::span<const std::uint8_t, 16> arpc_key(rule.arpc_session_key ? ac.key : ac.mk);
        if (arc)
            lines.push_back("ARPC (method 1): " + hex(arpc_method1(arpc_key, c.elements.arqc,
                                                                   std::span<const std::uint8_t, 2>(from_hex(response[0]).data(), 2))));
        if (csu) {
            const auto csu_bytes = from_hex(response[1]);
            lines.push_back("ARPC (method 2): " + hex(arpc_method2(arpc_key, c.elements.arqc,
                                                                   std::span<const std::uint8_t, 4>(csu_bytes.data(), 4),
                                                                   from_hex(response[2]))));
        }
    } else {
        lines.push_back("Version: unknown (9F10 " + hex(c.elements.iad) + ")");
        lines.push_back("PAN " + c.pan + ", PSN " + c.psn);
    }
    if (!verified) {
        const auto found = matching_variants(c);
        lines.push_back(found.empty() ? "No variant gives 9F26." : "Variants that give 9F26:");
        for (const Variant& v : found)
            lines.push_back("- " + variant_words(c, v));
    }
    lines.insert(lines.begin(), verified ? "ARQC verified" : "ARQC does not match");
    show_verdict(4, verified, join_lines(lines));
    return 1;
}
