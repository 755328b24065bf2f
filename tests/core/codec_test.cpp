// The field text codec: parsing, size rules, counters, rewriting and showing, through the fake window.
#include <cstring>

#include "core/field.h"
#include "core/messages.h"
#include "tests/support/workbench.h"

using Codec = Workbench;

namespace {

struct ParseCase {
    const char* text;
    int ascii;
    int size_rule;
    int result;
    std::int32_t length;
    const char* bytes; // hexadecimal, when the parse succeeds
};

// Hexadecimal text is read leniently, ASCII literally.
const ParseCase PARSE_CASES[] = {
    {.text = "12 ab-CD", .ascii = 0, .size_rule = 0, .result = PARSE_OK, .length = 3, .bytes = "12ABCD"},
    {.text = "0x41", .ascii = 0, .size_rule = 0, .result = PARSE_ODD_DIGITS, .length = 1, .bytes = nullptr},
    {.text = "0x41 0x42", .ascii = 0, .size_rule = 0, .result = PARSE_OK, .length = 3, .bytes = "041042"},
    {.text = "ABC", .ascii = 0, .size_rule = 0, .result = PARSE_ODD_DIGITS, .length = 1, .bytes = nullptr},
    {.text = "\t01:02,\r\n03gz", .ascii = 0, .size_rule = 3, .result = PARSE_OK, .length = 3, .bytes = "010203"},
    {.text = "", .ascii = 0, .size_rule = 0, .result = PARSE_OK, .length = 0, .bytes = ""},
    {.text = "", .ascii = 0, .size_rule = 8, .result = PARSE_OK, .length = 0, .bytes = ""},
    {.text = "", .ascii = 0, .size_rule = -8, .result = PARSE_BAD_SIZE, .length = 0, .bytes = nullptr},
    {.text = "000102030405060708", .ascii = 0, .size_rule = -10, .result = PARSE_BAD_SIZE, .length = 9,
     .bytes = nullptr},
    {.text = "00010203040506070809", .ascii = 0, .size_rule = -10, .result = PARSE_OK, .length = 10,
     .bytes = "00010203040506070809"},
    {.text = "0001020304050607080910", .ascii = 0, .size_rule = -10, .result = PARSE_BAD_SIZE, .length = 11,
     .bytes = nullptr},
    {.text = "0011223344556677", .ascii = 0, .size_rule = 16, .result = PARSE_BAD_SIZE, .length = 8, .bytes = nullptr},
    {.text = "AB", .ascii = 1, .size_rule = 0, .result = PARSE_OK, .length = 2, .bytes = "4142"},
    {.text = "A\r\nB", .ascii = 1, .size_rule = 0, .result = PARSE_OK, .length = 4, .bytes = "410D0A42"},
    {.text = "ABC", .ascii = 1, .size_rule = -2, .result = PARSE_BAD_SIZE, .length = 3, .bytes = nullptr},
    {.text = "0x", .ascii = 1, .size_rule = 0, .result = PARSE_OK, .length = 2, .bytes = "3078"},
};

} // namespace

TEST_F(Codec, ParsesTextIntoBytes)
{
    for (const ParseCase& c : PARSE_CASES) {
        w[IDC_EDIT0].text = c.text;
        std::uint8_t dest[FIELD_MAX_BYTES];
        std::memset(dest, 0xEE, sizeof dest);
        std::int32_t length = -1;
        int result = field_parse(IDC_EDIT0, c.ascii, dest, c.size_rule, &length, 0);
        EXPECT_EQ(result, c.result) << c.text;
        EXPECT_EQ(length, c.length) << c.text;
        if (c.bytes) {
            EXPECT_EQ(std::string(reinterpret_cast<char*>(dest), static_cast<std::size_t>(length)), hex_bytes(c.bytes))
                << c.text;
        } else {
            EXPECT_EQ(dest[0], 0xEE) << c.text << ": a failed parse leaves the destination untouched";
        }
        EXPECT_EQ(w[IDC_EDIT0].text, c.text) << "no write-back asked";

        field_parse(IDC_EDIT0, c.ascii, nullptr, c.size_rule, &length, 1);
        // With write-back only a successful hexadecimal parse rewrites, as the bare upper-case digits.
        EXPECT_EQ(w[IDC_EDIT0].text, c.result == PARSE_OK && !c.ascii ? c.bytes : c.text) << c.text;
    }
}

TEST_F(Codec, CountersFollowTyping)
{
    choose("XOR");
    struct Step { const char* text; const char* counter; bool go; };
    for (Step s : {Step{"1", "0,5 bytes", false}, Step{"12", "1 bytes", true}, Step{"123", "1,5 bytes", true},
                   Step{"", "0 bytes", false}, Step{"12 34 5", "2,5 bytes", true}}) {
        type(0, s.text);
        EXPECT_EQ(counter(0), s.counter) << s.text;
        EXPECT_EQ(w[IDC_GO].enabled, s.go) << s.text;
        EXPECT_EQ(text(0), s.text) << "typing never rewrites the text";
    }
    type(3, "abcde");
    EXPECT_EQ(counter(3), "2,5 bytes");
    EXPECT_TRUE(w.messages.empty());
}

TEST_F(Codec, DigitFieldsCountDigitsAndRefuseTheRest)
{
    choose("PIN Block ISO Format 0");
    EXPECT_FALSE(w[IDC_ASCII0].visible);
    type(0, "12 34");
    EXPECT_EQ(counter(0), "4 digits");
    choose("AES");
    EXPECT_EQ(counter(0), "2 bytes") << "counted again in bytes";
    choose("PIN Block ISO Format 0");
    EXPECT_EQ(counter(0), "4 digits");
    type(1, "40123456789O9");
    run();
    EXPECT_EQ(last_message(), "Digits only!");
    EXPECT_EQ(w.focus, IDC_EDIT1);
    EXPECT_EQ(output(), "");
    type(1, "4012345678909");
    run();
    EXPECT_EQ(text(0), "1234") << "the digits written back without white space";
    EXPECT_EQ(output(), "041274EDCBA9876F");
}

TEST_F(Codec, AsciiBoxRereadsTheSameTextInTheOtherMode)
{
    choose("XOR");
    type(1, "0102");
    EXPECT_EQ(counter(1), "2 bytes");
    set_ascii(1, true);
    EXPECT_EQ(counter(1), "4 bytes");
    EXPECT_EQ(text(1), "0102");
    EXPECT_EQ(std::string(reinterpret_cast<char*>(g_field[1].data), 4), "0102");
    set_ascii(1, false);
    EXPECT_EQ(counter(1), "2 bytes");
}

TEST_F(Codec, ShowsBytesAsHexadecimalOrAscii)
{
    const std::uint8_t bytes[] = {0x00, 0x41, 0x7F, 0x1F, 0x80};
    std::memcpy(g_field[4].data, bytes, sizeof bytes);
    g_field[4].length = 5;
    field_show(4);
    EXPECT_EQ(output(), "00417F1F80");
    EXPECT_EQ(counter(4), "5 bytes");

    w[IDC_ASCII_OUT].checked = true;
    field_show(4);
    EXPECT_EQ(output(), std::string(".A\x7F.\x80"));

    // Read back in ASCII mode: the dots are dots now.
    w[IDC_EDIT0].text = output();
    std::uint8_t dest[8];
    std::int32_t length;
    ASSERT_EQ(field_parse(IDC_EDIT0, 1, dest, 0, &length, 0), PARSE_OK);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(dest), 5), hex_bytes("2E417F2E80"));
}

TEST_F(Codec, AdjustRewritesAndFailsLoudly)
{
    choose("XOR");
    type(0, "12 ab-CD");
    click(IDC_ADJUST0);
    EXPECT_EQ(text(0), "12ABCD");
    EXPECT_EQ(counter(0), "3 bytes");
    EXPECT_TRUE(w.messages.empty());
    EXPECT_TRUE(w[IDC_GO].enabled);

    type(2, "0x41");
    click(IDC_ADJUST2);
    ASSERT_EQ(w.messages.size(), 1u);
    EXPECT_EQ(w.messages[0].text, "Invalid field size!");
    EXPECT_EQ(w.messages[0].caption, "Ooops!");
    EXPECT_EQ(w.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(w.focus, IDC_EDIT2);
    EXPECT_EQ(w.selected_all, IDC_EDIT2);
    EXPECT_EQ(text(2), "0x41");
    EXPECT_EQ(counter(2), "1,5 bytes");
}

TEST_F(Codec, AsciiTextLongerThanAFieldIsRefusedWithItsTrueCount)
{
    choose("XOR");
    type(1, std::string(1025, 'x'));
    EXPECT_EQ(counter(1), "0 bytes"); // no hexadecimal digit in it
    set_ascii(1, true);
    EXPECT_EQ(counter(1), "1025 bytes");
    EXPECT_EQ(g_field[1].length, 1024);
    click(IDC_ADJUST1);
    EXPECT_EQ(last_message(), "Invalid field size!");
    EXPECT_EQ(w.focus, IDC_EDIT1);
    EXPECT_EQ(text(1).size(), 1025u);

    type(1, std::string(1024, 'x'));
    click(IDC_ADJUST1);
    EXPECT_EQ(w.messages.size(), 1u);
    EXPECT_EQ(counter(1), "1024 bytes");
}

TEST_F(Codec, OverlongHexadecimalIsRefusedNotCut)
{
    choose("XOR");
    struct Case { std::size_t digits; const char* counter; bool passes; };
    for (Case c : {Case{2048, "1024 bytes", true}, Case{2050, "1025 bytes", false}, Case{3000, "1500 bytes", false},
                   Case{3001, "1500,5 bytes", false}, Case{4096, "2048 bytes", false}}) {
        w.messages.clear();
        std::string hex(c.digits, 'a');
        type(0, hex);
        EXPECT_EQ(counter(0), c.counter) << c.digits;
        click(IDC_ADJUST0);
        EXPECT_EQ(counter(0), c.counter) << c.digits;
        if (c.passes) {
            EXPECT_TRUE(w.messages.empty());
            EXPECT_EQ(text(0), std::string(c.digits, 'A'));
        } else {
            EXPECT_EQ(last_message(), "Invalid field size!") << c.digits;
            EXPECT_EQ(text(0), hex) << "the whole text stays";
            EXPECT_EQ(w.selected_all, IDC_EDIT0);
            EXPECT_EQ(w.focus, IDC_EDIT0);
        }
        EXPECT_LE(g_field[0].length, FIELD_MAX_BYTES);
    }
}
