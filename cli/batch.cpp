// batch.cpp: JSON cases in, JSON results out, expectations checked; the loop over JSON Lines.
#include "cli/batch.h"

#include <istream>
#include <map>
#include <ostream>

#include "core/headless_window.h"

using nlohmann::json;

namespace {

std::string key_text(const json& key) { return key.is_string() ? key.get<std::string>() : key.dump(); }

// The field a key names: a role, or an index as a number or a string.
int field_of(const RowInfo& row, const json& key)
{
    if (key.is_number_integer())
        return field_by_key(row, std::to_string(key.get<int>()));
    return key.is_string() ? field_by_key(row, key.get<std::string>()) : -1;
}

const FieldInfo* field_info(const RowInfo& row, int index)
{
    for (const FieldInfo& f : row.fields)
        if (f.index == index)
            return &f;
    return nullptr;
}

// Hexadecimal as the window writes it: no spaces, upper case.
std::string as_shown_hex(std::string text)
{
    std::string out;
    for (char c : text)
        if (c != ' ')
            out.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    return out;
}

std::string read_form(const json& j, CaseRequest& c)
{
    if (!j.is_object())
        return "a case is a JSON object";
    if (!j.contains("row") || !j["row"].is_string())
        return "no \"row\"";
    const std::string name = j["row"];
    const RowMatch match = find_row(name);
    if (match.index < 0) {
        std::string problem = "unknown row \"" + name + "\"";
        for (std::size_t i = 0; i < match.candidates.size(); ++i)
            problem += (i ? ", " : " (could be: ") + match.candidates[i];
        if (!match.candidates.empty())
            problem += ")";
        return problem;
    }
    c.row = &describe_row(match.index);
    c.form.row = match.index;
    if (j.contains("inputs")) {
        if (!j["inputs"].is_object())
            return "\"inputs\" is not an object";
        std::map<int, std::vector<std::string>> parts;
        for (const auto& [key, value] : j["inputs"].items()) {
            const int i = field_by_key(*c.row, key);
            const PartKey part = i < 0 ? part_by_key(*c.row, key) : PartKey{};
            if (part.field >= 0 && !field_info(*c.row, part.field)->output && value.is_string()) {
                auto& given = parts[part.field];
                given.resize(field_info(*c.row, part.field)->parts.size());
                given[static_cast<std::size_t>(part.part)] = value.get<std::string>();
                continue;
            }
            if (i < 0 || i > 3 || field_info(*c.row, i)->output)
                return "the row has no input \"" + key + "\"";
            if (!value.is_string())
                return "input \"" + key + "\" is not a string";
            if (c.form.fields[i])
                return "field " + std::to_string(i) + " given twice";
            c.form.fields[i] = value.get<std::string>();
        }
        for (const auto& [i, given] : parts) {
            if (c.form.fields[i])
                return "field " + std::to_string(i) + " given twice";
            c.form.fields[i] = join_parts(*field_info(*c.row, i), given);
        }
    }
    if (j.contains("ascii")) {
        const json list = j["ascii"].is_array() ? j["ascii"] : json::array({j["ascii"]});
        for (const json& key : list) {
            const int i = field_of(*c.row, key);
            if (i < 0)
                return "the row has no field " + key_text(key) + " for \"ascii\"";
            c.form.ascii[i] = true;
        }
    }
    if (j.contains("mode")) {
        c.form.mode = j["mode"].is_string() ? mode_radio(j["mode"].get<std::string>()) : 0;
        if (c.form.mode == 0)
            return "\"mode\" is not ecb, cbc or mac";
    }
    for (const char* flag : {"padding", "use_ipek"}) {
        if (j.contains(flag) && !j[flag].is_boolean())
            return std::string("\"") + flag + "\" is not true or false";
    }
    c.form.padding = j.value("padding", false);
    c.form.use_ipek = j.value("use_ipek", false);
    return "";
}

} // namespace

CaseRequest read_case(const json& line)
{
    CaseRequest c;
    c.problem = read_form(line, c);
    return c;
}

json result_json(const RowInfo& row, const FormResult& r)
{
    json j = {{"row", row.name}, {"outputs", json::object()}};
    for (const FormField& f : r.outputs)
        j["outputs"][std::to_string(f.index)] = {{"title", f.title}, {"text", f.text}, {"counter", f.counter}};
    if (!r.check_value.empty())
        j["check_value"] = r.check_value;
    if (!r.verdict.empty())
        j["verdict"] = r.verdict;
    if (!r.error.empty()) {
        j["error"] = r.error;
        if (r.error_field >= 0)
            j["error_field"] = r.error_field;
    }
    return j;
}

std::vector<std::string> mismatches(const json& expect, const RowInfo& row, const FormRequest& request,
                                    const FormResult& r)
{
    std::vector<std::string> out;
    auto compare = [&](const std::string& what, const std::string& expected, const std::string& got) {
        if (expected != got)
            out.push_back(what + ": expected \"" + expected + "\", got \"" + got + "\"");
    };
    if (!expect.is_object())
        return {"\"expect\" is not an object"};
    for (const auto& [key, value] : expect.items()) {
        if (key == "error_field") {
            compare(key, value.dump(), std::to_string(r.error_field));
            continue;
        }
        if (!value.is_string()) {
            out.push_back("expectation \"" + key + "\" is not a string");
            continue;
        }
        const std::string expected = value;
        if (key == "error" || key == "check_value") {
            compare(key, expected, key == "error" ? r.error : r.check_value);
            continue;
        }
        if (key == "verdict") {
            compare(key, expected, r.verdict);
            continue;
        }
        const FormField* field = nullptr;
        for (const FormField& f : r.outputs)
            if (std::to_string(f.index) == key || std::to_string(f.index) == std::to_string(field_by_key(row, key)))
                field = &f;
        if (!field) {
            out.push_back("the row has no output field \"" + key + "\"");
            continue;
        }
        // Hexadecimal outputs are compared as the window writes them; text, digits and ASCII as they stand.
        const FieldInfo* info = field_info(row, field->index);
        const bool as_text = request.ascii[field->index] || (info && info->kind != "hex");
        compare("field " + key, as_text ? expected : as_shown_hex(expected), field->text);
    }
    if (!expect.contains("error") && !r.error.empty())
        out.push_back("unexpected error \"" + r.error + "\"");
    return out;
}

std::string error_text(const RowInfo& row, const FormResult& r)
{
    const FieldInfo* f = field_info(row, r.error_field);
    if (!f)
        return r.error;
    std::string title = f->title;
    if (title.ends_with(':'))
        title.pop_back();
    return r.error + " (field " + std::to_string(f->index) + " --" + f->role + ": " + title + ")";
}

std::string dump(const json& value) { return value.dump(-1, ' ', false, json::error_handler_t::replace); }

BatchTotals run_batch(std::istream& in, std::ostream& out, std::ostream& err, bool name_standards)
{
    BatchTotals totals;
    HeadlessWindow window;
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        if (text.find_first_not_of(" \t") == std::string::npos)
            continue;
        const std::string where = "line " + std::to_string(number) + ": ";
        const json line = json::parse(text, nullptr, false);
        if (line.is_discarded()) {
            err << where << "bad JSON\n";
            ++totals.failed;
            continue;
        }
        if (line.is_object() && line.size() == 1 && line.contains("source"))
            continue; // names where the cases after it come from
        CaseRequest c = read_case(line);
        const FormResult r = c.problem.empty() ? run_form(window, c.form) : FormResult{};
        const std::string problem = c.problem.empty() ? r.usage : c.problem;
        if (!problem.empty()) {
            err << where << (c.row ? c.row->name + ": " : "") << problem << "\n";
            ++totals.failed;
            continue;
        }
        if (!line.contains("expect")) {
            json j = result_json(*c.row, r);
            j["line"] = number;
            out << dump(j) << "\n";
            continue;
        }
        ++totals.checked;
        const auto wrong = mismatches(line["expect"], *c.row, c.form, r);
        if (name_standards)
            out << (wrong.empty() ? "ok    " : "FAIL  ") << line.value("standard", "?") << ": " << c.row->name << "\n";
        for (const std::string& m : wrong)
            out << where << c.row->name << ": " << m << "\n";
        ++(wrong.empty() ? totals.passed : totals.failed);
    }
    return totals;
}
