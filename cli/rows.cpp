// rows.cpp: names, roles and size rules of the drop-list rows, read from the catalogue tables.
#include "cli/rows.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <vector>
#include <regex>

#include "core/catalogue.h"

namespace {

std::string lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::vector<std::string> words(std::string_view s)
{
    std::vector<std::string> out;
    std::string word;
    for (char c : s) {
        if (c == ' ') {
            if (!word.empty())
                out.push_back(word);
            word.clear();
        } else {
            word.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
        }
    }
    if (!word.empty())
        out.push_back(word);
    return out;
}

// "==== SYMMETRIC ALGORITHMS ====" -> "SYMMETRIC ALGORITHMS"
std::string heading(const char* name)
{
    std::string_view s(name);
    const auto first = s.find_first_not_of("= ");
    const auto last = s.find_last_not_of("= ");
    return first == std::string_view::npos ? "" : std::string(s.substr(first, last - first + 1));
}

// Words in a title that name a field's role, first hit wins: the more particular names come first.
struct RoleWord {
    const char* word;
    const char* role;
};
constexpr RoleWord ROLE_WORDS[] = {
    {"ksn", "ksn"},          {"bdk", "bdk"},         {"ipek", "ipek"},       {"initial value", "iv"},
    {"modulus", "modulus"},  {"exponent", "exponent"}, {"working key", "working-key"},
    {"master key", "master-key"}, {"key size", "key-size"}, {"key", "key"}, {"mac", "mac"},
    {"hash", "hash"},        {"data", "data"},
};

bool abbreviates(const std::string& query, std::string_view name)
{
    const std::string n = lower(name);
    if (n.starts_with(query))
        return true;
    const auto q = words(query), w = words(name);
    if (q.empty() || q.size() > w.size())
        return false;
    for (std::size_t i = 0; i < q.size(); ++i)
        if (!w[i].starts_with(q[i]))
            return false;
    return true;
}

} // namespace

std::vector<int> operation_rows()
{
    std::vector<int> rows;
    for (int i = 0; catalogue[i].id != OP_END; ++i)
        if (catalogue[i].id != OP_SEPARATOR)
            rows.push_back(i);
    return rows;
}

std::string role_of(std::string_view title)
{
    // The head of the title: before its parenthesis, colon, " - " explanation or comma.
    std::string head(title.substr(0, title.find_first_of("(:,")));
    if (auto dash = head.find(" - "); dash != std::string::npos)
        head.resize(dash);
    const std::string h = lower(head);
    for (const RoleWord& r : ROLE_WORDS)
        if (h.find(r.word) != std::string::npos)
            return r.role;
    std::string slug;
    for (char c : h) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            slug.push_back(c);
        else if (!slug.empty() && slug.back() != '-')
            slug.push_back('-');
    }
    while (!slug.empty() && slug.back() == '-')
        slug.pop_back();
    return slug.empty() ? "field" : slug;
}

std::string size_words(std::string_view title)
{
    static const std::regex blocks(R"((\d+)-byte (?:[a-z ]*)blocks)");
    static const std::regex exact(R"(\((?:[^()]* - )?(\d+) bytes( - optional)?\))");
    static const std::regex parenthesis(R"(\(([^()]*)\))");
    const std::string t(title);
    std::smatch m;
    if (std::regex_search(t, m, blocks))
        return "a multiple of " + m[1].str() + " bytes";
    if (std::regex_search(t, m, exact))
        return "exactly " + m[1].str() + " bytes" + (m[2].matched ? ", or empty" : "");
    if (std::regex_search(t, m, parenthesis) &&
        (m[1].str().find("byte") != std::string::npos || m[1].str().find("digit") != std::string::npos))
        return m[1].str();
    return t.find("optional") != std::string::npos ? "any length up to 1024 bytes, or empty"
                                                   : "any length up to 1024 bytes";
}

namespace {

RowInfo describe(int index)
{
    const OperationRow& row = catalogue[static_cast<std::size_t>(index)];
    RowInfo info{index, row.name, "", {}, {}, (row.flags & OPF_MAC) != 0, (row.flags & OPF_IPEK_OPTION) != 0,
                 (row.flags & OPF_CHECK_VALUE) != 0};
    for (int i = index; i >= 0; --i)
        if (catalogue[i].id == OP_SEPARATOR) {
            info.group = heading(catalogue[i].name);
            break;
        }
    for (int i = 0; i < 5; ++i) {
        const char* label = row.field[i].label;
        if (!label)
            continue;
        const bool output = field_is_output(row, i);
        std::string role = role_of(label);
        for (const FieldInfo& f : info.fields)
            if (f.role == role)
                role += std::to_string(i); // two fields of one row never share a name
        std::string size = output ? "" : size_words(label);
        if (i == 0 && info.padding)
            size += "; any length with Padding";
        info.fields.push_back({i, label, role, output, size});
    }
    if (row.flags & OPF_ECB)
        info.modes.push_back("ecb");
    if (row.flags & OPF_CBC)
        info.modes.push_back("cbc");
    if (row.flags & OPF_MAC)
        info.modes.push_back("mac");
    return info;
}

} // namespace

const RowInfo& describe_row(int index)
{
    static std::vector<std::optional<RowInfo>> described(static_cast<std::size_t>(CATALOGUE_ROWS)); // the catalogue is constant
    auto& row = described.at(static_cast<std::size_t>(index));
    if (!row)
        row = describe(index);
    return *row;
}

RowMatch find_row(std::string_view row)
{
    const std::string query = lower(row);
    std::vector<int> hits;
    for (int i : operation_rows()) {
        if (catalogue[i].name == row)
            return {i, {}};
        if (lower(catalogue[i].name) == query)
            hits.insert(hits.begin(), i);
    }
    if (!hits.empty())
        return {hits.front(), {}};
    for (int i : operation_rows())
        if (abbreviates(query, catalogue[i].name))
            hits.push_back(i);
    if (hits.size() > 1) {
        const auto wanted = words(query).size();
        std::vector<int> same;
        std::copy_if(hits.begin(), hits.end(), std::back_inserter(same),
                     [&](int i) { return words(catalogue[i].name).size() == wanted; });
        if (same.size() == 1)
            return {same.front(), {}};
    }
    if (hits.size() == 1)
        return {hits.front(), {}};
    RowMatch match;
    for (int i : hits)
        match.candidates.push_back(catalogue[i].name);
    return match;
}

int field_by_key(const RowInfo& row, std::string_view key)
{
    for (const FieldInfo& f : row.fields)
        if (f.role == key || (key.size() == 1 && key[0] == '0' + f.index))
            return f.index;
    return -1;
}

int mode_radio(std::string_view mode)
{
    const std::string m = lower(mode);
    return m == "ecb" ? IDC_RADIO_ECB : m == "cbc" ? IDC_RADIO_CBC : m == "mac" ? IDC_RADIO_MAC : 0;
}
