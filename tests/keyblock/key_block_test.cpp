// key_block_test.cpp: the published key blocks of tests/data/keyblock.jsonl through the two rows on the
// fake window: each opens to its key, check value and header, each rebuilds byte for byte from its
// own padding and opens again, and each malformed block or header is refused with the message of
// the rule it breaks, its field selected and focused, no output written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "tests/support/workbench.h"

namespace {

using nlohmann::json;

constexpr const char* OPEN = "Key Block - open and verify";
constexpr const char* BUILD = "Key Block - build";

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
    {"too_long", "Key block too long!", 2, 2},
};

std::vector<json> cases()
{
    std::ifstream file(std::filesystem::path(__FILE__).parent_path().parent_path() / "data" / "keyblock.jsonl");
    std::vector<json> all;
    for (std::string line; std::getline(file, line);)
        all.push_back(json::parse(line));
    return all;
}

class KeyBlocks : public Workbench {
protected:
    void open(const std::string& block, const std::string& kbpk)
    {
        choose(OPEN);
        run_with(block, kbpk);
    }

    void expect_opened(const json& expected, const std::string& block)
    {
        EXPECT_EQ(last_message(), "");
        EXPECT_EQ(output(), expected["key"].get<std::string>());
        if (expected["kcv"].is_string()) {
            EXPECT_EQ(text(3), expected["kcv"].get<std::string>());
        }
        const std::string words = text(2);
        const json& h = expected["header"];
        for (const auto& [title, name] : {std::pair{"Version ", "version_id"}, {"Usage ", "key_usage"},
                                          {"Algorithm ", "algorithm"}, {"Mode ", "mode_of_use"},
                                          {"Key version ", "key_version"}, {"Exportability ", "exportability"},
                                          {"Key context ", "key_context"}})
            EXPECT_NE(words.find(title + h[name].get<std::string>()), std::string::npos) << title << words;
        EXPECT_NE(words.find("Length " + block.substr(1, 4)), std::string::npos) << words;
        for (const json& o : expected["opt_blocks"])
            EXPECT_NE(words.find(o["id"].get<std::string>() + ": " + o["data"].get<std::string>()), std::string::npos)
                << words;
    }

    void expect_refused(std::string_view code, bool building)
    {
        const Refusal* refusal = nullptr;
        for (const Refusal& r : REFUSALS)
            if (r.code == code)
                refusal = &r;
        ASSERT_NE(refusal, nullptr) << code;
        const int field = building ? refusal->build_field : refusal->open_field;
        EXPECT_EQ(last_message(), refusal->message);
        EXPECT_EQ(w.focus, field_edit_id[field]);
        EXPECT_EQ(w.selected_all, field_edit_id[field]);
        for (int i : {2, 3, 4})
            if (field_is_output(selected_row(), i)) {
                EXPECT_EQ(text(i), "") << "output " << i;
            }
    }
};

TEST_F(KeyBlocks, PublishedBlocksOpenRebuildAndMalformedOnesAreRefused)
{
    const std::vector<json> all = cases();
    ASSERT_GT(all.size(), 100u);
    for (const json& c : all) {
        SCOPED_TRACE(c["name"].get<std::string>());
        const json& in = c["inputs"];
        const json& expected = c["expected"];
        const std::string kbpk = in["kbpk"];
        w.messages.clear();
        if (c["op"] == "tr31_unwrap") {
            const std::string block = in["key_block"];
            open(block, kbpk);
            if (expected.contains("error"))
                expect_refused(expected["error"].get<std::string>(), false);
            else
                expect_opened(expected, block);
            continue;
        }
        const std::string key = in["key"];
        choose(BUILD);
        run_with(in["header_template"].get<std::string>(), kbpk, key, in["padding"].get<std::string>());
        if (expected.contains("error")) {
            expect_refused(expected["error"].get<std::string>(), true);
            continue;
        }
        EXPECT_EQ(last_message(), "");
        const std::string block = output();
        if (expected.contains("key_block")) {
            EXPECT_EQ(block, expected["key_block"].get<std::string>());
        }
        open(block, kbpk);
        EXPECT_EQ(last_message(), "");
        EXPECT_EQ(output(), key);
        EXPECT_NE(text(2).find("Usage " + in["header_template"].get<std::string>().substr(5, 2)), std::string::npos);
    }
}

} // namespace
