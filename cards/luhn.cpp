// luhn.cpp: Luhn sums and check digit.
#include "cards/luhn.h"

namespace {

int sum_from_right(std::string_view digits, bool double_first)
{
    int sum = 0;
    bool twice = double_first;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it, twice = !twice) {
        const int d = (*it - '0') * (twice ? 2 : 1);
        sum += d > 9 ? d - 9 : d;
    }
    return sum;
}

} // namespace

int luhn_sum(std::string_view digits) { return sum_from_right(digits, false); }
int luhn_payload_sum(std::string_view digits) { return sum_from_right(digits, true); }
char luhn_check_digit(std::string_view digits) { return static_cast<char>('0' + (10 - luhn_payload_sum(digits) % 10) % 10); }
