// rows.cpp: names, roles and size rules of the drop-list rows, read from the catalogue tables.
#include "cli/rows.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <vector>

#include "core/catalogue.h"
#include "core/field.h"

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

namespace {

std::string unit(FieldKind kind, int count)
{
    const std::string word = kind == FieldKind::Digits ? "digit" : kind == FieldKind::Text ? "character" : "byte";
    return count == 1 ? word : word + "s";
}

std::vector<std::string> alias_list(const char* aliases)
{
    std::vector<std::string> out;
    if (aliases)
        out = words(aliases);
    return out;
}

} // namespace

std::string size_words(const SizeRule& rule, FieldKind kind, int capacity)
{
    std::string words;
    if (rule.sizes[0] != 0) {
        int n = 0;
        while (n < 3 && rule.sizes[static_cast<std::size_t>(n)] != 0)
            ++n;
        if (n == 1)
            words = "exactly " + std::to_string(rule.sizes[0]);
        for (int i = 0; n > 1 && i < n; ++i)
            words += (i == 0 ? "" : i + 1 == n ? " or " : ", ") + std::to_string(rule.sizes[static_cast<std::size_t>(i)]);
        words.append(" ").append(unit(kind, n == 1 ? rule.sizes[0] : 2));
    } else if (rule.multiple > 0) {
        words = "a multiple of " + std::to_string(rule.multiple) + " " + unit(kind, rule.multiple);
    } else if (rule.min > 0 || rule.max > 0) {
        words = std::to_string(std::max<int>(rule.min, 1)) + " to " + std::to_string(rule.max ? rule.max : capacity) + " " +
                unit(kind, 2);
    } else {
        words = "any length up to " + std::to_string(capacity) + " " + unit(kind, capacity);
    }
    return rule.optional ? words + ", or empty" : words;
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
        const FieldLook& look = row.field[i];
        if (!look.label)
            continue;
        const bool output = field_is_output(row, i);
        const FieldKind kind = field_kind(row, i);
        const int capacity = look.capacity ? look.capacity : FIELD_MAX_BYTES;
        SizeRule size = look.size;
        size.optional = size.optional && i > 0; // GO! stays disabled while field 0 is empty
        FieldInfo f{i, look.label, look.role ? look.role : "field" + std::to_string(i), alias_list(look.aliases), output,
                    kind == FieldKind::Digits ? "digits" : kind == FieldKind::Text ? "text" : "hex",
                    output ? "" : size_words(size, kind, capacity), look.default_text ? look.default_text : "", {},
                    look.separator};
        if (i == 0 && info.padding)
            f.size += "; any length with Padding";
        for (const FieldPart& part : look.parts)
            f.parts.push_back({part.role, part.title, size_words(part.size, part.kind, capacity),
                               part.default_text ? part.default_text : ""});
        info.fields.push_back(f);
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

const FieldInfo* field_info(const RowInfo& row, int index)
{
    for (const FieldInfo& f : row.fields)
        if (f.index == index)
            return &f;
    return nullptr;
}

int field_by_key(const RowInfo& row, std::string_view key)
{
    for (const FieldInfo& f : row.fields)
        if (f.role == key || (key.size() == 1 && key[0] == '0' + f.index))
            return f.index;
    for (const FieldInfo& f : row.fields)
        if (std::find(f.aliases.begin(), f.aliases.end(), key) != f.aliases.end())
            return f.index;
    return -1;
}

PartKey part_by_key(const RowInfo& row, std::string_view key)
{
    for (const FieldInfo& f : row.fields)
        for (std::size_t p = 0; p < f.parts.size(); ++p)
            if (f.parts[p].role == key)
                return {f.index, static_cast<int>(p)};
    return {};
}

std::string join_parts(const FieldInfo& field, const std::vector<std::string>& parts)
{
    std::size_t given = parts.size();
    while (given > 0 && parts[given - 1].empty())
        --given;
    std::string text;
    for (std::size_t p = 0; p < given; ++p)
        text += (p ? std::string(1, field.separator) : "") + parts[p];
    return text;
}

int mode_radio(std::string_view mode)
{
    const std::string m = lower(mode);
    return m == "ecb" ? IDC_RADIO_ECB : m == "cbc" ? IDC_RADIO_CBC : m == "mac" ? IDC_RADIO_MAC : 0;
}

bool is_fixed_option(std::string_view name)
{
    constexpr std::string_view FIXED[] = {"ascii", "mode", "padding", "use-ipek", "json", "help", "version"};
    return std::find(std::begin(FIXED), std::end(FIXED), name) != std::end(FIXED);
}
