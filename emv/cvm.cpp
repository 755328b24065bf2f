// cvm.cpp: CV Rules in words: the method codes (b6-b1 of the first byte), the condition codes and the
// CVM result codes of EMV 4.3 Book 3 Annex C3.
#include "emv/cvm.h"

#include <string>

namespace {

std::string method(std::uint8_t code)
{
    switch (code & 0x3F) {
    case 0x00: return "Fail CVM processing";
    case 0x01: return "Plaintext PIN verification performed by ICC";
    case 0x02: return "Enciphered PIN verified online";
    case 0x03: return "Plaintext PIN verification performed by ICC and signature (paper)";
    case 0x04: return "Enciphered PIN verification performed by ICC";
    case 0x05: return "Enciphered PIN verification performed by ICC and signature (paper)";
    case 0x1E: return "Signature (paper)";
    case 0x1F: return "No CVM required";
    case 0x3F: return "No CVM performed";
    }
    const int c = code & 0x3F;
    return c >= 0x20 && c <= 0x2F ? "Payment system method " + hex(std::span(&code, 1))
           : c >= 0x30 ? "Issuer method " + hex(std::span(&code, 1))
                       : "RFU method " + hex(std::span(&code, 1));
}

std::string condition(std::uint8_t code)
{
    constexpr const char* TEXTS[] = {
        "Always",
        "If unattended cash",
        "If not unattended cash and not manual cash and not purchase with cashback",
        "If terminal supports the CVM",
        "If manual cash",
        "If purchase with cashback",
        "If transaction is in the application currency and is under X value",
        "If transaction is in the application currency and is over X value",
        "If transaction is in the application currency and is under Y value",
        "If transaction is in the application currency and is over Y value",
    };
    if (code < std::size(TEXTS))
        return TEXTS[code];
    return (code >= 0x80 ? "Proprietary condition " : "RFU condition ") + hex(std::span(&code, 1));
}

std::uint32_t amount(std::span<const std::uint8_t> four)
{
    return std::uint32_t{four[0]} << 24 | std::uint32_t{four[1]} << 16 | std::uint32_t{four[2]} << 8 | four[3];
}

} // namespace

std::string_view cvm_list_lines(std::span<const std::uint8_t> value, Lines& lines)
{
    if (value.size() < 10 || value.size() % 2 != 0)
        return "Invalid CVM List length!";
    lines.push_back("Amount X " + std::to_string(amount(value.first(4))) + ", amount Y " +
                    std::to_string(amount(value.subspan(4, 4))));
    for (std::size_t i = 8; i < value.size(); i += 2)
        lines.push_back(hex(value.subspan(i, 2)) + ": " + method(value[i]) + " - " + condition(value[i + 1]) + " - " +
                        (value[i] & 0x40 ? "next rule if unsuccessful" : "fail if unsuccessful"));
    return "";
}

std::string_view cvm_results_lines(std::span<const std::uint8_t> value, Lines& lines)
{
    if (value.size() != 3)
        return "Invalid CVM Results length!";
    constexpr const char* RESULTS[] = {"Unknown", "Failed", "Successful"};
    lines.push_back(method(value[0]) + " - " + condition(value[1]) + " - " +
                    (value[2] < 3 ? RESULTS[value[2]] : "RFU result " + hex(value.subspan(2, 1))));
    return "";
}
