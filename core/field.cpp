// field.cpp: the field text codec: lenient hexadecimal or literal ASCII text in, bytes out, and back.
#include "core/field.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "core/catalogue.h"
#include "core/controller.h"
#include "core/messages.h"
#include "core/seam.h"

FieldBuffer g_field[FIELD_COUNT];

namespace {

bool size_rule_admits(std::int32_t length, int size_rule, int capacity)
{
    if (length > capacity)
        return false;
    if (size_rule > 0)
        return length % size_rule == 0;
    if (size_rule < 0)
        return length == -size_rule;
    return true;
}


int text_limit_for(int capacity) { return std::max(FIELD_MAX_TEXT, 4 * capacity); }

bool is_digits_field(int index) { return field_holds_digits(selected_row(), index); }
bool is_text_field(int index) { return field_holds_text(selected_row(), index); }

void set_counter(int index, std::int32_t length, bool half)
{
    char text[32];
    if (is_digits_field(index))
        std::snprintf(text, sizeof text, length == 1 ? "%d digit" : "%d digits", static_cast<int>(length));
    else if (is_text_field(index))
        // "chars": "characters" wraps in the counter's box and leaves the number alone in sight.
        std::snprintf(text, sizeof text, length == 1 ? "%d char" : "%d chars", static_cast<int>(length));
    else
        std::snprintf(text, sizeof text, half ? "%d,5 bytes" : "%d bytes", static_cast<int>(length));
    g_window->set_text(field_counter_id[index], text);
}

// A decimal digit string: white space is dropped, anything else that is not a digit refuses it.
int parse_digits(int edit_id, std::uint8_t* dest, int size_rule, std::int32_t* length_out, int write_back,
                 int capacity)
{
    const std::string text = g_window->text(edit_id, text_limit_for(capacity));
    std::string digits;
    bool only_digits = true;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
            continue;
        only_digits = only_digits && c >= '0' && c <= '9';
        digits.push_back(c);
    }
    // Every character counts, so that a stray letter keeps GO! enabled and is named when GO! reads the field.
    auto length = static_cast<std::int32_t>(digits.size());
    *length_out = length;
    digits.copy(reinterpret_cast<char*>(dest), std::min<std::size_t>(digits.size(), static_cast<std::size_t>(capacity)));
    if (!only_digits)
        return PARSE_NOT_DIGITS;
    if (!size_rule_admits(length, size_rule, capacity))
        return PARSE_BAD_SIZE;
    if (write_back)
        g_window->set_text(edit_id, digits);
    return PARSE_OK;
}

// Parses field index into its buffer; the stored length never claims more than the buffer holds.
int parse_into_buffer(int index, int size_rule, int write_back)
{
    FieldBuffer& buffer = g_field[index];
    const int capacity = field_capacity(index);
    std::int32_t counted = 0;
    int result;
    if (is_digits_field(index)) {
        result = parse_digits(field_edit_id[index], buffer.data, size_rule, &counted, write_back, capacity);
    } else {
        // A text field is ASCII always; over-long text is counted whole and refused when GO! reads it.
        int ascii = is_text_field(index) || g_window->checked(field_ascii_id[index]) ? 1 : 0;
        result = field_parse(field_edit_id[index], ascii, buffer.data, size_rule, &counted,
                             is_text_field(index) ? 0 : write_back, capacity);
    }
    buffer.length = std::min(counted, capacity);
    set_counter(index, counted, result == PARSE_ODD_DIGITS);
    return result;
}

} // namespace

int hex_value(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

int field_parse(int edit_id, int ascii, std::uint8_t* dest, int size_rule, std::int32_t* length_out, int write_back,
                int capacity)
{
    const std::string text = g_window->text(edit_id, text_limit_for(capacity));

    if (ascii) {
        auto length = static_cast<std::int32_t>(text.size());
        *length_out = length;
        if (!size_rule_admits(length, size_rule, capacity))
            return PARSE_BAD_SIZE;
        if (dest)
            text.copy(reinterpret_cast<char*>(dest), text.size());
        return PARSE_OK;
    }

    // Every hexadecimal digit counts, so that over-long text is refused rather than cut.
    std::string digits;
    digits.reserve(text.size());
    for (char c : text)
        if (int v = hex_value(c); v >= 0)
            digits.push_back(HEX_DIGITS[v]);

    auto length = static_cast<std::int32_t>(digits.size() / 2);
    *length_out = length;
    if (digits.size() % 2 != 0)
        return PARSE_ODD_DIGITS;
    if (!size_rule_admits(length, size_rule, capacity))
        return PARSE_BAD_SIZE;
    if (write_back)
        g_window->set_text(edit_id, digits);
    if (dest)
        for (std::int32_t i = 0; i < length; ++i)
            dest[i] = static_cast<std::uint8_t>(hex_value(digits[2 * i]) << 4 | hex_value(digits[2 * i + 1]));
    return PARSE_OK;
}

int field_load(int index, int size_rule, int strict)
{
    int result = parse_into_buffer(index, size_rule, strict);
    if (result == PARSE_OK || !strict)
        return 1;
    show_field_error(index, result == PARSE_NOT_DIGITS ? MSG_DIGITS_ONLY : MSG_INVALID_FIELD_SIZE);
    return 0;
}

void recount_field(int index) { parse_into_buffer(index, 0, 0); }

void show_counter(int index) { set_counter(index, g_field[index].length, false); }

void field_show(int index)
{
    const FieldBuffer& buffer = g_field[index];
    set_counter(index, buffer.length, false);

    std::string text;
    if (is_digits_field(index)) {
        text.assign(reinterpret_cast<const char*>(buffer.data), static_cast<std::size_t>(buffer.length));
    } else if (is_text_field(index) || g_window->checked(field_ascii_id[index])) {
        // A text field keeps its line breaks (a multi-line result); other control bytes show as dots.
        const bool lines = is_text_field(index);
        text.reserve(static_cast<std::size_t>(buffer.length));
        for (std::int32_t i = 0; i < buffer.length; ++i) {
            const std::uint8_t b = buffer.data[i];
            text.push_back(b < 0x20 && !(lines && (b == '\r' || b == '\n')) ? '.' : static_cast<char>(b));
        }
    } else {
        text.reserve(2 * static_cast<std::size_t>(buffer.length));
        for (std::int32_t i = 0; i < buffer.length; ++i) {
            text.push_back(HEX_DIGITS[buffer.data[i] >> 4]);
            text.push_back(HEX_DIGITS[buffer.data[i] & 0x0F]);
        }
    }
    g_window->set_text(field_edit_id[index], text);
}

std::span<const std::uint8_t> field_bytes(int index)
{
    return {g_field[index].data, static_cast<std::size_t>(g_field[index].length)};
}

std::string_view field_text(int index)
{
    return {reinterpret_cast<const char*>(g_field[index].data), static_cast<std::size_t>(g_field[index].length)};
}

void show_bytes(int index, std::span<const std::uint8_t> bytes)
{
    FieldBuffer& field = g_field[index];
    const std::size_t length = std::min<std::size_t>(bytes.size(), static_cast<std::size_t>(field_capacity(index)));
    std::copy_n(bytes.begin(), length, field.data);
    field.length = static_cast<std::int32_t>(length);
    field_show(index);
}

void show_text(int index, std::string_view text)
{
    show_bytes(index, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

Verdict g_verdict = Verdict::None;

void show_verdict(int index, bool verified, std::string_view text)
{
    g_verdict = verified ? Verdict::Verified : Verdict::Mismatch;
    show_text(index, text);
}

int field_capacity(int index)
{
    const int capacity = selected_row().field[index].capacity;
    return capacity > 0 ? std::min(capacity, FIELD_STORAGE_BYTES) : FIELD_MAX_BYTES;
}

int field_text_limit(int index) { return text_limit_for(field_capacity(index)); }

namespace {

bool part_fits(const FieldPart& part, std::string_view text)
{
    for (char c : text) {
        const bool digit = c >= '0' && c <= '9';
        if ((part.kind == FieldKind::Digits && !digit) || (part.kind == FieldKind::Hex && hex_value(c) < 0))
            return false;
    }
    const SizeRule& rule = part.size;
    const auto n = static_cast<std::uint16_t>(std::min<std::size_t>(text.size(), 0xFFFF));
    const std::uint16_t length = part.kind == FieldKind::Hex ? static_cast<std::uint16_t>(n / 2) : n;
    if (part.kind == FieldKind::Hex && n % 2 != 0)
        return false;
    if (n == 0)
        return rule.optional;
    if (rule.sizes[0] != 0)
        return std::find(rule.sizes.begin(), rule.sizes.end(), length) != rule.sizes.end();
    return length >= rule.min && (rule.max == 0 || length <= rule.max) &&
           (rule.multiple == 0 || length % rule.multiple == 0);
}

std::string_view trimmed(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

} // namespace

bool field_parts(int index, std::span<std::string> parts)
{
    const FieldLook& look = selected_row().field[index];
    std::string_view rest = field_text(index);
    for (std::size_t i = 0; i < look.parts.size() && i < parts.size(); ++i) {
        const FieldPart& part = look.parts[i];
        const auto end = i + 1 < look.parts.size() ? rest.find(look.separator) : std::string_view::npos;
        std::string_view typed = trimmed(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (typed.empty() && part.default_text)
            typed = part.default_text;
        if (!part_fits(part, typed)) {
            show_field_error(index, part.message);
            return false;
        }
        parts[i].assign(typed);
    }
    return true;
}
