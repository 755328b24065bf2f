// main.cpp: tabrix-cli, the console companion of the workbench: list the rows, run one, check a batch of
// cases, run the self-test. Results go to standard output, messages to standard error.
#include <array>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>

#include <CLI/CLI.hpp>

#include "cli/batch.h"
#include "cli/rows.h"
#include "core/catalogue.h"
#include "core/version.h"
#include "emv/decoded_objects.h"
#include "rsa/rsa_key.h"

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

extern const char SELFTEST_VECTORS[]; // selftest.jsonl, built in

namespace {

using nlohmann::json;

constexpr int EXIT_REFUSED = 2; // the window refused an input with a message
constexpr int EXIT_USAGE = 64;  // sysexits' EX_USAGE

constexpr const char* EXAMPLES = R"(Examples:
  tabrix-cli list --json
  tabrix-cli run "DUKPT Triple-DES PIN" --data 041274EDCBA9876F --ksn FFFF9876543210E00001 \
                 --bdk 0123456789ABCDEFFEDCBA9876543210
  tabrix-cli run sha-256 --ascii data --data abc
  echo '{"row": "DES", "inputs": {"data": "4E6F772069732074", "key": "0123456789ABCDEF"}}' | tabrix-cli batch
  tabrix-cli selftest
)";

int usage(const std::string& message)
{
    std::cerr << "tabrix-cli: " << message << "\n";
    return EXIT_USAGE;
}

std::string fixed_width(std::string s, std::size_t width)
{
    s.resize(std::max(width, s.size()), ' ');
    return s;
}

// list

int list_rows(bool as_json)
{
    json rows = json::array();
    std::string group;
    for (int index : operation_rows()) {
        const RowInfo row = describe_row(index);
        if (as_json) {
            json fields = json::array();
            for (const FieldInfo& f : row.fields) {
                json field = {{"index", f.index}, {"title", f.title}, {"role", f.role},
                              {"kind", f.output ? "output" : "input"}};
                if (!f.output)
                    field["size"] = f.size;
                field["content"] = f.kind;
                if (!f.aliases.empty())
                    field["aliases"] = f.aliases;
                if (!f.default_text.empty())
                    field["default"] = f.default_text;
                for (const PartInfo& p : f.parts) {
                    json part = {{"role", p.role}, {"title", p.title}, {"size", p.size}};
                    if (!p.default_text.empty())
                        part["default"] = p.default_text;
                    field["parts"].push_back(part);
                }
                fields.push_back(field);
            }
            rows.push_back({{"name", row.name}, {"group", row.group}, {"index", row.index}, {"fields", fields},
                            {"modes", row.modes}, {"padding", row.padding}, {"use_ipek", row.use_ipek},
                            {"check_value", row.check_value}});
            continue;
        }
        if (row.group != group)
            std::cout << (group.empty() ? "" : "\n") << row.group << "\n";
        group = row.group;
        std::cout << "  " << row.name;
        std::string options;
        for (const std::string& m : row.modes)
            options += (options.empty() ? "  [modes " : " ") + m;
        if (!options.empty())
            options += "]";
        if (row.padding)
            options += "  [--padding]";
        if (row.use_ipek)
            options += "  [--use-ipek]";
        if (row.check_value)
            options += "  [check value]";
        std::cout << options << "\n";
        for (const FieldInfo& f : row.fields)
            std::cout << "    " << f.index << "  " << fixed_width(f.output ? "output" : "--" + f.role, 14)
                      << f.title << (f.output || f.title.find(f.size) != std::string::npos ? "" : "  (" + f.size + ")")
                      << "\n";
    }
    if (as_json)
        std::cout << dump(rows) << "\n";
    return 0;
}

// run

struct RunOptions {
    std::string row;
    std::array<std::string, 4> by_index;
    std::map<std::string, std::string> by_role;
    std::vector<std::string> ascii;
    std::string mode;
    bool padding = false, use_ipek = false, json = false;
};

// Progress of a key generation on standard error, while it runs and when that is a terminal.
std::chrono::steady_clock::time_point run_started;
bool progress_shown = false;
void show_progress(int pair)
{
    progress_shown = true;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - run_started).count();
    std::fprintf(stderr, "\rRSA key generation: prime pair %d, %.1f s ", pair, seconds);
    std::fflush(stderr);
}

int run_row(CLI::App& run, const RunOptions& o)
{
    const RowMatch match = find_row(o.row);
    if (match.index < 0) {
        if (match.candidates.empty())
            return usage("no row \"" + o.row + "\" (tabrix-cli list shows them)");
        std::string names;
        for (const std::string& c : match.candidates)
            names += "\n  " + c;
        return usage("\"" + o.row + "\" could be any of:" + names);
    }
    const RowInfo row = describe_row(match.index);
    FormRequest request;
    request.row = match.index;

    std::vector<std::pair<int, std::string>> given; // field, value
    for (int i = 0; i < 4; ++i)
        if (run.count("-" + std::to_string(i)))
            given.emplace_back(i, o.by_index[i]);
    std::string inputs;
    for (const FieldInfo& f : row.fields) {
        if (f.output)
            continue;
        inputs += " --" + f.role;
        for (const PartInfo& p : f.parts)
            inputs += " --" + p.role;
    }
    std::map<int, std::vector<std::string>> parts;
    for (const auto& [role, value] : o.by_role) {
        if (!run.count("--" + role))
            continue;
        const int i = field_by_key(row, role);
        const PartKey part = i < 0 ? part_by_key(row, role) : PartKey{};
        if (part.field >= 0 && !field_is_output(catalogue[match.index], part.field)) {
            auto& these = parts[part.field];
            these.resize(row.fields.size() > 0 ? 8 : 0);
            these[static_cast<std::size_t>(part.part)] = value;
            continue;
        }
        if (i < 0 || i > 3 || field_is_output(catalogue[match.index], i))
            return usage(row.name + " has no input --" + role + "; its inputs:" + inputs);
        given.emplace_back(i, value);
    }
    for (auto& [i, these] : parts)
        for (const FieldInfo& f : row.fields)
            if (f.index == i) {
                these.resize(f.parts.size());
                given.emplace_back(i, join_parts(f, these));
            }
    bool stdin_read = false;
    for (auto& [i, value] : given) {
        if (request.fields[i])
            return usage("field " + std::to_string(i) + " is given twice");
        if (value == "-") {
            if (stdin_read)
                return usage("only one field can be read from standard input");
            stdin_read = true;
            value.assign(std::istreambuf_iterator<char>(std::cin), {});
            if (value.ends_with('\n'))
                value.pop_back();
            if (value.ends_with('\r'))
                value.pop_back();
        }
        request.fields[i] = value;
    }
    for (const std::string& key : o.ascii) {
        const int i = field_by_key(row, key);
        if (i < 0)
            return usage(row.name + " has no field " + key + " for --ascii");
        request.ascii[i] = true;
    }
    request.mode = o.mode.empty() ? 0 : mode_radio(o.mode);
    request.padding = o.padding;
    request.use_ipek = o.use_ipek;

    rsa_key_progress = isatty(fileno(stderr)) ? show_progress : nullptr;
    run_started = std::chrono::steady_clock::now();
    HeadlessWindow window;
    const FormResult result = run_form(window, request);
    if (progress_shown)
        std::fprintf(stderr, "\r%60s\r", "");
    rsa_key_progress = nullptr;

    if (!result.usage.empty())
        return usage(row.name + ": " + result.usage);
    if (o.json) {
        json j = result_json(row, result);
        // A row that reads TLV data adds the objects it decoded (emv/decoded_objects.h).
        if (catalogue[match.index].context == &TLV_DECODED_OBJECTS && result.error.empty())
            for (const DecodedObject& d : TLV_DECODED_OBJECTS.objects())
                j["objects"].push_back({{"tag", d.tag}, {"name", d.name}, {"length", d.length}, {"value", d.value},
                                        {"depth", d.depth}, {"constructed", d.constructed}});
        std::cout << dump(j) << "\n";
    } else if (result.error.empty()) {
        for (const FormField& f : result.outputs)
            std::cout << f.title << " " << f.text << "  (" << f.counter << ")\n";
        if (!result.check_value.empty())
            std::cout << result.check_value << "\n";
    }
    if (!result.error.empty()) {
        std::cerr << error_text(row, result) << "\n";
        return EXIT_REFUSED;
    }
    return result.verdict == "mismatch" ? 1 : 0;
}

// batch and selftest

int report(const BatchTotals& t)
{
    if (t.checked > 0 || t.failed > 0)
        std::cout << t.passed << " passed, " << t.failed << " failed\n";
    return t.failed > 0 ? 1 : 0;
}

int batch(const std::string& file)
{
    if (file == "-")
        return report(run_batch(std::cin, std::cout, std::cerr));
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return usage("cannot read " + file);
    return report(run_batch(in, std::cout, std::cerr));
}

int selftest()
{
    std::istringstream vectors(SELFTEST_VECTORS);
    return report(run_batch(vectors, std::cout, std::cerr, true));
}

// Every input role of every row, for the options of run, with the first title that gives it.
std::map<std::string, std::string> input_roles()
{
    std::map<std::string, std::string> roles;
    for (int index : operation_rows())
        for (const FieldInfo& f : describe_row(index).fields) {
            if (f.output)
                continue;
            roles.emplace(f.role, f.title);
            for (const std::string& alias : f.aliases)
                roles.emplace(alias, f.title);
            for (const PartInfo& p : f.parts)
                roles.emplace(p.role, p.title);
        }
    return roles;
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App app{"tabrix-cli: the drop-list rows of Tabrix! from the command line, run by the window's own code.",
                 "tabrix-cli"};
    app.set_version_flag("--version", "tabrix-cli V" TABRIX_VERSION " (Tabrix! V" TABRIX_VERSION "), built " __DATE__
                                      " " __TIME__);
    app.require_subcommand(1, 1);
    app.footer(EXAMPLES);

    bool list_json = false;
    CLI::App* list = app.add_subcommand("list", "The rows in drop-list order by group, with their fields (index, "
                                                "option, title, size rule), block modes and options.");
    list->add_flag("--json", list_json, "One JSON array of the rows");
    list->footer("Example:\n  tabrix-cli list --json");

    RunOptions o;
    CLI::App* run = app.add_subcommand("run", "Runs one row: the fields typed, GO! pressed; prints each output "
                                              "field and the check-value line.");
    run->add_option("ROW", o.row, "Drop-list name, or an unambiguous case-insensitive abbreviation")->required();
    for (int i = 0; i < 4; ++i)
        run->add_option("-" + std::to_string(i), o.by_index[i],
                        "Field " + std::to_string(i) + " ('-' reads standard input)");
    run->add_option("--ascii", o.ascii, "Ticks the ASCII box of a field (index or option name); repeatable")
        ->allow_extra_args(false);
    run->add_option("--mode", o.mode, "Block mode")->check(CLI::IsMember({"ecb", "cbc", "mac"}, CLI::ignore_case));
    run->add_flag("--padding", o.padding, "Padding (ISO/IEC 9797-1 method 2), MAC mode only");
    run->add_flag("--use-ipek", o.use_ipek, "Field 2 holds the IPEK instead of the BDK");
    run->add_flag("--json", o.json, "Prints one JSON object");
    for (const auto& [role, title] : input_roles()) {
        std::string& value = o.by_role[role];
        try {
            run->add_option("--" + role, value, "The field titled like \"" + title + "\" (see list)");
        } catch (const CLI::OptionAlreadyAdded&) {
            o.by_role.erase(role); // a role named like one of the options above: field index only
        }
    }
    run->footer("Example:\n  tabrix-cli run DES --data 4E6F772069732074 --key 0123456789ABCDEF --mode cbc "
                "--iv 1234567890ABCDEF\nExit status: 0, 2 when a field is refused (its message on standard "
                "error), 64 for a usage error.");

    std::string batch_file = "-";
    CLI::App* batch_cmd = app.add_subcommand("batch", "Runs JSON Lines cases; checks their expectations.");
    batch_cmd->add_option("FILE", batch_file, "JSON Lines, '-' or none for standard input");
    batch_cmd->footer(R"(One case a line: {"row", "inputs": {option name or index: text}, "mode", "padding",
"use_ipek", "ascii": [fields], "expect": {field index: text, "check_value", "error", "error_field"}}.
Cases without "expect" print their result as a JSON line. Ends with "N passed, M failed";
exit status 1 if any case failed or a line was bad.
Example:
  printf '%s\n' '{"row": "SHA-1", "ascii": [0], "inputs": {"data": "abc"},
    "expect": {"4": "A9993E364706816ABA3E25717850C26C9CD0D89D"}}' | tabrix-cli batch -)");

    CLI::App* selftest_cmd = app.add_subcommand("selftest", "Runs published known-answer vectors through the rows.");
    selftest_cmd->footer("Example:\n  tabrix-cli selftest");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? 0 : EXIT_USAGE;
    }
    if (*list)
        return list_rows(list_json);
    if (*run)
        return run_row(*run, o);
    if (*batch_cmd)
        return batch(batch_file);
    return selftest();
}
