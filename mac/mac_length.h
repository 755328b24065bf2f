// mac_length.h: the optional MAC length the MAC rows take: 4 bytes up to the whole MAC.
#pragma once

#include <string_view>

inline constexpr int MAC_MIN_BYTES = 4;

// The typed decimal length, or whole when nothing is typed; 0 when it is out of 4..whole.
int mac_length(std::string_view typed, int whole);
