// batch.h: rows run from JSON: one case per line of JSON Lines, its result as JSON, and the check of
// what a case expects. The batch command and the self-test both run through here.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/form.h"
#include "cli/request.h"
#include "core/headless_window.h"

// A case read from JSON: {"row", "inputs": {role, alias, part or index: text}, "mode", "padding",
// "use_ipek", "ascii": [index or role], "expect": {field index or role: text, "check_value", "verdict",
// "error", "error_field"}}.
CaseRequest read_case(const nlohmann::json& line);

// What the window shows, with its texts (Windows-1252) in UTF-8.
FormResult shown_as_utf8(FormResult result);

// {"row", "outputs": {index: {"title", "text", "counter"}}, "check_value", "verdict", "error", "error_field"}
nlohmann::json result_json(const RowInfo& row, const FormResult& result);

// One line per expectation that the result does not meet: "field 4: expected X, got Y". An output is
// named by index or role; "verdict" expects "verified" or "mismatch". An expected hexadecimal output may
// be written with spaces and in lower case; text outputs are compared as they stand.
std::vector<std::string> mismatches(const nlohmann::json& expect, const RowInfo& row, const FormRequest& request,
                                    const FormResult& result);

// The message of a refused input, naming its field: "Invalid field size! (field 2 --key: DES Key (8 bytes))".
std::string error_text(const RowInfo& row, const FormRequest& request, const FormResult& result);

// "; it holds letters beyond A-F ..., add --ascii ROLE" when field index is a hexadecimal input typed with
// letters the codec skips; "" otherwise.
std::string letters_hint(const RowInfo& row, const FormRequest& request, int index);

// JSON text of a value.
std::string dump(const nlohmann::json& value);

// What keeps a line from being read as JSON before it is parsed: "bad JSON (a NUL byte)", "bad JSON
// (nested deeper than 32)"; "" when it may be parsed.
std::string unreadable_line(const std::string& text);

// The longest line a batch reads, and the deepest nesting of arrays and objects it parses.
inline constexpr std::size_t BATCH_LINE_LIMIT = 1 << 20;
inline constexpr int BATCH_DEPTH_LIMIT = 32;

struct BatchTotals {
    std::uint64_t cases = 0;   // lines that were cases, usable or not
    std::uint64_t passed = 0;
    std::uint64_t failed = 0;  // mismatches, unusable lines and bad JSON
    std::uint64_t checked = 0; // cases that had expectations
    std::uint64_t refused = 0; // cases without expectations that their row refused
};

// Runs every case of the input on one window, reset for each case; a line holding only {"source": ...}
// names where the cases after it come from. With expectations a case prints a line per mismatch
// ("line N: ROW: ..."); without, its result as one JSON line. Bad JSON, an unknown row and other unusable
// lines are reported on err with their line number. With name_standards (the self-test) each case also
// prints its "standard" and whether it passed. Stops when out cannot be written.
BatchTotals run_batch(std::istream& in, std::ostream& out, std::ostream& err, bool name_standards = false);
// The same on a window already open (open_window), as the fuzz target runs one line after another.
BatchTotals run_batch(std::istream& in, std::ostream& out, std::ostream& err, HeadlessWindow& window,
                      bool name_standards = false);
