// seeds.cpp: writes seed inputs for fuzz_go and fuzz_batch from the published vectors and row cases in
// tests/data and the self-test's vectors, so that fuzzing starts from real cases of every row.
//   fuzz_seeds FOLDER      writes FOLDER/go/* and FOLDER/batch/*
#include <filesystem>
#include <fstream>
#include <iostream>

#include "cli/batch.h"
#include "core/controls.h"
#include "tests/support/batch_form.h"

namespace {

// fuzz_go's input: row, boxes (mode, Padding, "Use IPEK"), ASCII boxes, then fields 0 to 3 each ended by FF.
std::string go_input(const FormRequest& r)
{
    const int mode = r.mode == IDC_RADIO_CBC ? 1 : r.mode == IDC_RADIO_MAC ? 2 : 0;
    std::string s;
    s.push_back(static_cast<char>(r.row));
    s.push_back(static_cast<char>(mode | (r.padding ? 4 : 0) | (r.use_ipek ? 8 : 0)));
    char ascii = 0;
    for (int i = 0; i < 4; ++i)
        ascii = static_cast<char>(ascii | (r.ascii[i] ? 1 << i : 0));
    s.push_back(ascii);
    for (const auto& field : r.fields)
        s += field.value_or("") + '\xFF';
    return s;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: fuzz_seeds FOLDER\n";
        return 64;
    }
    const std::filesystem::path root = argv[1], data = TABRIX_TEST_DATA;
    std::filesystem::create_directories(root / "go");
    std::filesystem::create_directories(root / "batch");
    std::vector<std::filesystem::path> files = {data / ".." / ".." / "cli" / "selftest.jsonl"};
    for (const auto& dir : {data, data / "rows"})
        for (const auto& entry : std::filesystem::directory_iterator(dir))
            if (entry.path().extension() == ".jsonl")
                files.push_back(entry.path());
    int written = 0;
    for (const auto& file : files) {
        std::ifstream in(file);
        for (std::string text; std::getline(in, text);) {
            const nlohmann::json line = nlohmann::json::parse(text, nullptr, false);
            if (line.is_discarded() || !line.is_object() || !line.contains("row"))
                continue;
            const nlohmann::json batch = line.contains("in") ? batch_form(line) : line; // a family file's row case
            const CaseRequest c = read_case(batch);
            const std::string name = std::to_string(written++);
            std::ofstream(root / "batch" / name, std::ios::binary) << dump(batch);
            if (c.problem.empty())
                std::ofstream(root / "go" / name, std::ios::binary) << go_input(c.form);
        }
    }
    std::cout << written << " seeds\n";
    return 0;
}
