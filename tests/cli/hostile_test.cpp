// hostile_test.cpp: tabrix-cli under hostile input: batch lines and arguments that once crashed it, lost
// its output or passed silently, each with the exit status and the messages it must give now.
#include <gtest/gtest.h>

#include <string>

#include "tests/cli/run_cli.h"

namespace {

const std::string CRC = R"({"row": "CRC16", "inputs": {"0": "31"}})";
const std::string CRC_RESULT = R"({"line":2,"outputs":{"4":{"counter":"2 bytes","text":"2672","title":"Hash:"}},"row":"CRC16"})" "\n";

std::string nested(std::size_t depth) { return std::string(depth, '[') + std::string(depth, ']'); }

struct Hostile {
    const char* what;
    std::string args, input;
    int status;
    std::string err;
    std::string out; // "" when nothing is printed
};

TEST(CliHostile, EachInputGivesItsStatusAndMessage)
{
    const std::string folder = TABRIX_TEST_DATA;
    const Hostile TABLE[] = {
        {"arrays nested 200,000 deep under ascii", "batch", R"({"row": "SHA-1", "ascii": )" + nested(200000) + "}\n" + CRC,
         1, "line 1: bad JSON (nested deeper than 32)\n", CRC_RESULT + "0 passed, 1 failed\n"},
        {"nested deep under expect", "batch", R"({"row": "CRC16", "inputs": {"0": "31"}, "expect": {"4": )" + nested(200000) + "}}\n" + CRC,
         1, "line 1: bad JSON (nested deeper than 32)\n", CRC_RESULT + "0 passed, 1 failed\n"},
        {"brackets inside a string are text", "batch", R"({"row": "CRC16", "inputs": {"0": "31"}, "source": ")" + std::string(100, '[') + "\"}\n",
         0, "", R"({"line":1,"outputs":{"4":{"counter":"2 bytes","text":"2672","title":"Hash:"}},"row":"CRC16"})" "\n"},
        {"a NUL byte", "batch", CRC + std::string(1, '\0') + R"(, "expect": {"4": "0000"}})" "\n" + CRC, 1,
         "line 1: bad JSON (a NUL byte)\n", CRC_RESULT + "0 passed, 1 failed\n"},
        {"expect twice", "batch", R"({"row": "CRC16", "inputs": {"0": "31"}, "expect": {"4": "2672"}, "expect": {"4": "0000"}})", 1,
         "line 1: key \"expect\" given twice\n", "0 passed, 1 failed\n"},
        {"a field twice", "batch", R"({"row": "CRC16", "inputs": {"0": "31", "0": "32"}})", 1, "line 1: key \"0\" given twice\n",
         "0 passed, 1 failed\n"},
        {"a field by role and index", "batch", R"({"row": "CRC16", "inputs": {"0": "31", "data": "32"}})", 1,
         "line 1: CRC16: field 0 is given twice\n", "0 passed, 1 failed\n"},
        {"an ASCII box beyond 32 bits", "batch", R"({"row": "SHA-1", "ascii": [4294967296], "inputs": {"data": "abc"}})", 1,
         "line 1: SHA-1: no field 4294967296 for \"ascii\"\n", "0 passed, 1 failed\n"},
        {"a refusal without expect", "batch", R"({"row": "DES", "inputs": {"data": "00", "key": "0123456789ABCDEF"}})", 2,
         "1 case, 1 refused by its row\n",
         R"({"check_value":"CheckVal = D5D44FF7","error":"Invalid field size!","error_field":0,"line":1,"outputs":{"4":{"counter":"0 bytes","text":"","title":"Encrypted data:"}},"row":"DES"})" "\n"},
        {"a line end in a key", "batch", R"({"row": "SHA-1", "inputs": {"a\nb": "31"}})", 1,
         "line 1: SHA-1 has no input \"a\\nb\"; its inputs: \"data\"\n", "0 passed, 1 failed\n"},
        {"a line end in an expected text", "batch", R"({"row": "CRC16", "inputs": {"0": "31"}, "expect": {"4": "a\r\nb"}})", 1, "",
         "line 1: CRC16: field 4: expected \"A\\r\\nB\", got \"2672\"\n0 passed, 1 failed\n"},
        {"an empty input", "batch", "", 0, "0 cases\n", ""},
        {"blank lines only", "batch -", "\n \n\t\n", 0, "0 cases\n", ""},
        {"a folder", "batch " + folder, "", 66, "tabrix-cli: cannot read " + folder + " (a folder)\n", ""},
        {"no such file", "batch " + folder + "/none.jsonl", "", 66, "tabrix-cli: cannot read " + folder + "/none.jsonl\n", ""},
        {"a line past 1 MiB", "batch", R"({"row": "SHA-1", "inputs": {"data": ")" + std::string((1 << 20) + 1, 'A') + "\"}}\n" + CRC, 1,
         "line 1: longer than 1 MiB\n", CRC_RESULT + "0 passed, 1 failed\n"},
        {"list to a full disk", "list >/dev/full", "", 74, "tabrix-cli: cannot write the output\n", ""},
        {"list --json to a full disk", "list --json >/dev/full", "", 74, "tabrix-cli: cannot write the output\n", ""},
        {"run to a full disk", "run crc16 -0 31 >/dev/full", "", 74, "tabrix-cli: cannot write the output\n", ""},
        {"batch to a full disk", "batch >/dev/full", CRC, 74, "tabrix-cli: cannot write the output\n", ""},
        {"help to a full disk", "--help >/dev/full", "", 74, "tabrix-cli: cannot write the output\n", ""},
        {"é hashed as the window's byte E9", "run sha-1 --ascii data --data é", "", 0, "",
         "Hash: 1599E9FA41EC68C80230491902786BEE889F5BCB  (20 bytes)\n"},
        {"é in JSON", "batch", R"({"row": "SHA-1", "ascii": ["data"], "inputs": {"data": "\u00e9"}, "expect": {"4": "1599E9FA41EC68C80230491902786BEE889F5BCB"}})",
         0, "", "1 passed, 0 failed\n"},
        {"€ typed is byte 80", "run xor --ascii 0 --1st-input € --2nd-input 00", "", 0, "", "Output: 80  (1 bytes)\n"},
        {"bytes 80 and 81 shown as the window shows them", "run xor --1st-input 8081FF --ascii 4", "", 0, "",
         "Output: €\u0081ÿ  (3 bytes)\n"},
        {"a character the code page lacks", "run sha-1 --ascii data --data ✓", "", 64,
         "tabrix-cli: SHA-1: input --data holds \"✓\", which the window's code page (Windows-1252) has no character for\n", ""},
        {"not UTF-8", "run sha-1 --ascii data --data $'\\xff'", "", 64,
         "tabrix-cli: SHA-1: input --data holds byte FF (not UTF-8), which the window's code page (Windows-1252) has no character for\n", ""},
        {"letters beyond A-F in a hexadecimal field", "run des --data 'face it' --key 0123456789ABCDEF", "", 2,
         "Invalid field size! (field 0 --data: Clear data (8-byte blocks)); it holds letters beyond A-F (\"it\"), which a "
         "hexadecimal field skips: for text, add --ascii data\n", ""},
        {"letters only in a hexadecimal field", "run sha-1 --data 'Now is t'", "", 64,
         "tabrix-cli: SHA-1: GO! stays disabled while field 0 is empty; it holds letters beyond A-F (\"Now\"), which a "
         "hexadecimal field skips: for text, add --ascii data\n", ""},
        {"blanks, commas and colons between hexadecimal digits", "run des --data '4E 6F,77:20 69 73 20 74' --key 0123456789ABCDEF",
         "", 0, "", "Encrypted data: 3FA40E8A984D4815  (8 bytes)\nCheckVal = D5D44FF7\n"},
    };
    for (const Hostile& h : TABLE) {
        const Ran ran = cli(h.args, h.input);
        EXPECT_EQ(ran.status, h.status) << h.what;
        EXPECT_EQ(ran.err, h.err) << h.what;
        EXPECT_EQ(ran.out, h.out) << h.what;
    }
}

// A closed pipe (tabrix-cli list | head, once head is gone) ends the program with a non-zero status and
// no message, for each command that writes.
TEST(CliHostile, ClosedPipeEndsQuietly)
{
    for (const char* args : {"list", "list --json", "run crc16 -0 31", "batch", "selftest"}) {
        const Ran ran = shell(std::string("{ sleep 0.2; exec \"$0\" ") + args + "; } | true; exit ${PIPESTATUS[0]}",
                              R"({"row": "CRC16", "inputs": {"0": "31"}})");
        EXPECT_NE(ran.status, 0) << args;
        EXPECT_EQ(ran.err, "") << args;
    }
}

} // namespace
