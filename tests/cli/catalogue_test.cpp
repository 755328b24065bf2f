// catalogue_test.cpp: what tabrix-cli says of every row holds for every row: roles are unique and free of
// run's own options, every input role is an option of run, the role names of earlier versions still
// work, and every size list prints is accepted by the row.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "cli/batch.h"
#include "core/controller.h"
#include "core/handlers.h"
#include "tests/cli/run_cli.h"
#include "tests/support/cases.h"

namespace {

using nlohmann::json;

TEST(CliCatalogue, RolesAreUniqueInTheirRowAndNoneIsRunsOwnOption)
{
    for (int index : operation_rows()) {
        const RowInfo& row = describe_row(index);
        std::set<std::string> seen;
        for (const FieldInfo& f : row.fields) {
            EXPECT_TRUE(seen.insert(f.role).second) << row.name << ": role " << f.role << " twice";
            EXPECT_FALSE(is_fixed_option(f.role)) << row.name << ": role " << f.role;
            for (const PartInfo& p : f.parts) {
                EXPECT_TRUE(seen.insert(p.role).second) << row.name << ": part " << p.role << " twice";
                EXPECT_FALSE(is_fixed_option(p.role)) << row.name << ": part " << p.role;
            }
        }
        for (const FieldInfo& f : row.fields)
            for (const std::string& a : f.aliases)
                EXPECT_TRUE(seen.insert(a).second) << row.name << ": alias " << a << " is another name's too";
    }
}

// Each row's input names from list --json, each given to run alone: run may refuse the value, never
// the option.
TEST(CliCatalogue, EveryInputRoleListNamesIsAnOptionOfRun)
{
    const json rows = json::parse(cli("list --json").out);
    ASSERT_GT(rows.size(), 40u);
    for (const json& row : rows)
        for (const json& f : row["fields"]) {
            if (f["kind"] != "input")
                continue;
            std::vector<std::string> names = {f["role"]};
            for (const json& p : f.value("parts", json::array()))
                names.push_back(p["role"]);
            for (const json& a : f.value("aliases", json::array()))
                if (!is_fixed_option(a.get<std::string>()))
                    names.push_back(a);
            for (const std::string& name : names) {
                const Ran ran = cli("run " + shell_quoted(row["name"].get<std::string>()) + " --" + name + " 00");
                EXPECT_EQ(ran.err.find("has no input"), std::string::npos) << row["name"] << " --" << name << ": " << ran.err;
                EXPECT_EQ(ran.err.find("not expected"), std::string::npos) << row["name"] << " --" << name << ": " << ran.err;
            }
        }
}

// The input roles of every row as the console named them before roles were part of the row
// (cli-old-roles.json, from that version's list --json) still name the same inputs, in batch files
// and, but for "padding", which stays run's flag, as options.
TEST(CliCatalogue, EarlierRoleNamesStillWork)
{
    std::ifstream in(TABRIX_TEST_DATA "/cli-old-roles.json");
    const json old = json::parse(in);
    ASSERT_GT(old.size(), 80u);
    for (const auto& [name, roles] : old.items()) {
        const RowMatch match = find_row(name);
        ASSERT_GE(match.index, 0) << name;
        EXPECT_EQ(catalogue[match.index].name, name);
        for (const json& role : roles) {
            GivenRequest given;
            given.row = name;
            given.inputs.emplace_back(role, "00");
            EXPECT_EQ(build_request(given, Naming::Json).problem, "") << name << ": " << role;
        }
    }
}

// A case that runs for every row: the base cases kept as data first (cli-base-cases.jsonl, for rows no
// published vector covers, and where a size depends on another field), then the self-test, the row
// cases and the family files.
std::map<int, std::vector<json>> base_cases()
{
    std::vector<json> lines;
    std::vector<std::string> files = {TABRIX_TEST_DATA "/cli-base-cases.jsonl", TABRIX_TEST_DATA "/../../cli/selftest.jsonl",
                                      TABRIX_TEST_DATA "/cli-window.jsonl"};
    for (const auto& entry : std::filesystem::directory_iterator(TABRIX_TEST_DATA "/rows"))
        files.push_back(entry.path().string());
    for (const std::string& file : files) {
        std::ifstream in(file);
        for (std::string text; std::getline(in, text);)
            if (json line = json::parse(text, nullptr, false); line.is_object() && line.contains("row")) {
                if (file.ends_with("cli-base-cases.jsonl"))
                    line["base"] = true; // every one is a base; of the rest, the first that runs
                lines.push_back(line);
            }
    }
    for (const char* family : {"aes", "des", "tdes", "digest", "dukpt", "xor_parity", "rsa"})
        for (const Json& c : batch_form_cases(family))
            lines.push_back(c);
    std::map<int, std::vector<json>> bases;
    FakeWindow w;
    open_window(w);
    for (json& line : lines) {
        const CaseRequest c = read_case(line);
        if (!c.problem.empty() || (bases.count(c.form.row) && !line.contains("base")))
            continue;
        const FormResult r = run_form(w, c.form);
        EXPECT_TRUE(!line.contains("base") || (r.usage.empty() && r.error.empty())) << line.dump() << r.usage << r.error;
        if (r.usage.empty() && r.error.empty())
            bases[c.form.row].push_back(line);
    }
    controller_destroy();
    return bases;
}

// The sizes a rule names: each exact size, the ends of a range, one and two steps of a multiple.
std::vector<int> named_sizes(const SizeRule& rule, int capacity)
{
    std::vector<int> sizes;
    for (int s : rule.sizes)
        if (s)
            sizes.push_back(s);
    if (sizes.empty() && rule.multiple)
        sizes = {rule.multiple, 2 * rule.multiple};
    else if (sizes.empty())
        sizes = {std::max<int>(rule.min, 1), rule.max ? rule.max : capacity};
    if (rule.optional)
        sizes.push_back(0);
    return sizes;
}

// A value of a size: hexadecimal 00..0011 (a small number, where the field holds one), digits 11..1, text AA..A.
std::string value_of(FieldKind kind, int size)
{
    if (kind == FieldKind::Hex)
        return size ? std::string(2 * size - 2, '0') + "11" : "";
    return std::string(size, kind == FieldKind::Digits ? '1' : 'A');
}

// A refusal of the field for its size: the codec's, or for bytes and digits a row's "... length!". A text
// field's own structure (a key block's length, its header) is checked by its row in words of its own.
bool refused_for_size(const FormResult& r, int field, FieldKind kind)
{
    return r.error_field == field &&
           (r.error == "Invalid field size!" || (kind != FieldKind::Text && r.error.find("length") != std::string::npos));
}

// Inputs whose sizes must match: set together, the first to the value tried, the others to that value
// (or, for the RSA modulus, to FF bytes, above any data of its length).
struct SizedTogether {
    std::string_view row; // a row name or the start of one
    std::vector<int> fields;
    char fill; // the others' digits; 0: the value tried
};
const SizedTogether SIZED_TOGETHER[] = {
    {"RSA Encryption/Decription", {0, 1}, 'F'},
    {"Key Components Combine", {0, 1, 2}, 0},
};
const SizedTogether* sized_together(std::string_view row, int field)
{
    for (const SizedTogether& t : SIZED_TOGETHER)
        if (row.starts_with(t.row) && std::find(t.fields.begin(), t.fields.end(), field) != t.fields.end())
            return &t;
    return nullptr;
}

// The text of a field with one part replaced.
std::string with_part(const FieldInfo& f, const std::string& typed, std::size_t part, const std::string& value)
{
    std::vector<std::string> parts;
    for (std::size_t at = 0;;) {
        const std::size_t next = typed.find(f.separator, at);
        parts.push_back(typed.substr(at, next - at));
        if (next == std::string::npos)
            break;
        at = next + 1;
    }
    parts.resize(std::max(parts.size(), part + 1));
    parts[part] = value;
    return join_parts(f, parts);
}

// The rows run from their base cases on an open window.
class CliSizes : public ::testing::Test {
protected:
    void SetUp() override { open_window(w); }
    void TearDown() override { controller_destroy(); }
    const std::map<int, std::vector<json>> bases = base_cases();
    FakeWindow w;
};

// Each row run from its base cases with one input, or one part, at each size its rule names: with at
// least one base, the row does not refuse that input for its size.
TEST_F(CliSizes, EverySizeListNamesIsAccepted)
{
    for (int index : operation_rows()) {
        const RowInfo& info = describe_row(index);
        const OperationRow& row = catalogue[index];
        if (!bases.count(index)) {
            ADD_FAILURE() << "no case runs " << info.name << ": add one to cli-base-cases.jsonl";
            continue;
        }
        // True when the input's text, made from a base's, is not refused for its size with some base.
        auto accepted = [&](const FieldInfo& f, auto&& text_from, const std::string& what) {
            std::string refusal;
            for (const json& line : bases.at(index)) {
                FormRequest request = read_case(line).form;
                if (f.index == 3 && (row.flags & OPF_CBC) && request.mode != IDC_RADIO_MAC)
                    request.mode = IDC_RADIO_CBC; // where the IV is used
                const std::string text = text_from(request.fields[f.index].value_or(""));
                request.fields[f.index] = text;
                request.ascii[f.index] = false;
                if (const SizedTogether* together = text.empty() ? nullptr : sized_together(info.name, f.index))
                    for (std::size_t k = 0; k < together->fields.size(); ++k)
                        request.fields[together->fields[k]] =
                            k == 0 || !together->fill ? value_of(FieldKind::Hex, static_cast<int>(text.size() / 2))
                                                      : std::string(text.size(), together->fill);
                const FormResult r = run_form(w, request);
                if (r.usage.empty() && !refused_for_size(r, f.index, field_kind(row, f.index)))
                    return;
                refusal = r.usage + r.error;
            }
            ADD_FAILURE() << info.name << " --" << f.role << " " << what << ": " << refusal;
        };
        for (const FieldInfo& f : info.fields) {
            if (f.output)
                continue;
            const FieldLook& look = row.field[f.index];
            const int capacity = look.capacity ? look.capacity : FIELD_MAX_BYTES;
            const FieldKind kind = field_kind(row, f.index);
            for (int size : look.parts.empty() ? named_sizes(look.size, capacity) : std::vector<int>{}) {
                if (size == 0 && f.index == 0)
                    continue; // GO! waits for field 0
                // A base already of this size is kept as it is, so that a field holding a structure keeps it;
                // a number is widened or narrowed by its leading zeros, so that it keeps its value.
                const std::string value = value_of(kind, size);
                accepted(f, [&](const std::string& typed) {
                    const bool number = kind != FieldKind::Text && !typed.empty() && (kind == FieldKind::Digits || typed.size() % 2 == 0);
                    if (typed.size() == value.size())
                        return typed;
                    if (number && typed.size() < value.size())
                        return std::string(value.size() - typed.size(), '0') + typed;
                    const std::size_t cut = typed.size() - value.size();
                    if (number && !value.empty() && typed.find_first_not_of('0') >= cut)
                        return typed.substr(cut);
                    return value;
                }, "at " + std::to_string(size));
            }
            for (std::size_t p = 0; p < look.parts.size(); ++p)
                for (int size : named_sizes(look.parts[p].size, capacity))
                    accepted(f, [&](const std::string& typed) { return with_part(f, typed, p, value_of(look.parts[p].kind, size)); },
                             std::string("--") + look.parts[p].role + " at " + std::to_string(size));
        }
    }
}

// Sizes just outside a rule: one below and one above each exact size, each end of a range and the step
// of a multiple, where the rule does not name them; none is 0 or past the field's capacity.
std::vector<int> sizes_outside(const SizeRule& rule, int capacity)
{
    std::vector<int> outside;
    auto named = [&](int s) {
        if (rule.sizes[0] != 0)
            return std::find(rule.sizes.begin(), rule.sizes.end(), s) != rule.sizes.end();
        return s >= rule.min && (rule.max == 0 || s <= rule.max) && (rule.multiple == 0 || s % rule.multiple == 0);
    };
    std::vector<int> ends = {rule.min, rule.max};
    ends.insert(ends.end(), rule.sizes.begin(), rule.sizes.end());
    if (rule.multiple > 1)
        ends.push_back(rule.multiple);
    for (int end : ends)
        for (int s : {end - 1, end + 1})
            if (end > 0 && s > 0 && s <= capacity && !named(s) &&
                std::find(outside.begin(), outside.end(), s) == outside.end())
                outside.push_back(s);
    return outside;
}

// Each input, and each part, at a size just outside its rule: refused on its field with every base case.
TEST_F(CliSizes, SizesOutsideTheRuleAreRefused)
{
    for (int index : operation_rows()) {
        if (!bases.count(index))
            continue; // named by EverySizeListNamesIsAccepted
        const RowInfo& info = describe_row(index);
        const OperationRow& row = catalogue[index];
        auto refused = [&](const FieldInfo& f, auto&& text_from, const std::string& what) {
            for (const json& line : bases.at(index)) {
                FormRequest request = read_case(line).form;
                request.fields[f.index] = text_from(request.fields[f.index].value_or(""));
                request.ascii[f.index] = false;
                const FormResult r = run_form(w, request);
                EXPECT_TRUE(!r.usage.empty() || r.error_field == f.index)
                    << info.name << " --" << f.role << " " << what << " taken: " << r.error;
            }
        };
        for (const FieldInfo& f : info.fields) {
            const FieldLook& look = row.field[f.index];
            if (f.output || sized_together(info.name, f.index))
                continue;
            const int capacity = look.capacity ? look.capacity : FIELD_MAX_BYTES;
            const FieldKind kind = field_kind(row, f.index);
            for (int size : look.parts.empty() ? sizes_outside(look.size, capacity) : std::vector<int>{})
                refused(f, [&](const std::string&) { return value_of(kind, size); }, "at " + std::to_string(size));
            for (std::size_t p = 0; p < look.parts.size(); ++p)
                for (int size : sizes_outside(look.parts[p].size, capacity))
                    refused(f, [&](const std::string& typed) { return with_part(f, typed, p, value_of(look.parts[p].kind, size)); },
                            std::string("--") + look.parts[p].role + " at " + std::to_string(size));
        }
    }
}

} // namespace
