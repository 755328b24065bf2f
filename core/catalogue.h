// catalogue.h: the operation catalogue, the plug-in table of the workbench, and the control ids it names.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/controls.h"

// Operation ids. Both RSA rows carry OP_RSA; id 10 is not used.
enum : std::int32_t {
    OP_SEPARATOR = 0,
    OP_XOR = 1,
    OP_AES = 2,
    OP_DES = 3,
    OP_MKWK_DES = 4,
    OP_TDES = 5,
    OP_TDES_K24 = 6,
    OP_TDES_MAC = 7,
    OP_MKWK_TDES = 8,
    OP_RSA = 9,
    OP_MD5 = 11,
    OP_SHA1 = 12,
    OP_SHA256 = 13,
    OP_SHA384 = 14,
    OP_SHA512 = 15,
    OP_CRC16 = 16,
    OP_DUKPT_DES_PIN = 17,
    OP_DUKPT_DES_MAC = 18,
    OP_DUKPT_TDES_PIN = 19,
    OP_DUKPT_TDES_MAC_REQ = 20,
    OP_DUKPT_TDES_MAC_RESP = 21,
    OP_DUKPT_TDES_DATA_REQ = 22,
    OP_DUKPT_TDES_DATA_RESP = 23,
    OP_DUKPT_IPEK = 24,
    OP_PARITY_LSB_ODD = 25,
    OP_PARITY_LSB_EVEN = 26,
    OP_PARITY_MSB_ODD = 27,
    OP_PARITY_MSB_EVEN = 28,
    OP_END = 29,
    // Rows beyond these take ids from their family's range, declared beside the family's rows:
    // 30-39 PIN blocks, MAC and check values; 40-49 AES DUKPT; 50-59 key blocks; 60-69 EMV; 70-79 EMV data;
    // 80-89 and 110-119 card and PIN verification; 90-109 PIN translation, key components, MACs and HMAC.
};

// Flags word. The low 16 bits are the block modes, options and output tail; the bits above them
// mark fields that hold decimal digit strings (PINs, PANs) or text (key blocks) rather than bytes.
enum : std::uint32_t {
    OPF_ECB = 0x0001,
    OPF_CBC = 0x0002,
    OPF_MAC = 0x0004,
    OPF_REVERSE = 0x0008,
    OPF_CHECK_VALUE = 0x0010,
    OPF_IPEK_OPTION = 0x0020,
    OPF_AES_IK = 0x0040,      // with OPF_IPEK_OPTION: the box reads "Use IK" and field 2 takes an AES initial key
    OPF_OUTPUT_TAIL = 0xC000, // how many input fields, counted back from field 3, are outputs
    OPF_DIGITS0 = 0x10000,    // field 0 holds decimal digits; OPF_DIGITS0 << i for field i
    OPF_TEXT0 = 0x200000,     // field 0 holds text kept as typed; OPF_TEXT0 << i for field i
};

constexpr std::uint32_t OPF_DIGITS(int field) { return OPF_DIGITS0 << field; }
constexpr std::uint32_t OPF_TEXT(int field) { return OPF_TEXT0 << field; }

inline constexpr std::uint32_t TAIL_NONE = 0x0000;
inline constexpr std::uint32_t TAIL_FIELD3 = 0x4000;
inline constexpr std::uint32_t TAIL_FIELD2 = 0x8000;
inline constexpr std::uint32_t TAIL_FIELD1 = 0xC000;

using OperationHandler = int (*)();
using RowFunction = void (*)();

// What a field holds, as the codec reads it: hexadecimal bytes (or ASCII with its box ticked), decimal
// digits kept as typed, or text kept as typed. The row's flags say which (OPF_DIGITS, OPF_TEXT).
enum class FieldKind : std::uint8_t { Hex, Digits, Text };

// The sizes a field accepts, counted in its kind's unit (bytes, digits or characters): one of up to
// three exact sizes, or a range, optionally in steps; and whether it may be left empty. The row's
// handler enforces them with its own messages; the console and the tests read them from here.
struct SizeRule {
    std::array<std::uint16_t, 3> sizes{}; // exact sizes; the first 0 ends the list
    std::uint16_t min = 0;
    std::uint16_t max = 0;      // 0: up to the field's capacity
    std::uint16_t multiple = 0; // 0: any step
    bool optional = false;      // empty is accepted
};

constexpr SizeRule exactly(std::uint16_t n) { return {{n, 0, 0}, n, n, 0, false}; }
constexpr SizeRule one_of(std::uint16_t a, std::uint16_t b, std::uint16_t c = 0)
{
    return {{a, b, c}, a, c ? c : b, 0, false};
}
constexpr SizeRule between(std::uint16_t min, std::uint16_t max) { return {{}, min, max, 0, false}; }
constexpr SizeRule multiple_of(std::uint16_t n) { return {{}, n, 0, n, false}; }
constexpr SizeRule any_size() { return {}; }
constexpr SizeRule or_empty(SizeRule rule)
{
    rule.optional = true;
    return rule;
}

// A named part of a text field that holds several values, separated by the field's separator,
// as in "4123456789012345/8701/101". Parts left out at the end take their defaults.
struct FieldPart {
    const char* role;         // its console option and JSON key
    const char* title;        // in words, for list
    FieldKind kind;
    SizeRule size;
    const char* message;      // the refusal of a part of the wrong kind or size, e.g. "Invalid PAN length!"
    const char* default_text; // what a part left out means; nullptr: it is required
};

// A field of a row: its title (nullptr hides the field) and picture, and what the console and the
// tests need to know of it. Its kind and whether it is an output are in the row's flags.
struct FieldLook {
    const char* label;
    std::int32_t icon;
    const char* role = nullptr;         // its console option and JSON key, unique in the row
    SizeRule size = {};
    const char* aliases = nullptr;      // other names accepted, blank-separated
    const char* default_text = nullptr; // what an empty input means, where it means more than nothing
    std::uint16_t capacity = 0;         // in its unit; 0: 1024 bytes (4096 typed characters)
    std::span<const FieldPart> parts = {};
    char separator = '/';
};

struct OperationRow {
    std::int32_t id;
    const char* name;
    FieldLook field[5]; // label[i], icon[i] for fields 0 to 4
    const char* help;
    OperationHandler handler;
    std::uint32_t flags;
    const void* context = nullptr;    // the row's own record for its handler (its cipher, its cryptogram version)
    RowFunction check_value = nullptr; // writes the check-value line of rows with OPF_CHECK_VALUE
};

// Fields a row does not use: hidden, with the picture that stands in their place (or none).
inline constexpr FieldLook HIDDEN_ARROW = {nullptr, 124};
inline constexpr FieldLook HIDDEN_FUNNEL = {nullptr, 125};
inline constexpr FieldLook HIDDEN_DASHES = {nullptr, 126};
inline constexpr FieldLook HIDDEN_EMPTY = {nullptr, -1};

// A separator: a heading in the drop-list, and a centre picture instead of fields.
constexpr OperationRow separator(const char* name, std::int32_t centre_picture)
{
    return {OP_SEPARATOR, name, {{nullptr, centre_picture}, {nullptr, 0}, {nullptr, 0}, {nullptr, 0}, {nullptr, 0}},
            nullptr, nullptr, 0x0000};
}

// The drop-list entries in their order, then the end row: the 43 original entries first, then
// each family's rows under its own separators. Joined above core/, in rows/catalogue.cpp.
extern const std::span<const OperationRow> catalogue;
extern const int CATALOGUE_ROWS;

inline std::uint32_t row_tail(const OperationRow& row) { return row.flags & OPF_OUTPUT_TAIL; }
inline bool field_holds_digits(const OperationRow& row, int index) { return (row.flags & OPF_DIGITS(index)) != 0; }
inline bool field_holds_text(const OperationRow& row, int index) { return (row.flags & OPF_TEXT(index)) != 0; }
inline FieldKind field_kind(const OperationRow& row, int index)
{
    return field_holds_digits(row, index) ? FieldKind::Digits
           : field_holds_text(row, index) ? FieldKind::Text
                                          : FieldKind::Hex;
}

// Field i (1 to 3) is an output of the row; field 4 always is.
bool field_is_output(const OperationRow& row, int index);

// Control ids of each field, indexed 0 to 4; -1 where a field has none.
extern const std::array<int, 5> field_edit_id;
extern const std::array<int, 5> field_label_id;
extern const std::array<int, 5> field_counter_id;
extern const std::array<int, 5> field_ascii_id;
extern const std::array<int, 5> field_adjust_id;
extern const std::array<int, 5> field_icon_id;

// The catalogue pictures, loaded once when the main window opens; closed by a slot with id 0.
struct BitmapSlot {
    std::int32_t id;
    std::uintptr_t image; // PictureRef, 0 if loading failed
};
inline constexpr int BITMAP_SLOTS = 27; // 26 pictures and the closing slot
extern std::array<BitmapSlot, BITMAP_SLOTS> bitmap_table;

// The loaded image for an icon value, or 0 when it is negative, not in the table or not loaded.
std::uintptr_t resolve_icon(std::int32_t icon);
