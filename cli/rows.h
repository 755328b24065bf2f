// rows.h: the drop-list rows as the console program names and describes them, all read from the
// catalogue, so that a row added there comes through here with its group, fields and options.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct FieldInfo {
    int index;         // 0 to 4
    std::string title; // as the window shows it
    std::string role;  // a short option name taken from the title: "data", "key", "ksn", ...
    bool output;
    std::string size;  // the size rule in words; "" for an output
};

struct RowInfo {
    int index;                      // catalogue index, which is the drop-list index
    std::string name;
    std::string group;              // the heading of the separator above it
    std::vector<FieldInfo> fields;  // the shown fields, in field order
    std::vector<std::string> modes; // "ecb", "cbc", "mac" as offered
    bool padding;                   // Padding, offered in MAC mode
    bool use_ipek;
    bool check_value;
};

// The catalogue indexes of the rows that run (every drop-list entry but the separators).
std::vector<int> operation_rows();

// Described once per row and kept: the catalogue does not change while the program runs.
const RowInfo& describe_row(int index);

// The role name for a field title, and the size rule a title states, in words.
std::string role_of(std::string_view title);
std::string size_words(std::string_view title);

// The row ROW names: its exact name, else the one name it abbreviates (case-insensitive, as a prefix of the
// name, or word by word; a candidate with as many words as ROW wins a tie). index -1 when none or several.
struct RowMatch {
    int index = -1;
    std::vector<std::string> candidates; // the names it abbreviates, when more than one
};
RowMatch find_row(std::string_view row);

// The field of a row that a role name or an index ("0" to "4") names; -1 when none.
int field_by_key(const RowInfo& row, std::string_view key);

// The block-mode radio button of "ecb", "cbc" or "mac"; 0 for anything else.
int mode_radio(std::string_view mode);
