// mac_length.cpp: reads the MAC length typed in decimal, empty meaning the whole MAC.
#include "mac/mac_length.h"

int mac_length(std::string_view typed, int whole)
{
    if (typed.empty())
        return whole;
    int length = 0;
    for (char c : typed) {
        if (c < '0' || c > '9' || length > whole)
            return 0;
        length = length * 10 + (c - '0');
    }
    return length >= MAC_MIN_BYTES && length <= whole ? length : 0;
}
