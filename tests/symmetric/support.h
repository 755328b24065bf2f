// support.h: hexadecimal helpers and a row runner for the symmetric tests.
#pragma once

#include <array>
#include <cctype>
#include <cstdint>
#include <vector>

#include "core/controls.h"
#include "tests/support/workbench.h"

using Bytes = std::vector<std::uint8_t>;

// "0123 abcd" -> 01 23 AB CD; characters that are not hexadecimal digits are skipped.
inline Bytes from_hex(std::string_view text) {
    std::string digits;
    for (char c : text)
        if (std::isxdigit(static_cast<unsigned char>(c)))
            digits += c;
    const std::string bytes = hex_bytes(digits);
    return Bytes(bytes.begin(), bytes.end());
}

// Upper-case, two digits per byte, as the workbench shows bytes.
inline std::string to_hex(const Bytes& bytes) {
    std::string out;
    for (std::uint8_t b : bytes)
        out += {"0123456789ABCDEF"[b >> 4], "0123456789ABCDEF"[b & 15]};
    return out;
}
inline std::string clean_hex(std::string_view text) { return to_hex(from_hex(text)); }

enum class Mode { Ecb, Cbc, Mac, MacPadded };
inline const char* mode_name(Mode m) { return std::array{"ECB", "CBC", "MAC", "padded MAC"}[static_cast<int>(m)]; }

// The base derivation key of the ANSI X9.24-1-2009 Annex A test data.
inline constexpr const char* BDK = "0123456789ABCDEFFEDCBA9876543210";

class SymmetricRows : public Workbench {
protected:
    // Chooses the row and mode as a user would, types fields 0 to 3, presses GO! and returns the output.
    std::string run_row(std::string_view row, Mode mode, std::string_view data, std::string_view field1,
                        std::string_view key, std::string_view iv = {}, bool use_ipek = false) {
        choose(row);
        select_mode(mode == Mode::Ecb ? IDC_RADIO_ECB : mode == Mode::Cbc ? IDC_RADIO_CBC : IDC_RADIO_MAC);
        if (mode == Mode::MacPadded)
            click(IDC_PADDING);
        if (use_ipek)
            click(IDC_USE_IPEK);
        run_with(data, field1, key, iv);
        return output();
    }
};
