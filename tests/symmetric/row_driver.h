// row_driver.h: runs one symmetric row through the workbench as a user would, mode and Padding included.
#pragma once

#include <string>
#include <string_view>

#include "core/controls.h"
#include "tests/support/workbench.h"

enum class Mode { Ecb, Cbc, Mac, MacPadded };

inline const char* mode_name(Mode mode) {
    switch (mode) {
    case Mode::Ecb: return "ECB";
    case Mode::Cbc: return "CBC";
    case Mode::Mac: return "MAC";
    case Mode::MacPadded: return "MAC with padding";
    }
    return "?";
}

class SymmetricRows : public Workbench {
protected:
    // Chooses the row and the mode, types fields 0 to 3 and presses GO!; returns the output text.
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
