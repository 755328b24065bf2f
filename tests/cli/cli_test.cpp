// cli_test.cpp: tabrix-cli run as a user runs it, beside the fake window: the same outputs, counters,
// check values and messages; batch, exit statuses, list and the self-test.
#include <algorithm>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "cli/batch.h"
#include "core/controller.h"
#include "tests/cli/run_cli.h"
#include "tests/support/fake_window.h"

using nlohmann::json;

namespace {

std::vector<json> cases(const char* file)
{
    std::ifstream in(std::string(TABRIX_TEST_DATA "/") + file);
    std::vector<json> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(json::parse(line));
    return lines;
}

// The case run in-process on a freshly opened fake window, through the console's own request builder and
// row driver; the result in the shape of tabrix-cli's JSON.
json on_window(const json& c)
{
    FakeWindow w;
    open_window(w);
    const CaseRequest request = read_case(c);
    EXPECT_EQ(request.problem, "");
    const json j = result_json(*request.row, shown_as_utf8(run_form(w, request.form)));
    controller_destroy();
    return j;
}

TEST(Cli, RunShowsWhatTheWindowShows)
{
    for (const json& c : cases("cli-window.jsonl")) {
        std::string args = "run " + shell_quoted(c["row"].get<std::string>()) + " --json";
        if (c.contains("mode"))
            args += " --mode " + c["mode"].get<std::string>();
        args += c.value("padding", false) ? " --padding" : "";
        args += c.value("use_ipek", false) ? " --use-ipek" : "";
        for (int i : c.value("ascii", std::vector<int>{}))
            args += " --ascii " + std::to_string(i);
        for (const auto& [role, text] : c["inputs"].items())
            args += " --" + role + " " + shell_quoted(text.get<std::string>());
        const Ran ran = cli(args);
        const json window = on_window(c);
        EXPECT_EQ(json::parse(ran.out), window) << c["source"] << ": " << args;
        if (window.contains("error")) {
            EXPECT_EQ(ran.status, 2) << args;
            EXPECT_TRUE(ran.err.starts_with(window["error"].get<std::string>() + " (field ") ||
                        (!window.contains("error_field") && ran.err == window["error"].get<std::string>() + "\n"))
                << ran.err;
        } else {
            EXPECT_EQ(ran.status, 0) << args << "\n" << ran.err;
        }
    }
}

TEST(CliBatch, ExpectationsBadLinesAndPlainResults)
{
    const Ran ran = cli("batch " TABRIX_TEST_DATA "/cli-batch.jsonl");
    EXPECT_EQ(ran.status, 1);
    EXPECT_EQ(ran.out, "line 2: SHA-1: field 4: expected \"A9993E364706816ABA3E25717850C26C9CD0D89E\", got "
                       "\"A9993E364706816ABA3E25717850C26C9CD0D89D\"\n"
                       R"({"line":5,"outputs":{"4":{"counter":"2 bytes","text":"31C3","title":"Hash:"}},"row":"CRC16"})"
                       "\n"
                       "line 7: DES: error_field: expected \"2\", got \"0\"\n"
                       "2 passed, 4 failed\n");
    EXPECT_EQ(ran.err, "line 3: bad JSON\nline 4: unknown row \"Quadruple-DES\"\n");
    // The same from standard input; a file whose cases all pass exits 0.
    EXPECT_EQ(cli("batch -", R"({"row": "DES", "inputs": {}})").err,
              "line 1: DES: GO! stays disabled while field 0 is empty\n");
    EXPECT_EQ(cli("batch " TABRIX_TEST_DATA "/dukpt-annex-a.jsonl").out, "3 passed, 0 failed\n");
}

TEST(CliExit, StatusAndMessage)
{
    const struct { const char* args; int status; const char* err; } RUNS[] = {
        {"run quadruple -0 00", 64, "tabrix-cli: no row \"quadruple\""},
        {"run tri -0 00", 64, "tabrix-cli: \"tri\" could be any of:\n  Triple-DES\n"},
        {"run 'dukpt t pin' --key 00", 64, "tabrix-cli: DUKPT Triple-DES PIN has no input --key"},
        {"run des --ksn 00", 64, "tabrix-cli: DES has no input --ksn; its inputs: --data --key --iv"},
        {"run sha-1 --mode cbc -0 00", 64, "tabrix-cli: SHA-1: the row offers no CBC mode"},
        {"run 'EMV Cryptogram (custom)' --mode ecb -0 00", 64, "tabrix-cli: EMV Cryptogram (custom): the row offers no ECB mode"},
        {"run des --padding -0 00", 64, "tabrix-cli: DES: Padding is offered in MAC mode only"},
        {"run des --key 0123456789ABCDEF", 64, "tabrix-cli: DES: GO! stays disabled while field 0 is empty"},
        {"run des --iv 00 -0 00", 64, "tabrix-cli: DES: field 3 is not used in this mode"},
        {"run des -0 - --key -", 64, "tabrix-cli: only one field can be read from standard input"},
        {"run des -0 0102 --key 0123456789ABCDEF", 2,
         "Invalid field size! (field 0 --data: Clear data (8-byte blocks))"},
        {"run des --bogus", 64, "tabrix-cli: DES has no input --bogus; its inputs: --data --key --iv"},
        {"run sha-1 --ksn 00", 64, "tabrix-cli: SHA-1 has no input --ksn; its inputs: --data"},
        {"run 'dukpt t pin' --use-ipek --ivv 0", 64, "tabrix-cli: DUKPT Triple-DES PIN has no input --ivv; its inputs: --data --ksn --bdk"},
        {"list quadruple", 64, "tabrix-cli: no row \"quadruple\""},
        {"run des 4E6F772069732074", 64, "tabrix-cli: unexpected argument \"4E6F772069732074\" (a value needs its option)"},
        {"run des -0 4E6F772069732074 --key -", 0, ""},
        // A verify row: 0 when it verifies, 1 when it does not.
        {"run 'EMV ARQC check (from TLV)' --imk 0123456789ABCDEFFEDCBA9876543210 --de55 5A0812345678901234565F3401009F02"
         "060000000040009F03060000000000009F1A020124950580000480005F2A0201249A031911059C01019F370452BF4585820218009F3602001"
         "C9F100706010A03A060109F260829CCA15AE665FA2E", 0, ""},
        {"run 'EMV ARQC check (from TLV)' --imk 0123456789ABCDEFFEDCBA9876543210 --de55 5A0812345678901234565F3401009F02"
         "060000000040009F03060000000000009F1A020124950580000480005F2A0201249A031911059C01019F370452BF4585820218009F3602001"
         "C9F100706010A03A060109F260829CCA15AE665FA2F", 1, ""},
        {"--help", 0, ""},
    };
    for (const auto& r : RUNS) {
        const Ran ran = cli(r.args, "0123456789ABCDEF\n");
        EXPECT_EQ(ran.status, r.status) << r.args;
        EXPECT_TRUE(ran.err.starts_with(r.err)) << r.args << "\n" << ran.err;
    }
    EXPECT_EQ(cli("run des -0 4E6F772069732074 --key -", "0123456789ABCDEF\n").out,
              "Encrypted data: 3FA40E8A984D4815  (8 bytes)\nCheckVal = D5D44FF7\n");
    EXPECT_TRUE(cli("--version").out.starts_with("tabrix-cli V1.63 (Tabrix! V1.63), built "));
}

TEST(CliList, EveryRowInDropListOrder)
{
    const json rows = json::parse(cli("list --json").out);
    std::size_t n = 0;
    for (int i = 0; catalogue[i].id != OP_END; ++i) {
        if (catalogue[i].id == OP_SEPARATOR)
            continue;
        ASSERT_LT(n, rows.size());
        const json& row = rows[n++];
        EXPECT_EQ(row["name"], catalogue[i].name);
        for (const json& f : row["fields"])
            EXPECT_EQ(f["title"], catalogue[i].field[f["index"].get<int>()].label) << catalogue[i].name;
    }
    EXPECT_EQ(n, rows.size());
    // The size rules the handlers apply, in words: a multiple, an exact length, any length.
    EXPECT_EQ(rows[1]["fields"][0]["size"], "a multiple of 16 bytes"); // AES [rev]
    EXPECT_EQ(rows[2]["fields"][1]["size"], "exactly 8 bytes");        // DES key
    EXPECT_EQ(rows[2]["fields"][2]["size"], "exactly 8 bytes, or empty");
    const json& parity = *std::find_if(rows.begin(), rows.end(), [](const json& r) { return r["name"] == "Parity Adjust (msb even)"; });
    EXPECT_EQ(parity["fields"][0]["size"], "any length up to 1024 bytes");
    EXPECT_FALSE(parity["fields"][1].contains("size")); // an output
}

// One row, by name or abbreviation: its fields with direction, kind, size, default, aliases and parts;
// JSON indented. The key block padding is --pad on the command line, "padding" in batch files.
TEST(CliList, OneRow)
{
    const Ran des = cli("list des --json");
    EXPECT_EQ(des.status, 0);
    EXPECT_TRUE(des.out.starts_with("{\n  \"check_value\": true,\n  \"fields\": [\n    {\n")) << des.out;
    EXPECT_EQ(json::parse(des.out)["name"], "DES");
    const Ran build = cli("list 'key block - build'");
    EXPECT_NE(build.out.find("\n    3  --pad                 Padding (optional, random if empty):  (input, hex, any length up "
                             "to 1024 bytes, or empty; empty means random; also \"padding\" in batch files (--padding is "
                             "run's own))\n"), std::string::npos) << build.out;
}

TEST(CliSelftest, Passes)
{
    const Ran ran = cli("selftest");
    EXPECT_EQ(ran.status, 0) << ran.out;
    EXPECT_TRUE(ran.out.ends_with(" passed, 0 failed\n")) << ran.out;
}

} // namespace
