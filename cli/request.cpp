// request.cpp: a request as given, checked against its row's description.
#include "cli/request.h"

#include <map>

#include "cli/codepage.h"

namespace {

std::string named(std::string_view key, Naming naming)
{
    std::string name(naming == Naming::Option ? "--" : "\"");
    name.append(key);
    if (naming == Naming::Json)
        name.push_back('"');
    return name;
}

std::string unknown_row(const std::string& name, const RowMatch& match, Naming naming)
{
    if (naming == Naming::Option) {
        if (match.candidates.empty())
            return "no row \"" + name + "\" (tabrix-cli list shows them)";
        std::string problem = "\"" + name + "\" could be any of:";
        for (const std::string& c : match.candidates)
            problem += "\n  " + c;
        return problem;
    }
    std::string problem = "unknown row \"" + name + "\"";
    for (std::size_t i = 0; i < match.candidates.size(); ++i)
        problem += (i ? ", " : " (could be: ") + match.candidates[i];
    return match.candidates.empty() ? problem : problem + ")";
}

// The text as the window holds it: "" when every character has a byte in its code page.
std::string window_text(const std::string& key, const std::string& utf8, std::optional<std::string>& text, Naming naming)
{
    text = to_window_text(utf8);
    if (text)
        return "";
    return "input " + named(key, naming) + " holds " + first_unmapped(utf8) +
           ", which the window's code page (Windows-1252) has no character for";
}

} // namespace

std::string input_names(const RowInfo& row, Naming naming)
{
    std::string names;
    for (const FieldInfo& f : row.fields) {
        if (f.output)
            continue;
        names.push_back(' ');
        names += named(f.role, naming);
        for (const PartInfo& p : f.parts) {
            names.push_back(' ');
            names += named(p.role, naming);
        }
    }
    return names;
}

CaseRequest build_request(const GivenRequest& given, Naming naming)
{
    CaseRequest c;
    const RowMatch match = find_row(given.row);
    if (match.index < 0) {
        c.problem = unknown_row(given.row, match, naming);
        return c;
    }
    const RowInfo& row = describe_row(match.index);
    c.row = &row;
    c.form.row = match.index;
    auto refuse = [&](const std::string& problem) {
        c.problem = row.name + ": " + problem;
        return c;
    };

    std::map<int, std::vector<std::string>> parts;
    for (const auto& [key, value] : given.inputs) {
        std::optional<std::string> text;
        if (std::string problem = window_text(key, value, text, naming); !problem.empty())
            return refuse(problem);
        const int i = field_by_key(row, key);
        const PartKey part = i < 0 ? part_by_key(row, key) : PartKey{};
        if (part.field >= 0 && !field_info(row, part.field)->output) {
            auto& these = parts[part.field];
            these.resize(field_info(row, part.field)->parts.size());
            if (!these[static_cast<std::size_t>(part.part)].empty())
                return refuse(named(key, naming) + " is given twice");
            these[static_cast<std::size_t>(part.part)] = *text;
            continue;
        }
        if (i < 0 || i > 3 || field_info(row, i)->output) {
            c.problem = row.name + " has no input " + named(key, naming) + "; its inputs:" + input_names(row, naming);
            return c;
        }
        if (c.form.fields[i])
            return refuse("field " + std::to_string(i) + " is given twice");
        c.form.fields[i] = *text;
    }
    for (const auto& [i, these] : parts) {
        if (c.form.fields[i])
            return refuse("field " + std::to_string(i) + " is given twice");
        c.form.fields[i] = join_parts(*field_info(row, i), these);
    }
    for (const std::string& key : given.ascii) {
        const int i = field_by_key(row, key);
        if (i < 0)
            return refuse("no field " + key + " for " + named("ascii", naming));
        c.form.ascii[i] = true;
    }
    c.form.mode = given.mode.empty() ? 0 : mode_radio(given.mode);
    if (!given.mode.empty() && c.form.mode == 0)
        return refuse(named("mode", naming) + " is not ecb, cbc or mac");
    c.form.padding = given.padding;
    c.form.use_ipek = given.use_ipek;
    return c;
}
