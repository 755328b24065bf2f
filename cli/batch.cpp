// batch.cpp: JSON cases in, JSON results out, expectations checked; the loop over JSON Lines.
#include "cli/batch.h"

#include <istream>
#include <ostream>
#include <set>

#include "cli/actions.h"
#include "cli/codepage.h"
#include "core/controller.h"
#include "core/field.h"
#include "core/headless_window.h"

using nlohmann::json;

namespace {

// Hexadecimal as the window writes it: no spaces, upper case.
std::string as_shown_hex(const std::string& text)
{
    std::string out;
    for (char c : text)
        if (c != ' ')
            out.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    return out;
}

// A key of "ascii" as text: a role, or an index written as a number.
std::string key_text(const json& key) { return key.is_string() ? key.get<std::string>() : key.dump(); }

std::string given_from(const json& j, GivenRequest& g)
{
    if (!j.is_object())
        return "a case is a JSON object";
    if (!j.contains("row") || !j["row"].is_string())
        return "no \"row\"";
    g.row = j["row"];
    if (j.contains("inputs")) {
        if (!j["inputs"].is_object())
            return "\"inputs\" is not an object";
        for (const auto& [key, value] : j["inputs"].items()) {
            if (!value.is_string())
                return "input \"" + key + "\" is not a string";
            g.inputs.emplace_back(key, value.get<std::string>());
        }
    }
    if (j.contains("ascii")) {
        const json& ascii = j["ascii"];
        if (ascii.is_array())
            for (const json& key : ascii)
                g.ascii.push_back(key_text(key));
        else
            g.ascii.push_back(key_text(ascii));
    }
    if (j.contains("mode")) {
        if (!j["mode"].is_string())
            return "\"mode\" is not ecb, cbc or mac";
        g.mode = j["mode"];
    }
    for (const char* flag : {"padding", "use_ipek"})
        if (j.contains(flag) && !j[flag].is_boolean())
            return std::string("\"") + flag + "\" is not true or false";
    g.padding = j.value("padding", false);
    g.use_ipek = j.value("use_ipek", false);
    return "";
}

// Reads one line into text, without its end; false at the end of the input. A line longer than the
// limit is read no further than the limit and then skipped to its end: too_long tells.
bool read_line(std::streambuf& in, std::string& text, bool& too_long)
{
    text.clear();
    too_long = false;
    using traits = std::char_traits<char>;
    int c = in.sbumpc();
    if (c == traits::eof())
        return false;
    for (; c != traits::eof() && c != '\n'; c = in.sbumpc()) {
        if (text.size() < BATCH_LINE_LIMIT)
            text.push_back(static_cast<char>(c));
        else
            too_long = true;
    }
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    return true;
}

// Parses a line, refusing a key given twice in one object; discarded with the problem when not JSON.
json parse_line(const std::string& text, std::string& problem)
{
    std::vector<std::set<std::string>> keys;
    std::string twice;
    const json::parser_callback_t note_keys = [&](int, json::parse_event_t event, json& parsed) {
        if (event == json::parse_event_t::object_start)
            keys.emplace_back();
        else if (event == json::parse_event_t::object_end)
            keys.pop_back();
        else if (event == json::parse_event_t::key && !keys.back().insert(parsed.get<std::string>()).second && twice.empty())
            twice = parsed.get<std::string>();
        return true;
    };
    json line = json::parse(text, note_keys, false);
    if (line.is_discarded())
        problem = "bad JSON";
    else if (!twice.empty())
        problem = "key \"" + twice + "\" given twice";
    return line;
}

// A message that names what a line gave, kept on one line of the report: line ends written as \r, \n.
std::string one_line(const std::string& message)
{
    std::string out;
    for (char c : message)
        out += c == '\n' ? "\\n" : c == '\r' ? "\\r" : std::string(1, c);
    return out;
}

} // namespace

std::string unreadable_line(const std::string& text)
{
    int depth = 0;
    bool in_string = false, escaped = false;
    for (char c : text) {
        if (c == '\0')
            return "bad JSON (a NUL byte)";
        if (in_string) {
            escaped = !escaped && c == '\\';
            in_string = escaped || c != '"';
            continue;
        }
        if (c == '"')
            in_string = true;
        else if ((c == '[' || c == '{') && ++depth > BATCH_DEPTH_LIMIT)
            return "bad JSON (nested deeper than " + std::to_string(BATCH_DEPTH_LIMIT) + ")";
        else if (c == ']' || c == '}')
            --depth;
    }
    return "";
}

CaseRequest read_case(const json& line)
{
    GivenRequest given;
    const std::string problem = given_from(line, given);
    if (!problem.empty()) {
        CaseRequest c;
        c.problem = problem;
        return c;
    }
    return build_request(given, Naming::Json);
}

FormResult shown_as_utf8(FormResult r)
{
    for (FormField& f : r.outputs) {
        f.title = from_window_text(f.title);
        f.text = from_window_text(f.text);
        f.counter = from_window_text(f.counter);
    }
    r.check_value = from_window_text(r.check_value);
    r.error = from_window_text(r.error);
    return r;
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
        if (expected != got) // as JSON strings, so that a text of several lines stays on one
            out.push_back(what + ": expected " + dump(json(expected)) + ", got " + dump(json(got)));
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
        if (key == "error" || key == "check_value" || key == "verdict") {
            compare(key, expected, key == "error" ? r.error : key == "verdict" ? r.verdict : r.check_value);
            continue;
        }
        const int index = field_by_key(row, key);
        const FormField* field = nullptr;
        for (const FormField& f : r.outputs)
            if (f.index == index)
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

std::string letters_hint(const RowInfo& row, const FormRequest& request, int index)
{
    const FieldInfo* f = field_info(row, index);
    if (!f || index > 3 || f->kind != "hex" || request.ascii[index] || !request.fields[index])
        return "";
    std::string letters;
    for (char c : *request.fields[index])
        if (std::isalpha(static_cast<unsigned char>(c)) && hex_value(c) < 0 && letters.size() < 3)
            letters.push_back(c);
    if (letters.empty())
        return "";
    return "; it holds letters beyond A-F (\"" + letters + "\"), which a hexadecimal field skips: for text, add --ascii " + f->role;
}

std::string error_text(const RowInfo& row, const FormRequest& request, const FormResult& r)
{
    const FieldInfo* f = field_info(row, r.error_field);
    if (!f)
        return r.error;
    std::string title = f->title;
    if (title.ends_with(':'))
        title.pop_back();
    return r.error + " (field " + std::to_string(f->index) + " --" + f->role + ": " + title + ")" +
           letters_hint(row, request, f->index);
}

std::string dump(const json& value) { return value.dump(-1, ' ', false, json::error_handler_t::replace); }

BatchTotals run_batch(std::istream& in, std::ostream& out, std::ostream& err, bool name_standards)
{
    HeadlessWindow window;
    open_window(window);
    const BatchTotals totals = run_batch(in, out, err, window, name_standards);
    controller_destroy();
    g_window = nullptr;
    return totals;
}

BatchTotals run_batch(std::istream& in, std::ostream& out, std::ostream& err, HeadlessWindow& window, bool name_standards)
{
    BatchTotals totals;
    std::string text;
    bool too_long = false;
    std::streambuf* source = in.rdbuf();
    for (std::uint64_t number = 1; out && source && read_line(*source, text, too_long); ++number) {
        if (!too_long && text.find_first_not_of(" \t") == std::string::npos)
            continue;
        const std::string where = "line " + std::to_string(number) + ": ";
        std::string problem = too_long ? "longer than 1 MiB" : unreadable_line(text);
        const json line = problem.empty() ? parse_line(text, problem) : json();
        if (problem.empty() && line.is_object() && line.size() == 1 && line.contains("source"))
            continue; // names where the cases after it come from
        ++totals.cases;
        const CaseRequest c = problem.empty() ? read_case(line) : CaseRequest{};
        const FormResult r = problem.empty() && c.problem.empty() ? shown_as_utf8(run_form(window, c.form)) : FormResult{};
        if (problem.empty())
            problem = !c.problem.empty() ? c.problem : r.usage.empty() ? "" : c.row->name + ": " + r.usage;
        if (!problem.empty()) {
            err << where << one_line(problem) << "\n";
            ++totals.failed;
            continue;
        }
        if (!line.contains("expect")) {
            json j = result_json(*c.row, r);
            j["line"] = number;
            out << dump(j) << "\n";
            if (!r.error.empty())
                ++totals.refused;
            continue;
        }
        ++totals.checked;
        const auto wrong = mismatches(line["expect"], *c.row, c.form, r);
        if (name_standards)
            out << (wrong.empty() ? "ok    " : "FAIL  ") << one_line(line.value("standard", "?")) << ": " << c.row->name << "\n";
        for (const std::string& m : wrong)
            out << where << c.row->name << ": " << one_line(m) << "\n";
        ++(wrong.empty() ? totals.passed : totals.failed);
    }
    return totals;
}
