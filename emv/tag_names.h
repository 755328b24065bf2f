// tag_names.h: the names of common EMV data elements (EMV 4.3 Book 3 Annex A, and the contactless
// qualifiers of the schemes' public descriptions), by tag.
#pragma once

#include <cstdint>
#include <string_view>

// The element's name, or "" for a tag not in the table.
std::string_view tag_name(std::uint32_t tag);
