// key_block_test.cpp: the key blocks of tests/data/keyblock.jsonl through the two rows on the fake
// window: each published block opens to its key, check value and header, and rebuilds byte for byte
// from its own padding; each built block opens again; each malformed block or header is refused
// with the message of the rule it breaks, its field selected and focused, no output written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "tests/support/workbench.h"

namespace {

using nlohmann::json;

// The data file's reason codes: the message each shows, and the field it selects opening and building.
struct Refusal {
    std::string_view code, message;
    int open_field, build_field;
};
constexpr Refusal REFUSALS[] = {
    {"length_mismatch", "Key block length does not match its header!", 0, 0},
    {"bad_length", "Invalid key block length!", 0, 0},
    {"bad_header_char", "Invalid header character!", 0, 0},
    {"unknown_version", "Unknown key block version!", 0, 0},
    {"bad_opt_block", "Invalid optional block!", 0, 0},
    {"bad_hex", "Key block data not hexadecimal!", 0, 0},
    {"bad_kbpk_length", "Invalid KBPK length!", 1, 1},
    {"bad_key_length", "Invalid key length!", 0, 2},
    {"mac_mismatch", "Key block MAC does not verify!", 0, 0},
    {"bad_padding", "Invalid padding length!", 3, 3},
    {"too_long", "Key block too long!", 0, 2},
    {"field_size", "Invalid field size!", 0, 2},
};

class KeyBlocks : public Workbench {
protected:
    void open(const std::string& block, const std::string& kbpk)
    {
        choose("Key Block - open and verify");
        run_with(block, kbpk);
    }

    void expect_opened(const json& expected, const std::string& block)
    {
        EXPECT_EQ(last_message(), "");
        EXPECT_EQ(output(), expected["key"]);
        EXPECT_TRUE(expected["kcv"].is_null() || text(3) == expected["kcv"]) << text(3);
        const std::string words = text(2);
        std::vector<std::string> parts = {"Length " + block.substr(1, 4)};
        for (const auto& [title, name] : {std::pair{"Version ", "version_id"}, {"Usage ", "key_usage"},
                                          {"Algorithm ", "algorithm"}, {"Mode ", "mode_of_use"},
                                          {"Key version ", "key_version"}, {"Exportability ", "exportability"},
                                          {"Key context ", "key_context"}})
            parts.push_back(title + expected["header"][name].get<std::string>());
        for (const json& o : expected["opt_blocks"])
            parts.push_back(o["id"].get<std::string>() + ": " + o["data"].get<std::string>());
        for (const std::string& part : parts)
            EXPECT_NE(words.find(part), std::string::npos) << part << " in " << words;
    }

    void expect_refused(const std::string& code, bool building)
    {
        const Refusal* r = std::find_if(std::begin(REFUSALS), std::end(REFUSALS), [&](auto& x) { return x.code == code; });
        ASSERT_NE(r, std::end(REFUSALS)) << code;
        const int field = field_edit_id[building ? r->build_field : r->open_field];
        EXPECT_EQ(last_message(), r->message);
        EXPECT_EQ(w.focus, field);
        EXPECT_EQ(w.selected_all, field);
        for (int i : {2, 3, 4})
            EXPECT_TRUE(!field_is_output(selected_row(), i) || text(i).empty()) << "output " << i;
    }
};

TEST_F(KeyBlocks, PublishedBlocksOpenAndRebuildAndMalformedOnesAreRefused)
{
    std::ifstream file(std::filesystem::path(__FILE__).parent_path().parent_path() / "data" / "keyblock.jsonl");
    int cases = 0;
    for (std::string line; std::getline(file, line); ++cases) {
        const json c = json::parse(line), &in = c["inputs"], &expected = c["expected"];
        SCOPED_TRACE(c["name"].get<std::string>());
        w.messages.clear();
        if (c["op"] == "tr31_unwrap") {
            open(in["key_block"], in["kbpk"]);
            if (expected.contains("error"))
                expect_refused(expected["error"], false);
            else
                expect_opened(expected, in["key_block"]);
            continue;
        }
        choose("Key Block - build");
        run_with(in["header_template"].get<std::string>(), in["kbpk"].get<std::string>(),
                 in["key"].get<std::string>(), in["padding"].get<std::string>());
        if (expected.contains("error")) {
            expect_refused(expected["error"], true);
            continue;
        }
        const std::string block = output();
        EXPECT_TRUE(!expected.contains("key_block") || block == expected["key_block"]) << block;
        open(block, in["kbpk"]);
        EXPECT_EQ(last_message(), "");
        EXPECT_EQ(output(), in["key"]);
    }
    EXPECT_GT(cases, 100);
}

} // namespace
