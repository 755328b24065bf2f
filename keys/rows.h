// rows.h: the drop-list rows of key components (combine and split, with check values and parity); ids 95-99.
#pragma once

#include <array>
#include <string_view>

#include "core/catalogue.h"
#include "keys/handlers.h"

enum : std::int32_t {
    OP_KEY_COMBINE = 95, // DES / Triple-DES, the same adjusted to odd parity, and AES: told apart by their record
    OP_KEY_SPLIT = 96,
};

inline constexpr std::string_view MSG_COMPONENT_LENGTHS = "Components differ in length!";
inline constexpr std::string_view MSG_COMPONENT_COUNT = "Invalid number of components!";
inline constexpr std::string_view MSG_TOO_MANY_COMPONENTS = "Two components take one random component!";

// The keys a row joins or splits: DES / Triple-DES (by length) or AES; whether the key is adjusted to odd parity.
struct ComponentsRow {
    bool aes;
    bool adjust_parity;
};

namespace key_component_rows {

inline constexpr ComponentsRow DES = {false, false};
inline constexpr ComponentsRow DES_ODD = {false, true};
inline constexpr ComponentsRow AES = {true, false};

inline constexpr FieldPart DES_KEY_PARTS[] = {
    {"key", "Key (8, 16 or 24 bytes)", FieldKind::Hex, one_of(8, 16, 24), "Invalid key length!", nullptr},
    {"components", "Number of components (2 or 3; empty: 3)", FieldKind::Digits, exactly(1),
     "Invalid number of components!", "3"},
};
inline constexpr FieldPart AES_KEY_PARTS[] = {
    {"key", "Key (16, 24 or 32 bytes)", FieldKind::Hex, one_of(16, 24, 32), "Invalid key length!", nullptr},
    DES_KEY_PARTS[1],
};
inline constexpr FieldPart RANDOM_PARTS[] = {
    {"component-1", "Random component 1 (empty: random)", FieldKind::Hex, or_empty(between(8, 32)),
     "Components differ in length!", nullptr},
    {"component-2", "Random component 2 (3 components; empty: random)", FieldKind::Hex, or_empty(between(8, 32)),
     "Components differ in length!", nullptr},
};

constexpr FieldLook DES_COMPONENT_1 = {"Component 1 (8, 16 or 24 bytes):", 115, "component-1", one_of(8, 16, 24)};
constexpr FieldLook DES_COMPONENT_2 = {"Component 2 (as long as component 1):", 115, "component-2", one_of(8, 16, 24)};
constexpr FieldLook DES_COMPONENT_3 = {"Component 3 (optional):", 115, "component-3", or_empty(one_of(8, 16, 24)),
                                       nullptr, "none"};
constexpr FieldLook AES_COMPONENT_1 = {"Component 1 (16, 24 or 32 bytes):", 115, "component-1", one_of(16, 24, 32)};
constexpr FieldLook AES_COMPONENT_2 = {"Component 2 (as long as component 1):", 115, "component-2", one_of(16, 24, 32)};
constexpr FieldLook AES_COMPONENT_3 = {"Component 3 (optional):", 115, "component-3", or_empty(one_of(16, 24, 32)),
                                       nullptr, "none"};
constexpr FieldLook CHECK_VALUES = {"Check values and parity:", 121,
                                    "check-values"};
constexpr FieldLook AES_CHECK_VALUES = {"Check values (legacy; key's CMAC):", 121, "check-values"};
constexpr FieldLook KEY_OUT = {"Key (XOR of the components):", 115, "key"};
constexpr FieldLook DES_SPLIT_KEY = {"Key (8, 16 or 24 bytes) / components (2 or 3; empty: 3):", 115,
                                     "key-and-count", any_size(), nullptr, nullptr, 0, DES_KEY_PARTS};
constexpr FieldLook AES_SPLIT_KEY = {"Key (16, 24 or 32 bytes) / components (2 or 3; empty: 3):", 115,
                                     "key-and-count", any_size(), nullptr, nullptr, 0, AES_KEY_PARTS};
constexpr FieldLook RANDOM_IN = {"Random components 1 / 2 (optional; empty: random):", 116, "random-components",
                                 or_empty(any_size()), nullptr, "random", 0, RANDOM_PARTS};
constexpr FieldLook RANDOM_USED = {"Random components used:", 116, "components-used"};
constexpr FieldLook LAST_OUT = {"Last component:", 115, "last-component"};

constexpr std::uint32_t COMBINE_FLAGS = OPF_TEXT(3) | TAIL_FIELD3;
constexpr std::uint32_t SPLIT_FLAGS = OPF_TEXT(0) | OPF_TEXT(1) | OPF_TEXT(2) | OPF_TEXT(3) | TAIL_FIELD2;

#define COMPONENTS "Key components - XOR of 2 or 3 (ANSI X9.24-1, ISO 11568-2)\r"

inline constexpr std::array<OperationRow, 6> ROWS{{
    separator("======================= KEY COMPONENTS ========================", 135),
    {OP_KEY_COMBINE, "Key Components Combine (DES / Triple-DES)",
     {DES_COMPONENT_1, DES_COMPONENT_2, DES_COMPONENT_3, CHECK_VALUES, KEY_OUT},
     COMPONENTS "(legacy check values, parity; CMAC check value for Triple-DES)", combine_components_handler,
     COMBINE_FLAGS, &DES},
    {OP_KEY_COMBINE, "Key Components Combine, odd parity (DES / TDES)",
     {DES_COMPONENT_1, DES_COMPONENT_2, DES_COMPONENT_3, CHECK_VALUES, KEY_OUT},
     COMPONENTS "(the key adjusted to odd parity; check values, parity)", combine_components_handler,
     COMBINE_FLAGS, &DES_ODD},
    {OP_KEY_COMBINE, "Key Components Combine (AES)",
     {AES_COMPONENT_1, AES_COMPONENT_2, AES_COMPONENT_3, AES_CHECK_VALUES, KEY_OUT},
     COMPONENTS "(legacy check values; the key's CMAC check value)", combine_components_handler, COMBINE_FLAGS, &AES},
    {OP_KEY_SPLIT, "Key Components Split (DES / Triple-DES)",
     {DES_SPLIT_KEY, RANDOM_IN, RANDOM_USED, CHECK_VALUES, LAST_OUT},
     COMPONENTS "(split: the last component is the key XOR the random ones)", split_key_handler, SPLIT_FLAGS, &DES},
    {OP_KEY_SPLIT, "Key Components Split (AES)", {AES_SPLIT_KEY, RANDOM_IN, RANDOM_USED, AES_CHECK_VALUES, LAST_OUT},
     COMPONENTS "(split: the last component is the key XOR the random ones)", split_key_handler, SPLIT_FLAGS, &AES},
}};

#undef COMPONENTS

} // namespace key_component_rows

inline constexpr auto KEY_COMPONENT_ROWS = key_component_rows::ROWS;
