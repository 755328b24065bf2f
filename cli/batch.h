// batch.h: rows run from JSON: one case per line of JSON Lines, its result as JSON, and the check of
// what a case expects. The batch command and the self-test both run through here.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/form.h"
#include "cli/rows.h"

// A case read from JSON: {"row", "inputs": {role or index: text}, "mode", "padding", "use_ipek",
// "ascii": [index or role], "expect": {field index: text, "check_value", "error", "error_field"}}.
struct CaseRequest {
    const RowInfo* row = nullptr; // nullptr when the row is unknown
    FormRequest form;
    std::string problem; // what makes the case unusable (unknown row, unknown field, ...), "" when none
};
CaseRequest read_case(const nlohmann::json& line);

// {"row", "outputs": {index: {"title", "text", "counter"}}, "check_value", "error", "error_field"}
nlohmann::json result_json(const RowInfo& row, const FormResult& result);

// One line per expectation that the result does not meet: "field 4: expected X, got Y". An output is
// named by index or role; "verdict" expects "verified" or "mismatch". An expected hexadecimal output may
// be written with spaces and in lower case.
std::vector<std::string> mismatches(const nlohmann::json& expect, const RowInfo& row, const FormRequest& request,
                                    const FormResult& result);

// The message of a refused input, naming its field: "Invalid field size! (field 2 --key: DES Key (8 bytes))".
std::string error_text(const RowInfo& row, const FormResult& result);

// JSON text of a value. The window's texts are Windows-1252: a byte that is not valid UTF-8 (an ASCII
// output beyond 0x7F) comes out as U+FFFD instead of failing the whole line.
std::string dump(const nlohmann::json& value);

struct BatchTotals {
    int passed = 0;
    int failed = 0;  // mismatches, unusable lines and bad JSON
    int checked = 0; // cases that had expectations
};

// Runs every case of the input; a line holding only {"source": ...} names where the cases after it come from. With expectations a case prints a line per mismatch ("line N: ROW: ...");
// without, its result as one JSON line. Bad JSON, an unknown row and other unusable lines are reported
// on err with their line number. With name_standards (the self-test) each case also prints its
// "standard" and whether it passed.
BatchTotals run_batch(std::istream& in, std::ostream& out, std::ostream& err, bool name_standards = false);
