// fuzz_driver.cpp: the shared fuzzing helpers.
#include "tests/fuzz/fuzz_driver.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

std::string FuzzInput::text(std::size_t max, bool stop)
{
    std::string out;
    for (; pos_ < size_ && !(stop && data_[pos_] == 0xFF); ++pos_)
        if (data_[pos_] != 0 && out.size() < max)
            out.push_back(static_cast<char>(data_[pos_]));
    if (pos_ < size_)
        ++pos_;
    return out;
}

std::string cleaned_hex(std::string_view text)
{
    std::string out;
    for (char c : text)
        if (std::isxdigit(static_cast<unsigned char>(c)))
            out.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    return out;
}

void invariant_broken(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "invariant broken: %s\n%s\n", what, detail.c_str());
    std::abort();
}
