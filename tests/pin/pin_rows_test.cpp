// pin_rows_test.cpp: the PIN block, CMAC and key check value rows through GO!, as a user drives them,
// against every line of tests/data/pin.jsonl: the published vectors (each line names its source), the
// rows' own refusals, and PIN blocks built then read back.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "core/controls.h"
#include "tests/support/workbench.h"

namespace {

using nlohmann::json;

constexpr const char* ZERO_KEY = "00000000000000000000000000000000";

std::vector<json> lines()
{
    std::ifstream file(TABRIX_TEST_DATA "/pin.jsonl");
    std::vector<json> all;
    for (std::string line; std::getline(file, line);)
        all.push_back(json::parse(line));
    EXPECT_GT(all.size(), 100u);
    return all;
}

std::string value(const json& in, const std::string& name)
{
    if (!in.contains(name))
        return "";
    return in[name].is_string() ? in[name].get<std::string>() : in[name].dump();
}

// How a shown output compares with the published value.
enum class Match { Whole, ShownStartsWith, ExpectedStartsWith, ShownEndsWith };
struct Output { int field; const char* name; Match match = Match::Whole; };
// Inputs typed into fields 0 to 3, by name; "=text" types the text itself.
struct Step { std::function<std::string(const json&)> row; std::array<const char*, 4> inputs; std::vector<Output> outputs; };

// The AES row, or the DES / Triple-DES one.
std::string by_alg(const json& in, const char* aes, const char* des) { return value(in, "alg") == "AES" ? aes : des; }

const auto FORMAT_ROW = [](const json& in) {
    return "PIN Block ISO Format " + value(in, "format") + (value(in, "format") == "4" ? " (AES)" : "");
};
const auto CMAC_ROW = [](const json& in) { return by_alg(in, "CMAC (AES)", "CMAC (Triple-DES)"); };
const auto KCV_ROW = [](const json& in) {
    return by_alg(in, "Key Check Values (AES)", "Key Check Values (DES / Triple-DES)");
};
const auto FIXED = [](const char* row) { return [row](const json&) { return std::string(row); }; };
const Step FIELDS = {FIXED("PIN Block ISO Format 4 fields"), {"pin", "pan", "random"}, {{3, "pan_field"}, {4, "pin_field"}}};
const Step DECIPHER = {FIXED("PIN Block ISO Format 4 (AES) [rev]"), {"block", "pan", "key"},
                       {{3, "random", Match::ShownEndsWith}, {4, "pin"}}};

const std::map<std::string, std::vector<Step>> RECIPES = {
    {"pinblock.encode", {{FORMAT_ROW, {"pin", "pan", "fill"}, {{4, "block"}}}}},
    {"pinblock.decode", {{FIXED("PIN Block ISO Format 0-3 [rev]"), {"block", "pan", "format"}, {{3, "fill"}, {4, "pin"}}}}},
    {"pinblock.format4.pin_field", {{FIELDS.row, {"pin", "=4111111111111111", "random"}, {{4, "pin_field"}}}}},
    {"pinblock.format4.pan_field", {{FIELDS.row, {"=1234", "pan"}, {{3, "pan_field"}}}}},
    {"pinblock.format4.encipher", {FIELDS, {FIXED("PIN Block ISO Format 4 (AES)"), {"pin", "pan", "key", "random"}, {{4, "block"}}}}},
    {"pinblock.format4.decipher", {DECIPHER}},
    // The PIN field enciphered twice under the zero key with the AES row: the PAN field of PAN "0" is zero.
    {"pinblock.format4.decode_pin_field", {{DECIPHER.row, {"block", "=0", "key"}, DECIPHER.outputs}}},
    {"cmac", {{CMAC_ROW, {"key", "msg"}, {{4, "mac"}}}}},
    {"cmac.truncated", {{CMAC_ROW, {"key", "msg", "length"}, {{4, "mac"}}}}},
    {"cmac.subkeys", {{KCV_ROW, {"key"}, {{1, "K1"}, {2, "K2"}, {3, "L", Match::ExpectedStartsWith}}}}},
    {"kcv.legacy", {{KCV_ROW, {"key"}, {{3, "kcv"}}}}},
    {"kcv.cmac", {{KCV_ROW, {"key"}, {{4, "kcv", Match::ShownStartsWith}}}}},
};

// The workbench's message and focused field for each rule the vectors name.
const std::map<std::string, std::pair<const char*, int>> REFUSALS = {
    {"FORMAT_MISMATCH", {"Invalid control digit!", 0}}, {"BLOCK_LENGTH", {"Invalid PIN block length!", 0}},
    {"PIN_LENGTH", {"Invalid PIN length!", 0}},         {"PIN_NOT_NUMERIC", {"Invalid PIN digit!", 0}},
    {"FILL_INVALID", {"Invalid fill digit!", 0}},       {"PAN_LENGTH", {"Invalid PAN length!", 1}},
    {"PAN_NOT_NUMERIC", {"Digits only!", 1}},
};

class PinRows : public Workbench {
protected:
    void run_step(const Step& step, const json& in)
    {
        choose(step.row(in));
        for (int i = 0; i < 4; ++i) {
            const std::string name = step.inputs[i] ? step.inputs[i] : "";
            type(i, name.starts_with('=') ? name.substr(1) : value(in, name));
        }
        w.messages.clear();
        run();
    }

    // The number of published values compared.
    int expect_outputs(const Step& step, const json& expected)
    {
        EXPECT_EQ(last_message(), "");
        int compared = 0;
        for (const Output& out : step.outputs) {
            if (!expected.contains(out.name))
                continue;
            ++compared;
            const std::string want = value(expected, out.name), shown = text(out.field);
            const bool ok = out.match == Match::ShownStartsWith      ? shown.starts_with(want)
                            : out.match == Match::ExpectedStartsWith ? !shown.empty() && want.starts_with(shown)
                            : out.match == Match::ShownEndsWith      ? shown.ends_with(want)
                                                                     : shown == want;
            EXPECT_TRUE(ok) << out.name << ": shown " << shown << ", published " << want;
        }
        return compared;
    }

    void expect_refusal(const std::string& message, int field)
    {
        EXPECT_EQ(last_message(), message);
        EXPECT_EQ(w.focus, field_edit_id[field]) << message;
        EXPECT_EQ(output(), "") << message;
    }

    // Through the AES row twice, under the zero key; a value that is no whole block goes as it is.
    std::string enciphered_twice(const std::string& pin_field)
    {
        if (pin_field.size() != 32)
            return pin_field;
        choose("AES");
        run_with(pin_field, "", ZERO_KEY);
        click(IDC_COPY_TO_INPUT);
        run();
        return output();
    }
};

TEST_F(PinRows, EveryLineOfTheDataFileThroughTheRows)
{
    for (const json& line : lines()) {
        const std::string op = line["op"];
        if (op == "roundtrip")
            continue;
        SCOPED_TRACE(line.dump());
        json in = line["inputs"];
        const json& expected = line["expected"];
        if (op == "refusal") {
            choose(line["row"].get<std::string>());
            for (int i = 0; i < 4; ++i)
                type(i, i < static_cast<int>(in.size()) ? in[i].get<std::string>() : "");
            run();
            expect_refusal(expected["message"], expected["focus"]);
            continue;
        }
        ASSERT_TRUE(RECIPES.contains(op)) << op;
        if (op == "pinblock.format4.decode_pin_field") {
            in["block"] = enciphered_twice(in["pin_field"]);
            in["key"] = ZERO_KEY;
        }
        int compared = 0;
        for (const Step& step : RECIPES.at(op)) {
            run_step(step, in);
            if (!expected.contains("error")) {
                compared += expect_outputs(step, expected);
                continue;
            }
            const std::string code = expected["error"];
            const bool typed_digits = code.ends_with("NOT_NUMERIC") && in.contains(code.starts_with("PIN") ? "pin" : "pan");
            auto [message, field] = REFUSALS.at(code);
            expect_refusal(typed_digits ? "Digits only!" : message, field);
        }
        EXPECT_TRUE(compared > 0 || expected.contains("error"));
    }
}

// A block built with drawn fill (or random) reads back to its PIN, and to the fill the build showed.
TEST_F(PinRows, BuiltBlocksReadBackToTheirPin)
{
    for (const json& line : lines()) {
        if (line["op"] != "roundtrip")
            continue;
        SCOPED_TRACE(line.dump());
        json in = line["inputs"];
        const bool aes = in["format"] == 4;
        if (aes)
            in["fill"] = ZERO_KEY; // field 2 of the format 4 row is its key
        run_step({FORMAT_ROW, {"pin", "pan", "fill"}, {}}, in);
        const std::string fill = text(3);
        choose(aes ? "PIN Block ISO Format 4 (AES) [rev]" : "PIN Block ISO Format 0-3 [rev]");
        click(IDC_COPY_TO_INPUT);
        type(1, value(in, "pan"));
        type(2, aes ? ZERO_KEY : "");
        run();
        EXPECT_EQ(output(), value(in, "pin")) << last_message();
        if (!aes) {
            EXPECT_EQ(text(3), in["format"] == 0 || in["format"] == 2 ? std::string(14 - value(in, "pin").size(), 'F') : fill);
        }
    }
}

} // namespace
