// rows_test.cpp: the row cases of tests/data/rows/*.jsonl, in the console's batch form, run on the fake
// window through the same request builder and row driver as tabrix-cli: each case's expectations hold,
// and a window reused for every case, in any order, gives what a fresh window gives each.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include "cli/batch.h"
#include "core/controller.h"
#include "tests/support/cases.h"

namespace {

using nlohmann::json;

struct RowCase {
    std::string where;
    json line;
};

std::vector<RowCase> read_file(const std::string& file)
{
    std::ifstream in(file);
    EXPECT_TRUE(in) << file;
    std::vector<RowCase> cases;
    int number = 0;
    for (std::string text; std::getline(in, text);) {
        ++number;
        if (text.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        json line = json::parse(text);
        if (line.contains("row"))
            cases.push_back({file + ":" + std::to_string(number), std::move(line)}); // not a {"source": ...} line
    }
    return cases;
}

std::vector<std::string> case_files()
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(TABRIX_TEST_DATA "/rows"))
        if (entry.path().extension() == ".jsonl")
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

json run_case(HeadlessWindow& window, const RowCase& c)
{
    const CaseRequest request = read_case(c.line);
    EXPECT_EQ(request.problem, "") << c.where;
    if (!request.problem.empty())
        return {};
    const FormResult r = run_form(window, request.form);
    // A case that says what it expects is compared by its expectations (some rows draw random fill);
    // the others by everything the window shows.
    json j = c.line.contains("expect") ? json{{"mismatches", mismatches(c.line["expect"], *request.row, request.form, r)}}
                                       : result_json(*request.row, r);
    j["usage"] = r.usage;
    for (int i = 0; i < FIELD_COUNT; ++i) // what a leaking box would show beside the result
        j["ascii"].push_back(window[field_ascii_id[i]].checked);
    return j;
}

class RowCaseFiles : public ::testing::TestWithParam<std::string> {};

TEST_P(RowCaseFiles, EveryCaseMeetsItsExpectations)
{
    FakeWindow window;
    open_window(window);
    int checked = 0;
    for (const RowCase& c : read_file(GetParam())) {
        SCOPED_TRACE(c.where + ": " + c.line.dump());
        ASSERT_TRUE(c.line.contains("expect")) << "a row case says what it expects";
        const json result = run_case(window, c);
        ASSERT_EQ(result.value("usage", ""), "");
        for (const json& m : result["mismatches"])
            ADD_FAILURE() << m.get<std::string>();
        ++checked;
    }
    controller_destroy();
    EXPECT_GT(checked, 0);
}

INSTANTIATE_TEST_SUITE_P(Data, RowCaseFiles, ::testing::ValuesIn(case_files()),
                         [](const auto& info) {
                             std::string name = std::filesystem::path(info.param).stem().string();
                             std::replace(name.begin(), name.end(), '-', '_'); // a test name takes no '-'
                             return name;
                         });

// Every row case and self-test vector, each on a window opened for it alone, then all of them shuffled on
// one window: the results agree, so no box, mode, Padding, "Use IPEK" or output leaks between cases.
TEST(RowDriver, ShuffledOnOneWindowAsEachOnAFreshWindow)
{
    std::vector<RowCase> cases = read_file(TABRIX_TEST_DATA "/../../cli/selftest.jsonl");
    for (const std::string& file : case_files())
        for (RowCase& c : read_file(file))
            cases.push_back(std::move(c));
    for (RowCase c : read_file(TABRIX_TEST_DATA "/cli-window.jsonl"))
        cases.push_back(std::move(c));
    for (const char* family : {"aes", "des", "tdes", "digest", "dukpt", "xor_parity", "rsa"})
        for (Json& line : batch_form_cases(family))
            cases.push_back({family, std::move(line)});
    std::vector<json> fresh;
    for (const RowCase& c : cases) {
        FakeWindow window;
        open_window(window);
        fresh.push_back(run_case(window, c));
        controller_destroy();
    }
    std::vector<std::size_t> order(cases.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::shuffle(order.begin(), order.end(), std::mt19937(1963));
    FakeWindow window;
    open_window(window);
    for (std::size_t i : order)
        EXPECT_EQ(run_case(window, cases[i]), fresh[i]) << cases[i].where << ": " << cases[i].line.dump();
    controller_destroy();
    EXPECT_GT(cases.size(), 100u);
}

} // namespace
