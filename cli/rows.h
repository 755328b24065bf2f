// rows.h: the drop-list rows as the console program names and describes them, all read from the
// catalogue, so that a row added there comes through here with its group, fields and options.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/catalogue.h"

// A named part of a field that holds several values (see FieldPart).
struct PartInfo {
    std::string role, title, size, default_text;
};

struct FieldInfo {
    int index;         // 0 to 4
    std::string title; // as the window shows it
    std::string role;  // its option name and JSON key, from the row's description
    std::vector<std::string> aliases;
    bool output;
    std::string kind;  // "hex", "digits" or "text"
    std::string size;  // the size rule in words; "" for an output
    std::string default_text;
    std::vector<PartInfo> parts;
    char separator = '/';
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

// A size rule in words, in the unit of its kind: "exactly 16 bytes", "16, 24 or 32 bytes", "4 to 12 digits".
std::string size_words(const SizeRule& rule, FieldKind kind, int capacity);

// The row ROW names: its exact name, else the one name it abbreviates (case-insensitive, as a prefix of the
// name, or word by word; a candidate with as many words as ROW wins a tie). index -1 when none or several.
struct RowMatch {
    int index = -1;
    std::vector<std::string> candidates; // the names it abbreviates, when more than one
};
RowMatch find_row(std::string_view row);

// The shown field of a row at index 0 to 4; nullptr when the row hides it.
const FieldInfo* field_info(const RowInfo& row, int index);

// The field of a row that a role name, an alias or an index ("0" to "4") names; -1 when none.
int field_by_key(const RowInfo& row, std::string_view key);

// The field and part a part's role names; field -1 when none.
struct PartKey {
    int field = -1;
    int part = -1;
};
PartKey part_by_key(const RowInfo& row, std::string_view key);

// The text of a field from its parts as given (empty where not given), joined by its separator; the
// trailing parts left out are dropped so that their defaults apply.
std::string join_parts(const FieldInfo& field, const std::vector<std::string>& parts);

// run's own options, which no role may be named like: ascii, mode, padding, use-ipek, json, help, version.
bool is_fixed_option(std::string_view name);

// The block-mode radio button of "ecb", "cbc" or "mac"; 0 for anything else.
int mode_radio(std::string_view mode);
