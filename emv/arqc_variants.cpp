// arqc_variants.cpp: the ways of computing an ARQC that the published examples and field data use, and
// the search over them. Each variant costs two ICC master key blocks, two session key blocks and one MAC.
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

bool compute_ac(const ArqcCase& c, const Variant& v, AcComputation& out)
{
    const auto& iad = c.elements.iad;
    std::vector<std::uint8_t> data(c.elements.common.begin(), c.elements.common.end());
    out.atc = {data[ATC_OFFSET], data[ATC_OFFSET + 1]};
    if (v.typed_atc && c.typed_atc)
        out.atc = *c.typed_atc;
    std::copy(out.atc.begin(), out.atc.end(), data.begin() + ATC_OFFSET);
    switch (v.data) {
    case IadData::Whole: append(data, iad, 0, iad.size()); break;
    case IadData::VisaCvr:
        if (iad.size() < 7)
            return false;
        append(data, iad, VISA_CVR.offset, VISA_CVR.length);
        break;
    case IadData::MastercardCvr:
    case IadData::MastercardCvrCounters:
        if (iad.size() < (v.data == IadData::MastercardCvr ? 8u : 18u))
            return false;
        append(data, iad, MASTERCARD_CVR.offset, MASTERCARD_CVR.length);
        if (v.data == IadData::MastercardCvrCounters)
            append(data, iad, MASTERCARD_COUNTERS.offset, MASTERCARD_COUNTERS.length);
        break;
    }
    const std::string psn = v.psn == PsnChoice::Given ? c.psn : v.psn == PsnChoice::Zero ? "00" : "";
    icc_master_key(v.option, c.pan, psn, c.imk, out.mk);
    const std::span<const std::uint8_t, 2> atc(out.atc);
    const std::span<const std::uint8_t, 4> un(data.data() + UN_OFFSET, 4);
    switch (v.key) {
    case KeyMethod::IccMasterKey: out.key = out.mk; break;
    case KeyMethod::Common: {
        const std::array<std::uint8_t, 8> r = {atc[0], atc[1]};
        common_session_key(out.mk, r, out.key);
        break;
    }
    case KeyMethod::Mastercard: mastercard_session_key(out.mk, atc, un, out.key); break;
    case KeyMethod::Pboc: pboc_session_key(out.mk, atc, out.key); break;
    }
    out.padded = mac_padded(data, v.padding);
    const std::uint8_t zero_iv[8] = {};
    mac_algorithm3(out.key.data(), zero_iv, out.padded.data(), out.padded.size(), out.ac.data());
    return true;
}

std::vector<Variant> matching_variants(const ArqcCase& c)
{
    std::vector<Variant> found;
    const bool long_pan = c.pan.size() > 16;
    const bool other_atc = c.typed_atc && !std::equal(c.typed_atc->begin(), c.typed_atc->end(),
                                                      c.elements.common.begin() + ATC_OFFSET);
    AcComputation out;
    for (MacPadding padding : PADDINGS)
        for (IccOption option : {IccOption::A, IccOption::B}) {
            if (option == IccOption::B && !long_pan)
                continue;
            for (PsnChoice psn : PSNS) {
                if (psn == PsnChoice::Zero && c.psn == "00")
                    continue;
                for (IadData data : DATA)
                    for (KeyMethod key : KEYS)
                        for (bool typed_atc : {false, true}) {
                            if (typed_atc && !other_atc)
                                continue;
                            const Variant v{padding, option, psn, data, key, typed_atc};
                            if (compute_ac(c, v, out) && out.ac == c.elements.arqc)
                                found.push_back(v);
                        }
            }
        }
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
