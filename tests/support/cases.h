// cases.h: test cases kept as data, one JSON object a line in tests/data/<family>.jsonl, and the check of
// one run of a row as a user makes it.
#pragma once

#include <nlohmann/json.hpp>

#include "tests/support/workbench.h"

using Json = nlohmann::json;

// The cases of one family. A line holding only {"source": ...} names where the cases after it come from;
// each case carries that name as "source".
std::vector<Json> read_cases(const std::string& family);

// The row cases of a family (those with "row" and "in") in the console's batch form: {"row", "inputs":
// {"0": text, ...}, "mode", "padding", "use_ipek", "ascii"}, with "expect" where the case says what follows.
std::vector<Json> batch_form_cases(const std::string& family);

// A row case: row, mode ("ECB", "CBC", "MAC" or "MAC padded"), ipek (ticks "Use IPEK"), ascii (the fields
// whose box is ticked), in (fields 0 to 3). Typed, then check: the check value line; icons: the picture
// resource beside each field, -1 where none shows. Then GO!, when the
// case says what follows: out (the output as hexadecimal; with rev, the "[rev]" row turns it back into
// field 0), or error (one "Ooops!" error box, nothing output) with focus (the field selected and focused,
// none if absent). texts: {"field": text} of the fields afterwards.
class RowCases : public Workbench {
protected:
    void check(const Json& c);
};
