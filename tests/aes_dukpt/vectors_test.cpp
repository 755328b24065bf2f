// vectors_test.cpp: every case of tests/data/aes_dukpt.jsonl through the AES DUKPT rows, one loop:
// ANSI X9.24-3-2017 supplement values, RFC 4231 HMAC values, refusals and round trips.
#include <gtest/gtest.h>

#include <bit>
#include <fstream>
#include <nlohmann/json.hpp>

#include "aes_dukpt/derivation.h"
#include "aes_dukpt/hmac_sha256.h"
#include "symmetric/cmac.h"
#include "tests/symmetric/support.h"

namespace {

using Json = nlohmann::json;

const std::string DATA = TABRIX_TEST_DATA "/aes_dukpt.jsonl";

std::string s(const Json& j, const char* key) { return j.value(key, std::string()); }

std::string counter_ksn(std::uint64_t counter)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08llX", static_cast<unsigned long long>(counter));
    return std::string("1234567890123456") + text;
}

const std::map<std::string, std::string> TYPE = {
    {"2TDEA", "0000"}, {"3TDEA", "0001"}, {"AES128", "0002"}, {"AES192", "0003"}, {"AES256", "0004"}};

class AesDukpt : public Workbench {
protected:
    void use_ik(bool ticked)
    {
        if (w[IDC_USE_IPEK].checked != ticked)
            click(IDC_USE_IPEK);
    }

    // Chooses the row, types the fields and runs; returns the output.
    std::string row(std::string_view name, std::string_view f0, std::string_view f1, std::string_view f2,
                    std::string_view f3 = {}, bool ik = false, int mode = IDC_RADIO_ECB)
    {
        choose(name);
        use_ik(ik);
        if (w[IDC_RADIO_ECB].visible)
            select_mode(mode);
        w.messages.clear();
        run_with(f0, f1, f2, f3);
        return output();
    }

    // The working key and check value of a usage, through the Working Key row.
    std::string key_of(const Json& in, std::string_view usage, std::string ksn = {})
    {
        const bool ik = in.contains("ik");
        return row("AES DUKPT Working Key derivation", ksn.empty() ? s(in, "ksn") : ksn, usage,
                   ik ? s(in, "ik") : s(in, "bdk"), {}, ik);
    }

    void check(const Json& c)
    {
        const Json& in = c["inputs"];
        const Json& out = c["expected"];
        const std::string op = c["op"];
        const std::string error = s(out, "error");
        if (op == "dukpt_aes.initial_key") {
            EXPECT_EQ(row("AES DUKPT Initial Key (IK) derivation", s(in, "ikid"), "", s(in, "bdk")), s(out, "ik"));
        } else if (op == "dukpt_aes.intermediate_key" || op == "dukpt_aes.registers_after_load") {
            const bool published = op == "dukpt_aes.intermediate_key";
            for (std::size_t i = 0; i < (published ? 1 : out["registers"].size()); ++i) {
                const std::string ksn = published ? s(in, "ksn") : counter_ksn(std::uint64_t{1} << i);
                const std::string key = row("AES DUKPT Intermediate Derivation Key", ksn, "", s(in, "ik"), {}, true);
                EXPECT_EQ(key, published ? s(out, "key") : std::string(out["registers"][i])) << ksn; // any counter
            }
        } else if (op == "dukpt_aes.working_key") {
            static const std::map<std::string, std::string> USAGE = {
                {"PIN_ENCRYPTION", "1000"}, {"MAC_GENERATION", "2000"}, {"DATA_ENCRYPT", "3000"}};
            const std::string key = key_of(in, USAGE.at(s(in, "usage")), s(in, "ksn") + TYPE.at(s(in, "key_type")));
            if (error.empty())
                EXPECT_EQ(key, s(out, "key")) << s(in, "ksn") << " " << s(in, "usage") << " " << s(in, "key_type");
            else
                expect_refusal("KSN counter has more than 16 one-bits!", 0);
        } else if (op == "dukpt_aes.update_key") {
            EXPECT_EQ(key_of(in, "0002", s(in, "ikid") + "FFFFFFFF" + TYPE.at(s(in, "key_type"))), s(out, "key"));
        } else if (op == "dukpt_aes.next_counter") {
            const std::string next = row("AES DUKPT Next KSN", counter_ksn(in["counter"]), "", "");
            if (error.empty())
                EXPECT_EQ(next, counter_ksn(out["counter"]));
            else
                expect_refusal("KSN counter exhausted!", 0);
        } else if (op == "dukpt_aes.derivation_data") {
            std::uint8_t data[16];
            derivation_data(KeyUsage::KeyDerivationInitialKey, KeyType::Aes128,
                            std::span<const std::uint8_t, 8>(from_hex(s(in, "ikid")).data(), 8), 0, data);
            EXPECT_EQ(to_hex(Bytes(data, data + 16)), s(out, "data"));
        } else if (op == "hmac_sha256") {
            std::uint8_t mac[32];
            hmac_sha256(from_hex(s(in, "key")), from_hex(s(in, "data")), mac);
            EXPECT_EQ(to_hex(Bytes(mac, mac + 32)), s(out, "mac"));
        } else if (op == "aes_dukpt.refusal") {
            const Json& f = in["fields"];
            row(s(in, "row"), f[0].get<std::string>(), f[1].get<std::string>(), f[2].get<std::string>(),
                f[3].get<std::string>(), in.value("use_ik", false),
                s(in, "mode") == "CBC" ? IDC_RADIO_CBC : IDC_RADIO_ECB);
            expect_refusal(s(out, "message"), out["focus"]);
            EXPECT_EQ(output(), "") << "no output after a refusal";
        } else if (op == "aes_dukpt.key_chain") {
            const Bytes key = from_hex(key_of(in, s(in, "usage")));
            const Bytes data = from_hex(s(in, "data"));
            const std::string result = row(s(in, "row"), s(in, "data"), s(in, "ksn"), s(in, "bdk"));
            EXPECT_EQ(result, expected_with_key(s(in, "ksn"), key, data)) << s(in, "row");
        } else if (op == "aes_dukpt.round_trip") {
            const int mode = s(in, "mode") == "CBC" ? IDC_RADIO_CBC : IDC_RADIO_ECB;
            const std::string encrypted = row(s(in, "row"), s(in, "data"), s(in, "ksn"), s(in, "bdk"), s(in, "iv"), false, mode);
            EXPECT_NE(encrypted, s(in, "data"));
            EXPECT_EQ(row(s(in, "row") + " [rev]", encrypted, s(in, "ksn"), s(in, "bdk"), s(in, "iv"), false, mode),
                      s(in, "data")) << s(in, "row") << " " << s(in, "mode");
        } else if (op == "pinblock.format4.decipher") {
            EXPECT_EQ(row("AES DUKPT PIN (format 4) [rev]", s(in, "block"), s(in, "ksn"), s(in, "bdk"), s(in, "pan")),
                      s(out, "pin")) << s(in, "ksn");
        } else if (op == "aes_dukpt.pin_format0") {
            BlockKey key;
            block_key_set(key, BlockAlgorithm::Tdes, from_hex(s(in, "key")).data(), 16);
            Bytes block = from_hex(s(out, "block"));
            block_encrypt(key, block.data(), block.data());
            const std::string row_name = "AES DUKPT Triple-DES PIN (format 0)";
            EXPECT_EQ(row(row_name, s(in, "pin"), s(in, "ksn"), s(in, "bdk"), s(in, "pan")), to_hex(block));
            EXPECT_EQ(row(row_name + " [rev]", to_hex(block), s(in, "ksn"), s(in, "bdk"), s(in, "pan")), s(in, "pin"));
        } else if (op == "aes_dukpt.pin_round_trip") {
            const std::string block = row(s(in, "row"), s(in, "pin"), s(in, "ksn"), s(in, "bdk"), s(in, "pan"));
            EXPECT_EQ(row(s(in, "row") + " [rev]", block, s(in, "ksn"), s(in, "bdk"), s(in, "pan")), s(in, "pin"))
                << s(in, "row") << " block " << block;
        } else {
            ADD_FAILURE() << "unknown case " << op;
        }
    }

    // CMAC, HMAC-SHA-256 or ECB encryption of data under key, by the key type after the KSN.
    static std::string expected_with_key(const std::string& ksn, const Bytes& key, const Bytes& data)
    {
        const std::string type = ksn.size() > 24 ? ksn.substr(24) : "";
        std::uint8_t out[64];
        if (type == "0005") {
            hmac_sha256(key, data, std::span<std::uint8_t, 32>(out, 32));
            return to_hex(Bytes(out, out + 32));
        }
        BlockKey block_key;
        block_key_set(block_key, type == "0000" || type == "0001" ? BlockAlgorithm::Tdes : BlockAlgorithm::Aes,
                      key.data(), static_cast<int>(key.size()));
        const auto block = static_cast<std::size_t>(block_key.block_bytes);
        if (selected_row().id == 46) {
            cmac(block_key, data.data(), data.size(), out);
            return to_hex(Bytes(out, out + block));
        }
        for (std::size_t at = 0; at < data.size(); at += block)
            block_encrypt(block_key, data.data() + at, out + at);
        return to_hex(Bytes(out, out + data.size()));
    }

    void expect_refusal(std::string_view message, int focus)
    {
        EXPECT_EQ(last_message(), message);
        EXPECT_EQ(w.focus, field_edit_id[focus]) << message;
        EXPECT_EQ(w.selected_all, field_edit_id[focus]) << message;
    }
};

TEST_F(AesDukpt, EveryCaseOfTheDataFile)
{
    std::ifstream file(DATA);
    ASSERT_TRUE(file) << DATA;
    int cases = 0;
    for (std::string line; std::getline(file, line); ++cases) {
        const Json c = Json::parse(line);
        SCOPED_TRACE(c["source"].get<std::string>());
        check(c);
    }
    EXPECT_GT(cases, 100);
}

} // namespace

// "Use IK" swaps field 2's title as "Use IPEK" does on the Triple-DES DUKPT rows, which keep theirs.
TEST_F(AesDukpt, UseIkNamesTheInitialKeyAndTheTripleDesRowsKeepUseIpek)
{
    for (const char* name : {"AES DUKPT Data req", "DUKPT Triple-DES PIN", "AES DUKPT Working Key derivation"}) {
        choose(name);
        const bool aes = std::string_view(name).starts_with("AES");
        EXPECT_EQ(w[IDC_USE_IPEK].text, aes ? "Use IK" : "Use IPEK") << name;
        click(IDC_USE_IPEK);
        EXPECT_EQ(w[IDC_LABEL2].text, aes ? "AES DUKPT IK - Initial Key (16, 24 or 32 bytes):"
                                          : "Triple-DES IPEK - Initial PIN Encryption Key (16 bytes):") << name;
        click(IDC_USE_IPEK);
        EXPECT_EQ(w[IDC_LABEL2].text, catalogue[static_cast<std::size_t>(row_index(name))].field[2].label) << name;
    }
}
