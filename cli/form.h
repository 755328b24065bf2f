// form.h: the row driver: one run of a row as a user makes it in the window, over the headless seam (or
// the tests' fake): the form reset, the row chosen, the block mode picked, the boxes ticked, the fields
// typed, GO! pressed and the run timer fired; then what the window shows.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/field.h"
#include "core/headless_window.h"

struct FormRequest {
    int row = -1;                                     // catalogue index
    std::array<std::optional<std::string>, 4> fields; // the text typed into fields 0 to 3
    std::array<bool, FIELD_COUNT> ascii{};            // ASCII boxes to tick, output included
    int mode = 0;                                     // a block-mode radio button id; 0 keeps the row's own
    bool padding = false;
    bool use_ipek = false;
};

struct FormField {
    int index;
    std::string title, text, counter; // as the window shows them
};

struct FormResult {
    std::string usage;              // why the window would not take the request; then nothing ran
    std::vector<FormField> outputs; // every output field of the row, in field order
    std::string check_value;        // the check-value line, "" where the row shows none
    std::string error;              // the text of the first message box, "" when none
    int error_field = -1;           // the field the message selected, -1 for none
    std::string verdict;            // "verified" or "mismatch" from a verify row, "" from any other
};

// The window must be open (open_window); each run starts from a reset form, so that nothing of one
// run leaks into the next.
FormResult run_form(HeadlessWindow& window, const FormRequest& request);
