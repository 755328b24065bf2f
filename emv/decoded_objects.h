// decoded_objects.h: the objects the last run of a TLV-reading row decoded, for the console program's
// JSON (each object's tag, name, length, value, depth and whether it is a template).
#pragma once

#include <span>
#include <string>

struct DecodedObject {
    std::string tag, name;
    std::size_t length;
    std::string value;
    int depth;
    bool constructed;
};

// The context record of such a row: where its last run's objects are found (none after a refusal).
struct DecodedObjectsSource {
    std::span<const DecodedObject> (*objects)();
};

std::span<const DecodedObject> last_decoded_objects();
inline constexpr DecodedObjectsSource TLV_DECODED_OBJECTS = {last_decoded_objects};
