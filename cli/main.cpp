// main.cpp: tabrix-cli, the console companion of the workbench: list the rows, run one, check a batch of
// cases, run the self-test. Results go to standard output, messages to standard error.
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>

#include <CLI/CLI.hpp>

#include "cli/actions.h"
#include "cli/batch.h"
#include "cli/request.h"
#include "cli/rows.h"
#include "core/catalogue.h"
#include "core/version.h"
#include "emv/decoded_objects.h"
#include "rsa/rsa_key.h"

#ifdef _WIN32
#include <io.h>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <csignal>
#include <unistd.h>
#endif

extern const char SELFTEST_VECTORS[]; // selftest.jsonl, built in

namespace {

using nlohmann::json;

constexpr int EXIT_REFUSED = 2; // the window refused an input with a message
constexpr int EXIT_USAGE = 64;  // sysexits' EX_USAGE
constexpr int EXIT_NO_INPUT = 66; // EX_NOINPUT: a batch file that cannot be read
constexpr int EXIT_WRITE = 74;  // EX_IOERR: the output could not be written

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

int cannot_read(const std::string& file)
{
    std::cerr << "tabrix-cli: cannot read " << file << "\n";
    return EXIT_NO_INPUT;
}

std::string fixed_width(std::string s, std::size_t width)
{
    s.resize(std::max(width, s.size()), ' ');
    return s;
}

// Writing: a closed pipe ends the program without a word (SIGPIPE, or EPIPE where it is ignored); any
// other write error is reported.
int written(int status)
{
    errno = 0;
    std::cout.flush();
    if (std::cout && std::fflush(stdout) == 0)
        return status;
    if (errno != EPIPE) // where a closed pipe does not end the program
        std::cerr << "tabrix-cli: cannot write the output\n";
    return EXIT_WRITE;
}

// list

json field_json(const FieldInfo& f)
{
    json field = {{"index", f.index}, {"title", f.title}, {"role", f.role}, {"kind", f.output ? "output" : "input"},
                  {"content", f.kind}};
    if (!f.output)
        field["size"] = f.size;
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
    if (!f.parts.empty())
        field["separator"] = std::string(1, f.separator);
    return field;
}

json row_json(const RowInfo& row)
{
    json fields = json::array();
    for (const FieldInfo& f : row.fields)
        fields.push_back(field_json(f));
    return {{"name", row.name}, {"group", row.group}, {"index", row.index}, {"fields", fields}, {"modes", row.modes},
            {"padding", row.padding}, {"use_ipek", row.use_ipek}, {"check_value", row.check_value}};
}

// "also --pad" and, for an alias that is one of run's own options, where it still names the field.
std::string alias_words(const FieldInfo& f)
{
    std::string words;
    for (const std::string& a : f.aliases)
        words += (words.empty() ? "; also " : ", ") +
                 (is_fixed_option(a) ? "\"" + a + "\" in batch files (--" + a + " is run's own)" : "--" + a);
    return words;
}

void print_row(const RowInfo& row)
{
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
    std::cout << "  " << row.name << options << "\n";
    for (const FieldInfo& f : row.fields) {
        std::cout << "    " << f.index << "  " << fixed_width(f.output ? "[" + f.role + "]" : "--" + f.role, 22) << f.title
                  << "  (" << (f.output ? "output, " : "input, ") << f.kind;
        if (!f.output)
            std::cout << ", " << f.size;
        if (!f.default_text.empty())
            std::cout << "; empty means " << f.default_text;
        std::cout << alias_words(f) << ")\n";
        for (const PartInfo& p : f.parts)
            std::cout << "         " << fixed_width("--" + p.role, 22) << p.title << "  (" << p.size
                      << (p.default_text.empty() ? "" : "; left out: " + p.default_text) << ")\n";
        if (!f.parts.empty())
            std::cout << "         parts joined by \"" << f.separator << "\"\n";
    }
}

int list_rows(const std::string& only, bool as_json)
{
    std::vector<int> rows = operation_rows();
    if (!only.empty()) {
        const RowMatch match = find_row(only);
        if (match.index < 0) {
            GivenRequest unknown;
            unknown.row = only;
            return usage(build_request(unknown, Naming::Option).problem);
        }
        rows = {match.index};
    }
    json listed = json::array();
    std::string group;
    for (int index : rows) {
        const RowInfo& row = describe_row(index);
        if (as_json) {
            listed.push_back(row_json(row));
            continue;
        }
        if (row.group != group)
            std::cout << (group.empty() ? "" : "\n") << row.group << "\n";
        group = row.group;
        print_row(row);
    }
    if (as_json)
        std::cout << (only.empty() ? listed : listed[0]).dump(2, ' ', false, json::error_handler_t::replace) << "\n";
    return written(0);
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
    GivenRequest given;
    given.row = o.row;
    for (int i = 0; i < 4; ++i)
        if (run.count("-" + std::to_string(i)))
            given.inputs.emplace_back(std::to_string(i), o.by_index[i]);
    for (const auto& [role, value] : o.by_role)
        if (run.count("--" + role))
            given.inputs.emplace_back(role, value);
    given.ascii = o.ascii;
    given.mode = o.mode;
    given.padding = o.padding;
    given.use_ipek = o.use_ipek;
    bool stdin_read = false;
    for (auto& [key, value] : given.inputs) {
        if (value != "-")
            continue;
        if (stdin_read)
            return usage("only one field can be read from standard input");
        stdin_read = true;
        value.assign(std::istreambuf_iterator<char>(std::cin), {});
        if (value.ends_with('\n'))
            value.pop_back();
        if (value.ends_with('\r'))
            value.pop_back();
    }
    const CaseRequest request = build_request(given, Naming::Option);
    if (!request.problem.empty())
        return usage(request.problem);
    const RowInfo& row = *request.row;
    for (const std::string& extra : run.remaining()) {
        if (extra.starts_with("-"))
            return usage(row.name + " has no input " + extra + "; its inputs:" + input_names(row, Naming::Option));
        return usage("unexpected argument \"" + extra + "\" (a value needs its option)");
    }

    rsa_key_progress = isatty(fileno(stderr)) ? show_progress : nullptr;
    run_started = std::chrono::steady_clock::now();
    HeadlessWindow window;
    open_window(window);
    const FormResult result = shown_as_utf8(run_form(window, request.form));
    if (progress_shown)
        std::fprintf(stderr, "\r%60s\r", "");
    rsa_key_progress = nullptr;

    if (!result.usage.empty()) // GO! disabled: field 0 held no hexadecimal digits, perhaps only letters
        return usage(row.name + ": " + result.usage + (result.usage.starts_with("GO!") ? letters_hint(row, request.form, 0) : ""));
    if (o.json) {
        json j = result_json(row, result);
        // A row that reads TLV data adds the objects it decoded (emv/decoded_objects.h).
        if (catalogue[request.form.row].context == &TLV_DECODED_OBJECTS && result.error.empty())
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
        std::cerr << error_text(row, request.form, result) << "\n";
        return written(EXIT_REFUSED);
    }
    return written(result.verdict == "mismatch" ? 1 : 0);
}

// batch and selftest

int report(const BatchTotals& t)
{
    if (t.checked > 0 || t.failed > 0)
        std::cout << t.passed << " passed, " << t.failed << " failed\n";
    if (t.cases == 0)
        std::cerr << "0 cases\n";
    else if (t.refused > 0)
        std::cerr << t.cases << (t.cases == 1 ? " case, " : " cases, ") << t.refused
                  << (t.refused == 1 ? " refused by its row\n" : " refused by their row\n");
    return written(t.failed > 0 ? 1 : t.refused > 0 ? EXIT_REFUSED : 0);
}

int batch(const std::string& file)
{
    if (file == "-")
        return report(run_batch(std::cin, std::cout, std::cerr));
    std::error_code error;
    if (std::filesystem::is_directory(file, error))
        return cannot_read(file + " (a folder)");
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return cannot_read(file);
    const BatchTotals totals = run_batch(in, std::cout, std::cerr);
    if (in.bad())
        return cannot_read(file);
    return report(totals);
}

int selftest()
{
    std::istringstream vectors(SELFTEST_VECTORS);
    return report(run_batch(vectors, std::cout, std::cerr, true));
}

// Every input role of every row, its aliases and parts, for the options of run, with the first title
// that gives it; the names of run's own options are left to them.
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
    std::erase_if(roles, [](const auto& role) { return is_fixed_option(role.first); });
    return roles;
}

#ifdef _WIN32
// The command line as wide characters, each argument in UTF-8; empty when Windows cannot split it.
std::vector<std::string> utf8_arguments()
{
    int count = 0;
    std::vector<std::string> args;
    if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i) {
            const int n = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
            std::string arg(static_cast<std::size_t>(n > 0 ? n : 1), '\0');
            WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), n, nullptr, nullptr);
            arg.resize(std::strlen(arg.c_str()));
            args.push_back(arg);
        }
        LocalFree(wide);
    }
    return args;
}
#endif

} // namespace

int main(int argc, char** argv)
{
#ifdef _WIN32
    // The arguments as typed, in UTF-8 rather than the console's code page; output in UTF-8, which the
    // console then shows as written.
    std::vector<std::string> utf8_args = utf8_arguments();
    std::vector<char*> utf8_argv;
    for (std::string& arg : utf8_args)
        utf8_argv.push_back(arg.data());
    if (!utf8_argv.empty()) {
        argc = static_cast<int>(utf8_argv.size());
        argv = utf8_argv.data();
    }
    SetConsoleOutputCP(CP_UTF8);
#else
    std::signal(SIGPIPE, SIG_DFL); // a closed pipe ends the program quietly, as it does any filter
#endif
    CLI::App app{"tabrix-cli: the drop-list rows of Tabrix! from the command line, run by the window's own code.",
                 "tabrix-cli"};
    app.set_version_flag("--version", "tabrix-cli V" TABRIX_VERSION " (Tabrix! V" TABRIX_VERSION "), built " __DATE__
                                      " " __TIME__);
    app.require_subcommand(1, 1);
    app.footer(EXAMPLES);

    bool list_json = false;
    std::string list_only;
    CLI::App* list = app.add_subcommand("list", "The rows in drop-list order by group, with their fields (index, "
                                                "option, title, direction, kind, size rule, default, aliases, "
                                                "parts), block modes and options.");
    list->add_option("ROW", list_only, "Only this row (its name or an abbreviation)");
    list->add_flag("--json", list_json, "JSON: an array of the rows, or the one row named");
    list->footer("Example:\n  tabrix-cli list --json\n  tabrix-cli list \"key block - build\"");

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
    for (const auto& [role, title] : input_roles())
        run->add_option("--" + role, o.by_role[role], "The field titled like \"" + title + "\" (see list)");
    run->allow_extras(); // an option no row has is reported with the row's own inputs
    run->footer("Example:\n  tabrix-cli run DES --data 4E6F772069732074 --key 0123456789ABCDEF --mode cbc "
                "--iv 1234567890ABCDEF\nExit status: 0, 1 when a verify row does not match, 2 when a field is "
                "refused (its message on standard error), 64 for a usage error, 74 when the output cannot be "
                "written.");

    std::string batch_file = "-";
    CLI::App* batch_cmd = app.add_subcommand("batch", "Runs JSON Lines cases; checks their expectations.");
    batch_cmd->add_option("FILE", batch_file, "JSON Lines, '-' or none for standard input");
    batch_cmd->footer(R"(One case a line: {"row", "inputs": {option name or index: text}, "mode", "padding",
"use_ipek", "ascii": [fields], "expect": {field index: text, "check_value", "error", "error_field"}}.
Cases without "expect" print their result as a JSON line; a count of those their row refused goes to
standard error. With expectations it ends with "N passed, M failed". Exit status 1 if any case failed
or a line was bad, else 2 if a row refused a case, 66 if the file cannot be read.
Example:
  printf '%s\n' '{"row": "SHA-1", "ascii": [0], "inputs": {"data": "abc"},
    "expect": {"4": "A9993E364706816ABA3E25717850C26C9CD0D89D"}}' | tabrix-cli batch -)");

    CLI::App* selftest_cmd = app.add_subcommand("selftest", "Runs published known-answer vectors through the rows.");
    selftest_cmd->footer("Example:\n  tabrix-cli selftest");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? written(0) : EXIT_USAGE;
    }
    if (*list)
        return list_rows(list_only, list_json);
    if (*run)
        return run_row(*run, o);
    if (*batch_cmd)
        return batch(batch_file);
    return selftest();
}
