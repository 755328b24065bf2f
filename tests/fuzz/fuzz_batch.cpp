// fuzz_batch.cpp: one line into tabrix-cli's batch reader, its row run and its expectations compared, as
// `tabrix-cli batch` does. No crash; the line is a case whose result is printed or compared, or it is
// refused on standard error with its line number. Key generation is run only for keys of up to 48 bytes.
#include <sstream>

#include "cli/batch.h"
#include "core/handlers.h"
#include "tests/fuzz/fuzz_driver.h"

namespace {

// A line asking for a key larger than 48 bytes (or one given as text), which takes seconds to generate.
bool slow_key_generation(const std::string& line)
{
    if (!unreadable_line(line).empty())
        return false; // refused before it is read
    const nlohmann::json j = nlohmann::json::parse(line, nullptr, false);
    if (!j.is_object() || !j.contains("row") || !j["row"].is_string())
        return false;
    const RowMatch match = find_row(j["row"].get<std::string>());
    if (match.index < 0 || catalogue[match.index].handler != rsa_keygen_handler)
        return false;
    if (j.contains("ascii"))
        return true;
    const nlohmann::json inputs = j.value("inputs", nlohmann::json::object());
    if (!inputs.is_object())
        return false;
    for (const auto& [key, value] : inputs.items())
        if (field_by_key(describe_row(match.index), key) == 0 && value.is_string()) {
            const std::string digits = cleaned_hex(value.get<std::string>());
            if (digits.size() > 4 || (!digits.empty() && std::stoul(digits, nullptr, 16) > 48))
                return true;
        }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string line(reinterpret_cast<const char*>(data), size);
    if (line.find('\n') != std::string::npos || slow_key_generation(line))
        return 0;
    static HeadlessWindow window;
    static const bool opened = (open_window(window), true);
    std::istringstream in(line);
    std::ostringstream out, err;
    const BatchTotals totals = run_batch(in, out, err, window);
    (void)opened;
    FUZZ_CHECK(totals.cases <= 1, line);
    FUZZ_CHECK(totals.passed + totals.failed == totals.checked + (err.str().empty() ? 0 : 1), line + "\n" + err.str());
    std::istringstream refusals(err.str());
    for (std::string refusal; std::getline(refusals, refusal);)
        FUZZ_CHECK(refusal.starts_with("line 1: ") && refusal.size() > 8, "a refusal without its line: " + refusal);
    std::istringstream results(out.str());
    for (std::string result; std::getline(results, result);)
        FUZZ_CHECK(result.starts_with("line 1: ") || (result.starts_with("{") && result.find("\"line\":1") != std::string::npos),
                   "a result without its line: " + result);
    return 0;
}
