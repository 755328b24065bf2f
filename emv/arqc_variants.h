// arqc_variants.h: one way of computing an application cryptogram from DE55 (padding, ICC master key
// option, PSN, data, session key, ATC), the AC it gives, and the search for every way that gives 9F26.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "emv/arqc_data.h"
#include "emv/cryptogram.h"
#include "emv/keys.h"

enum class IadData : std::uint8_t { Whole, VisaCvr, MastercardCvr, MastercardCvrCounters };
enum class KeyMethod : std::uint8_t { IccMasterKey, Common, Mastercard, Pboc };
enum class PsnChoice : std::uint8_t { Given, Zero, Absent };

struct Variant {
    MacPadding padding;
    IccOption option;
    PsnChoice psn;
    IadData data;
    KeyMethod key;
    bool typed_atc; // the ATC typed instead of 9F36's
};

// What a check knows: the elements of DE55, the PAN and PSN in use, the typed ATC if any, the IMK.
struct ArqcCase {
    ArqcElements elements;
    std::string pan, psn;
    std::optional<std::array<std::uint8_t, 2>> typed_atc;
    std::array<std::uint8_t, 16> imk;
};

struct AcComputation {
    std::vector<std::uint8_t> padded; // the data MACed, padded
    std::array<std::uint8_t, 16> mk, key; // ICC master key; the key MACed with (mk for IccMasterKey)
    std::array<std::uint8_t, 2> atc;
    std::array<std::uint8_t, 8> ac;
};

// The variant a cryptogram version names, with the option a PAN of its length takes.
Variant version_variant(const CryptogramVersion& version, IccOption option);
// Option B for a PAN of more than 16 digits, else A.
IccOption default_option(const std::string& pan);

// false when the IAD is too short for the variant's data.
bool compute_ac(const ArqcCase& c, const Variant& v, AcComputation& out);

// Every variant whose AC equals 9F26, in a fixed order; variants that would give the same key and data
// as one tried before (option B on a short PAN, PSN 00 when the PSN is 00, the typed ATC when it is
// 9F36's) are not tried.
std::vector<Variant> matching_variants(const ArqcCase& c);

// "padding 2, option A, PSN as given, whole IAD, common session key, ATC from tag", followed by
// " = Visa CVN 18, ..." for the versions that are exactly this variant.
std::string variant_words(const ArqcCase& c, const Variant& v);
