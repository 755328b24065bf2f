// bit_tables.cpp: the bit tables of TVR, TSI, AIP, AUC, CTQ and TTQ, and their reading.
#include "emv/bit_tables.h"

#include <algorithm>

namespace {

constexpr BitMeaning TVR[] = {
    {1, 8, "Offline data authentication was not performed"},
    {1, 7, "SDA failed"},
    {1, 6, "ICC data missing"},
    {1, 5, "Card appears on terminal exception file"},
    {1, 4, "DDA failed"},
    {1, 3, "CDA failed"},
    {1, 2, "SDA selected"},
    {2, 8, "ICC and terminal have different application versions"},
    {2, 7, "Expired application"},
    {2, 6, "Application not yet effective"},
    {2, 5, "Requested service not allowed for card product"},
    {2, 4, "New card"},
    {3, 8, "Cardholder verification was not successful"},
    {3, 7, "Unrecognised CVM"},
    {3, 6, "PIN Try Limit exceeded"},
    {3, 5, "PIN entry required and PIN pad not present or not working"},
    {3, 4, "PIN entry required, PIN pad present, but PIN was not entered"},
    {3, 3, "Online PIN entered"},
    {4, 8, "Transaction exceeds floor limit"},
    {4, 7, "Lower consecutive offline limit exceeded"},
    {4, 6, "Upper consecutive offline limit exceeded"},
    {4, 5, "Transaction selected randomly for online processing"},
    {4, 4, "Merchant forced transaction online"},
    {5, 8, "Default TDOL used"},
    {5, 7, "Issuer authentication failed"},
    {5, 6, "Script processing failed before final GENERATE AC"},
    {5, 5, "Script processing failed after final GENERATE AC"},
};

constexpr BitMeaning TSI[] = {
    {1, 8, "Offline data authentication was performed"},
    {1, 7, "Cardholder verification was performed"},
    {1, 6, "Card risk management was performed"},
    {1, 5, "Issuer authentication was performed"},
    {1, 4, "Terminal risk management was performed"},
    {1, 3, "Script processing was performed"},
};

constexpr BitMeaning AIP[] = {
    {1, 7, "SDA supported"},
    {1, 6, "DDA supported"},
    {1, 5, "Cardholder verification is supported"},
    {1, 4, "Terminal risk management is to be performed"},
    {1, 3, "Issuer authentication is supported"},
    {1, 1, "CDA supported"},
};

constexpr BitMeaning AUC[] = {
    {1, 8, "Valid for domestic cash transactions"},
    {1, 7, "Valid for international cash transactions"},
    {1, 6, "Valid for domestic goods"},
    {1, 5, "Valid for international goods"},
    {1, 4, "Valid for domestic services"},
    {1, 3, "Valid for international services"},
    {1, 2, "Valid at ATMs"},
    {1, 1, "Valid at terminals other than ATMs"},
    {2, 8, "Domestic cashback allowed"},
    {2, 7, "International cashback allowed"},
};

constexpr BitMeaning CTQ[] = {
    {1, 8, "Online PIN required"},
    {1, 7, "Signature required"},
    {1, 6, "Go online if offline data authentication fails and reader is online capable"},
    {1, 5, "Switch interface if offline data authentication fails and reader supports contact chip"},
    {1, 4, "Go online if application expired"},
    {1, 3, "Switch interface for cash transactions"},
    {1, 2, "Switch interface for cashback transactions"},
    {2, 8, "Consumer device CVM performed"},
    {2, 7, "Card supports issuer update processing at the POS"},
};

constexpr BitMeaning TTQ[] = {
    {1, 8, "MSD supported"},
    {1, 6, "qVSDC supported"},
    {1, 5, "EMV contact chip supported"},
    {1, 4, "Offline-only reader"},
    {1, 3, "Online PIN supported"},
    {1, 2, "Signature supported"},
    {1, 1, "Offline data authentication for online authorisations supported"},
    {2, 8, "Online cryptogram required"},
    {2, 7, "CVM required"},
    {2, 6, "Contact chip offline PIN supported"},
    {3, 8, "Issuer update processing supported"},
    {3, 7, "Consumer device CVM supported"},
};

} // namespace

const BitTable TVR_BITS = {5, TVR}, TSI_BITS = {2, TSI}, AIP_BITS = {2, AIP}, AUC_BITS = {2, AUC},
               CTQ_BITS = {2, CTQ}, TTQ_BITS = {4, TTQ};

void bit_lines(const BitTable& table, std::span<const std::uint8_t> value, std::vector<std::string>& lines)
{
    for (const BitMeaning& m : table.meanings)
        if (value[m.byte - 1u] >> (m.bit - 1) & 1)
            lines.emplace_back(m.text);
    std::string rfu;
    for (std::size_t byte = 0; byte < value.size(); ++byte)
        for (int bit = 8; bit >= 1; --bit) {
            const bool named = std::any_of(table.meanings.begin(), table.meanings.end(), [&](const BitMeaning& m) {
                return m.byte == byte + 1 && m.bit == bit;
            });
            if (!named && (value[byte] >> (bit - 1) & 1))
                rfu += " B" + std::to_string(byte + 1) + "b" + std::to_string(bit);
        }
    if (!rfu.empty())
        lines.push_back("RFU bits set:" + rfu);
}
