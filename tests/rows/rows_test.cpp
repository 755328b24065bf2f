// rows_test.cpp: the row cases of tests/data/rows/*.jsonl, in the console's batch form, run on the fake
// window through the same request builder and row driver as tabrix-cli: each case's expectations hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "cli/batch.h"
#include "tests/support/fake_window.h"

namespace {

class RowCaseFiles : public ::testing::TestWithParam<std::string> {};

TEST_P(RowCaseFiles, EveryCaseMeetsItsExpectations)
{
    std::ifstream in(GetParam());
    ASSERT_TRUE(in) << GetParam();
    FakeWindow window;
    int number = 0, checked = 0;
    for (std::string text; std::getline(in, text);) {
        ++number;
        if (text.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        const nlohmann::json line = nlohmann::json::parse(text);
        if (!line.contains("row"))
            continue; // a {"source": ...} line
        SCOPED_TRACE("line " + std::to_string(number) + ": " + text);
        const CaseRequest c = read_case(line);
        ASSERT_EQ(c.problem, "");
        const FormResult r = run_form(window, c.form);
        ASSERT_EQ(r.usage, "");
        ASSERT_TRUE(line.contains("expect")) << "a row case says what it expects";
        for (const std::string& m : mismatches(line["expect"], *c.row, c.form, r))
            ADD_FAILURE() << m;
        ++checked;
    }
    EXPECT_GT(checked, 0);
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

INSTANTIATE_TEST_SUITE_P(Data, RowCaseFiles, ::testing::ValuesIn(case_files()),
                         [](const auto& info) {
                             std::string name = std::filesystem::path(info.param).stem().string();
                             std::replace(name.begin(), name.end(), '-', '_'); // a test name takes no '-'
                             return name;
                         });

} // namespace
