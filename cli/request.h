// request.h: the one request builder of the console program: a row's inputs as given, by role, alias,
// part or index, from run's options or a batch line, checked against the row and turned into what the
// row driver types into the window.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "cli/form.h"
#include "cli/rows.h"

// How a front end names a field in its messages: as an option ("--key") or as a JSON key ("key").
enum class Naming { Option, Json };

struct GivenRequest {
    std::string row;                                         // a row name or its abbreviation
    std::vector<std::pair<std::string, std::string>> inputs; // role, alias, part or index "0" to "3"; UTF-8 text
    std::vector<std::string> ascii;                          // fields by role, alias or index
    std::string mode;                                        // "" keeps the row's own
    bool padding = false;
    bool use_ipek = false;
};

struct CaseRequest {
    const RowInfo* row = nullptr; // nullptr when the row is unknown
    FormRequest form;
    std::string problem; // what makes the request unusable, "" when none; names the row where known
};

CaseRequest build_request(const GivenRequest& given, Naming naming);

// The row's inputs as options or keys, for a message: " --data --key --iv".
std::string input_names(const RowInfo& row, Naming naming);
