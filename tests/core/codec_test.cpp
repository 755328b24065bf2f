// The field text codec: parsing (cases in tests/data/codec.jsonl), counters, rewriting and showing, through
// the fake window.
#include <cstring>

#include "tests/support/cases.h"

using Codec = Workbench;

// A failed parse leaves the destination untouched; with write-back only a successful hexadecimal parse
// rewrites the text, as the bare upper-case digits.
TEST_F(Codec, ParsesTextIntoBytes)
{
    const std::map<std::string, int> results = {{"OK", PARSE_OK}, {"BAD_SIZE", PARSE_BAD_SIZE}, {"ODD_DIGITS", PARSE_ODD_DIGITS}};
    for (const Json& c : read_cases("codec")) {
        SCOPED_TRACE(c.dump());
        const std::string text = c["text"], bytes = c.value("bytes", "");
        const int ascii = c["ascii"], result = results.at(c["result"]);
        w[IDC_EDIT0].text = text;
        std::uint8_t dest[FIELD_MAX_BYTES];
        std::memset(dest, 0xEE, sizeof dest);
        std::int32_t length = -1;
        EXPECT_EQ(field_parse(IDC_EDIT0, ascii, dest, c["rule"], &length, 0), result);
        EXPECT_EQ(length, c["length"].get<int>());
        EXPECT_EQ(to_hex(dest, result == PARSE_OK ? length : 1), result == PARSE_OK ? bytes : "EE");
        EXPECT_EQ(w[IDC_EDIT0].text, text) << "no write-back asked";
        field_parse(IDC_EDIT0, ascii, nullptr, c["rule"], &length, 1);
        EXPECT_EQ(w[IDC_EDIT0].text, result == PARSE_OK && !ascii ? bytes : text);
    }
}

TEST_F(Codec, CountersAndGoFollowTypingAndTheAsciiBox)
{
    choose("XOR");
    struct Step { const char* text; const char* counter; bool go; };
    for (Step s : {Step{"1", "0,5 bytes", false}, Step{"12", "1 bytes", true}, Step{"123", "1,5 bytes", true},
                   Step{"", "0 bytes", false}, Step{"12 34 5", "2,5 bytes", true}}) {
        type(0, s.text);
        EXPECT_EQ(counter(0) + (w[IDC_GO].enabled ? " GO!" : ""), s.counter + std::string(s.go ? " GO!" : "")) << s.text;
        EXPECT_EQ(text(0), s.text) << "typing never rewrites the text";
    }
    type(3, "abcde");
    EXPECT_EQ(counter(3), "2,5 bytes");
    choose("SHA-256"); // another row keeps the texts, counters and GO!
    EXPECT_EQ(text(0) + " " + counter(0) + (w[IDC_GO].enabled ? " GO!" : ""), "12 34 5 2,5 bytes GO!");
    type(1, "0102");
    set_ascii(1, true);
    EXPECT_EQ(counter(1) + " " + text(1), "4 bytes 0102");
    EXPECT_EQ(std::string(reinterpret_cast<char*>(g_field[1].data), 4), "0102");
    set_ascii(1, false);
    EXPECT_EQ(counter(1), "2 bytes");
    EXPECT_TRUE(w.messages.empty());
}

// Adjust rewrites a good field as its cleaned digits and refuses a bad one loudly, selecting it; more than a
// field holds is refused whole, never cut, and the counter tells the true count.
TEST_F(Codec, AdjustRewritesOrRefuses)
{
    choose("XOR");
    struct Case { std::string text; bool ascii; const char* counter; bool passes; };
    const Case cases[] = {{"12 ab-CD", false, "3 bytes", true}, {"0x41", false, "1,5 bytes", false},
                          {std::string(2048, 'a'), false, "1024 bytes", true}, {std::string(2050, 'a'), false, "1025 bytes", false},
                          {std::string(3001, 'a'), false, "1500,5 bytes", false}, {std::string(4096, 'a'), false, "2048 bytes", false},
                          {std::string(1025, 'x'), false, "0 bytes", true}, {std::string(1025, 'x'), true, "1025 bytes", false},
                          {std::string(1024, 'x'), true, "1024 bytes", true}};
    for (const Case& c : cases) {
        w.messages.clear();
        set_ascii(0, c.ascii);
        type(0, c.text);
        click(IDC_ADJUST0);
        EXPECT_EQ(counter(0), c.counter) << c.text.size();
        EXPECT_EQ(last_message(), c.passes ? "" : "Invalid field size!") << c.text.size();
        EXPECT_EQ(text(0), c.passes && !c.ascii ? clean_hex(c.text) : c.text) << c.text.size();
        EXPECT_EQ(std::pair(w.focus, w.selected_all), c.passes ? std::pair(0, 0) : std::pair(IDC_EDIT0, IDC_EDIT0));
        w.focus = w.selected_all = 0;
        EXPECT_LE(g_field[0].length, FIELD_MAX_BYTES);
    }
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
    type(0, "12a4");
    EXPECT_EQ(counter(0), "4 digits");
    EXPECT_TRUE(w[IDC_GO].enabled) << "a stray letter is reported by GO!, not hidden by a disabled button";
    type(1, "4012345678909");
    run();
    EXPECT_EQ(last_message(), "Digits only!");
    EXPECT_EQ(w.focus, IDC_EDIT0);
    EXPECT_EQ(output(), "");
    type(0, "12 34");
    run();
    EXPECT_EQ(text(0), "1234") << "the digits written back without white space";
    EXPECT_EQ(output(), "041274EDCBA9876F");
}
