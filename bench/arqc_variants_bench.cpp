// arqc_variants_bench.cpp: the ARQC check's variant search over a DE55 that no variant matches, with the
// widest search there is (a 17-digit PAN: options A and B; a typed ATC: both ATCs; a PSN other than 00).
// Usage: arqc_variants_bench [searches, default 200]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "emv/arqc_variants.h"

namespace {

using Clock = std::chrono::steady_clock;

// pyemv's Visa CVN 18 elements with the cryptogram zeroed.
constexpr char DE55[] = "5F3401019F02060000000040009F03060000000000009F1A020124950580000480005F2A0201249A03191105"
                        "9C01019F370452BF4585820218009F3602001C9F100706011203A0B8009F26080000000000000000";

std::vector<std::uint8_t> bytes(const char* hex)
{
    std::vector<std::uint8_t> out;
    auto value = [](char c) { return c <= '9' ? c - '0' : c - 'A' + 10; };
    for (const char* p = hex; p[0] && p[1]; p += 2)
        out.push_back(static_cast<std::uint8_t>(value(p[0]) << 4 | value(p[1])));
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const auto de55 = bytes(DE55);
    const TlvReading reading = tlv_read(de55);
    ArqcCase c;
    if (!collect_arqc_elements(de55, reading, false, true, c.elements).empty())
        return 1;
    c.pan = "12345678901234567";
    c.psn = c.elements.psn;
    c.typed_atc = std::array<std::uint8_t, 2>{0x00, 0x01};
    c.imk.fill(0x01);
    std::vector<double> us;
    std::size_t found = 0;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        found += matching_variants(c).size();
        us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::sort(us.begin(), us.end());
    std::printf("variant search, no match (256 variants): median %.0f us, worst %.0f us over %d runs; %zu found\n",
                us[us.size() / 2], us.back(), runs, found);
    return found == 0 ? 0 : 1;
}
