// support.h: a row runner for tests of the block-cipher rows (the hexadecimal helpers are in workbench.h).
#pragma once

#include <array>

#include "core/controls.h"
#include "tests/support/workbench.h"

enum class Mode { Ecb, Cbc, Mac, MacPadded };
inline const char* mode_name(Mode m) { return std::array{"ECB", "CBC", "MAC", "padded MAC"}[static_cast<int>(m)]; }

// The base derivation key of the ANSI X9.24-1-2009 Annex A test data.
inline constexpr const char* BDK = "0123456789ABCDEFFEDCBA9876543210";

class SymmetricRows : public Workbench {
protected:
    // Chooses the row and mode as a user would, types fields 0 to 3, presses GO! and returns the output.
    std::string run_row(std::string_view row, Mode mode, std::string_view data, std::string_view field1,
                        std::string_view key, std::string_view iv = {}, bool use_ipek = false)
    {
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
