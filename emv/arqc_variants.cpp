// arqc_variants.cpp: the ways of computing an ARQC that the published examples and field data use, and
// the search over them.
#include "emv/arqc_variants.h"

#include <algorithm>

#include "symmetric/mac_algorithm3.h"

namespace {

constexpr MacPadding PADDINGS[] = {MacPadding::Zeros, MacPadding::Bit};
constexpr PsnChoice PSNS[] = {PsnChoice::Given, PsnChoice::Zero, PsnChoice::Absent};
constexpr IadData DATA[] = {IadData::Whole, IadData::VisaCvr, IadData::MastercardCvr, IadData::MastercardCvrCounters};
constexpr KeyMethod KEYS[] = {KeyMethod::IccMasterKey, KeyMethod::Common, KeyMethod::Mastercard, KeyMethod::Pboc};

IadData data_of(const CryptogramVersion& version)
{
    if (version.part_count == 0)
        return IadData::Whole;
    if (version.part_count == 2)
        return IadData::MastercardCvrCounters;
    return version.parts[0].offset == VISA_CVR.offset ? IadData::VisaCvr : IadData::MastercardCvr;
}

KeyMethod key_of(SessionKeyMethod method)
{
    return method == SessionKeyMethod::Common ? KeyMethod::Common
           : method == SessionKeyMethod::Mastercard ? KeyMethod::Mastercard
                                                    : KeyMethod::IccMasterKey;
}

bool same(const Variant& a, const Variant& b)
{
    return a.padding == b.padding && a.option == b.option && a.psn == b.psn && a.data == b.data && a.key == b.key &&
           a.typed_atc == b.typed_atc;
}

void append(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> iad, std::size_t at, std::size_t n)
{
    out.insert(out.end(), iad.begin() + static_cast<std::ptrdiff_t>(at), iad.begin() + static_cast<std::ptrdiff_t>(at + n));
}

} // namespace

Variant version_variant(const CryptogramVersion& version, IccOption option)
{
    return {version.padding, option, PsnChoice::Given, data_of(version), key_of(version.key), false};
}

IccOption default_option(const std::string& pan) { return pan.size() > 16 ? IccOption::B : IccOption::A; }

namespace {

std::array<std::uint8_t, 2> atc_of(const ArqcCase& c, bool typed)
{
    if (typed && c.typed_atc)
        return *c.typed_atc;
    return {c.elements.common[ATC_OFFSET], c.elements.common[ATC_OFFSET + 1]};
}

// The data MACed, unpadded; false when the IAD is too short for the choice.
bool data_of(const ArqcCase& c, IadData choice, std::span<const std::uint8_t, 2> atc, std::vector<std::uint8_t>& data)
{
    const auto& iad = c.elements.iad;
    data.assign(c.elements.common.begin(), c.elements.common.end());
    std::copy(atc.begin(), atc.end(), data.begin() + ATC_OFFSET);
    switch (choice) {
    case IadData::Whole: append(data, iad, 0, iad.size()); break;
    case IadData::VisaCvr:
        if (iad.size() < 7)
            return false;
        append(data, iad, VISA_CVR.offset, VISA_CVR.length);
        break;
    case IadData::MastercardCvr:
    case IadData::MastercardCvrCounters:
        if (iad.size() < (choice == IadData::MastercardCvr ? 8u : 18u))
            return false;
        append(data, iad, MASTERCARD_CVR.offset, MASTERCARD_CVR.length);
        if (choice == IadData::MastercardCvrCounters)
            append(data, iad, MASTERCARD_COUNTERS.offset, MASTERCARD_COUNTERS.length);
        break;
    }
    return true;
}

void master_key(const ArqcCase& c, IccOption option, PsnChoice psn, std::array<std::uint8_t, 16>& mk)
{
    icc_master_key(option, c.pan, psn == PsnChoice::Given ? c.psn : psn == PsnChoice::Zero ? "00" : "", c.imk, mk);
}

void session_key(const ArqcCase& c, KeyMethod method, const std::array<std::uint8_t, 16>& mk,
                 std::span<const std::uint8_t, 2> atc, std::array<std::uint8_t, 16>& key)
{
    const std::span<const std::uint8_t, 4> un(c.elements.common.data() + UN_OFFSET, 4);
    switch (method) {
    case KeyMethod::IccMasterKey: key = mk; break;
    case KeyMethod::Common: {
        const std::array<std::uint8_t, 8> r = {atc[0], atc[1]};
        common_session_key(mk, r, key);
        break;
    }
    case KeyMethod::Mastercard: mastercard_session_key(mk, atc, un, key); break;
    case KeyMethod::Pboc: pboc_session_key(mk, atc, key); break;
    }
}

void mac(const std::array<std::uint8_t, 16>& key, std::span<const std::uint8_t> padded, std::array<std::uint8_t, 8>& ac)
{
    const std::uint8_t zero_iv[8] = {};
    mac_algorithm3(key.data(), zero_iv, padded.data(), padded.size(), ac.data());
}

} // namespace

bool compute_ac(const ArqcCase& c, const Variant& v, AcComputation& out)
{
    out.atc = atc_of(c, v.typed_atc);
    std::vector<std::uint8_t> data;
    if (!data_of(c, v.data, out.atc, data))
        return false;
    master_key(c, v.option, v.psn, out.mk);
    session_key(c, v.key, out.mk, out.atc, out.key);
    out.padded = mac_padded(data, v.padding);
    mac(out.key, out.padded, out.ac);
    return true;
}

// Keys are derived once for each option, PSN, method and ATC, and every padding and data MACed under them.
std::vector<Variant> matching_variants(const ArqcCase& c)
{
    std::vector<Variant> found;
    const bool long_pan = c.pan.size() > 16;
    const bool other_atc = c.typed_atc && !std::equal(c.typed_atc->begin(), c.typed_atc->end(),
                                                      c.elements.common.begin() + ATC_OFFSET);
    std::array<std::uint8_t, 16> mk, key;
    std::array<std::uint8_t, 8> ac;
    std::vector<std::uint8_t> data;
    for (IccOption option : {IccOption::A, IccOption::B}) {
        if (option == IccOption::B && !long_pan)
            continue;
        for (PsnChoice psn : PSNS) {
            if (psn == PsnChoice::Zero && c.psn == "00")
                continue;
            master_key(c, option, psn, mk);
            for (bool typed_atc : {false, true}) {
                if (typed_atc && !other_atc)
                    continue;
                const auto atc = atc_of(c, typed_atc);
                for (KeyMethod method : KEYS) {
                    session_key(c, method, mk, atc, key);
                    for (IadData choice : DATA) {
                        if (!data_of(c, choice, atc, data))
                            continue;
                        for (MacPadding padding : PADDINGS) {
                            mac(key, mac_padded(data, padding), ac);
                            if (ac == c.elements.arqc)
                                found.push_back({padding, option, psn, choice, method, typed_atc});
                        }
                    }
                }
            }
        }
    }
    // Reported padding first, then option, PSN, data, key and ATC.
    const auto rank = [](const Variant& v) {
        return std::array<int, 6>{static_cast<int>(v.padding), static_cast<int>(v.option), static_cast<int>(v.psn),
                                  static_cast<int>(v.data), static_cast<int>(v.key), v.typed_atc};
    };
    std::sort(found.begin(), found.end(), [&](const Variant& a, const Variant& b) { return rank(a) < rank(b); });
    return found;
}

std::string variant_words(const ArqcCase& c, const Variant& v)
{
    constexpr const char* DATA_WORDS[] = {"whole IAD", "CVR (IAD bytes 4-7)", "CVR (IAD bytes 3-8)",
                                          "CVR and counters (IAD bytes 3-8, 11-18)"};
    constexpr const char* KEY_WORDS[] = {"ICC master key (no session key)", "common session key",
                                         "Mastercard session key", "PBOC session key"};
    std::string words = std::string("padding ") + (v.padding == MacPadding::Bit ? "2" : "1") + ", option " +
                        (v.option == IccOption::B ? "B" : "A") + ", " +
                        (v.psn == PsnChoice::Given ? "PSN as given (" + c.psn + ")"
                         : v.psn == PsnChoice::Zero ? std::string("PSN 00")
                                                    : std::string("no PSN")) +
                        ", " + DATA_WORDS[static_cast<int>(v.data)] + ", " + KEY_WORDS[static_cast<int>(v.key)] +
                        ", ATC " + (v.typed_atc ? "as typed" : "from tag");
    std::string versions;
    for (const CryptogramVersion& version : CRYPTOGRAM_VERSIONS)
        if (same(version_variant(version, default_option(c.pan)), v))
            versions += (versions.empty() ? " = " : ", ") + std::string(version.row + 15);
    return words + versions;
}
