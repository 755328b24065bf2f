// emv_test.cpp: every case of tests/data/emv.jsonl through the EMV rows, as a user would follow a
// published example row by row: ICC master key, session key, cryptogram, ARPC; and each refusal.
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>

#include "core/controls.h"
#include "tests/support/workbench.h"

namespace {

using nlohmann::json;

class Emv : public Workbench {
protected:
    std::map<std::string, json> presets;
    std::string kcv; // field 3 of the last key row

    std::string go(std::string_view row, const std::string& f0, const std::string& f1 = {},
                   const std::string& f2 = {}, const std::string& f3 = {}, bool padding = false)
    {
        choose(row);
        click(IDC_CLEAR_ALL);
        if (padding)
            click(IDC_PADDING);
        run_with(f0, f1, f2, f3);
        return output();
    }
    std::string icc_master_key(const json& v)
    {
        const bool b = v.value("option", "A") == "B";
        go(b ? "EMV ICC Master Key (Option B)" : "EMV ICC Master Key (Option A)",
           v.value("imk", "0123456789ABCDEFFEDCBA9876543210"), v["pan"], v.value("psn", ""));
        kcv = text(3);
        return output();
    }
    std::string session_key(const json& v, const std::string& mk)
    {
        const std::string skd = v["skd"];
        if (skd == "emv_csk_r" || skd == "emv_csk")
            go("EMV Session Key (EMV common)", mk, v.value(skd == "emv_csk" ? "atc" : "r", ""));
        else if (skd == "mastercard")
            go("EMV Session Key (Mastercard)", mk, v["atc"], v["un"]);
        else if (skd == "pboc")
            go("EMV Session Key (PBOC)", mk, v["atc"]);
        else
            return mk;
        kcv = text(3);
        return output();
    }
    void expect_prefix(const json& expected, const char* name, const std::string& actual)
    {
        if (expected.contains(name)) {
            EXPECT_EQ(actual.substr(0, expected[name].get<std::string>().size()), expected[name]) << name;
        }
    }
};

TEST_F(Emv, PublishedVectorsAndRefusals)
{
    std::ifstream file(TABRIX_TEST_DATA "/emv.jsonl");
    ASSERT_TRUE(file) << TABRIX_TEST_DATA;
    for (std::string line; std::getline(file, line);) {
        const json c = json::parse(line), e = c.value("expected", json::object());
        json v = c["inputs"];
        const std::string op = c["op"];
        SCOPED_TRACE(line);
        if (op == "preset") {
            presets[v["preset"]] = v;
        } else if (op == "udk") {
            icc_master_key(v);
            expect_prefix(e, "kcv", kcv);
        } else if (op == "udk.y") { // Y enciphered under the IMK, parity adjusted, is the key's left half
            choose("Triple-DES");
            select_mode(IDC_RADIO_ECB);
            run_with(e["y"].get<std::string>(), "", "0123456789ABCDEFFEDCBA9876543210");
            const std::string left = go("Parity Adjust (lsb odd)", output());
            EXPECT_EQ(icc_master_key(v).substr(0, 16), left);
        } else if (op == "ac") {
            EXPECT_EQ(go("EMV Cryptogram (custom)", v["data"], "", v["key"], "", v["padding"] == 2), e["ac"]);
        } else if (op == "cryptogram.custom") {
            const std::string sk = session_key(v, icc_master_key(v));
            expect_prefix(e, "sk_kcv", kcv);
            expect_prefix(e, "ac", go("EMV Cryptogram (custom)", v["data"], "", sk, "", v["padding"] == 2));
        } else if (op == "cryptogram" || op == "cryptogram_data") {
            const json& preset = presets.at(v["preset"]);
            std::string data;
            for (const char* tag : {"9F02", "9F03", "9F1A", "95", "5F2A", "9A", "9C", "9F37", "82", "9F36", "9F10",
                                    "CVR", "COUNTERS"})
                data += v["elements"].value(tag, "");
            const std::string mk = v.contains("pan") ? icc_master_key(v) : std::string(32, '1');
            expect_prefix(e, "udk_kcv", kcv);
            const std::string ac = go(preset["row"].get<std::string>(), mk, data);
            const std::string maced = text(2), key_used = text(3);
            expect_prefix(e, "ac", ac);
            expect_prefix(e, "data", maced);
            expect_prefix(e, "padded", maced + "*");
            if (op == "cryptogram") { // the key used is the session key row's, for the preset's method
                v["atc"] = v["elements"]["9F36"], v["un"] = v["elements"]["9F37"], v["skd"] = preset["skd"];
                EXPECT_EQ(key_used, session_key(v, mk));
                expect_prefix(e, "sk_kcv", kcv);
            }
        } else if (op == "arpc" || op == "arpc.custom") {
            if (v.contains("preset"))
                v.update(presets.at(v["preset"]));
            const std::string mk = icc_master_key(v), key = v["key"] == "udk" ? mk : session_key(v, mk);
            const std::string arpc = v["method"] == 1 ? go("EMV ARPC Method 1", v["arqc"], v["arc"], key)
                                                      : go("EMV ARPC Method 2", v["arqc"], v["csu"], key, v.value("pad", ""));
            EXPECT_EQ(arpc, e["arpc"]);
        } else if (op == "refusal") {
            const json& f = v["fields"];
            EXPECT_EQ(go(v["row"].get<std::string>(), f[0], f[1], f[2], f[3], v["padding"]), "");
            EXPECT_EQ(last_message(), e["error"]);
            const int focus = field_edit_id[e["focus"].get<std::size_t>()];
            EXPECT_EQ(w.focus, focus);
            EXPECT_EQ(w.selected_all, focus);
        } else {
            ADD_FAILURE() << "unknown op " << op;
        }
    }
}

} // namespace
