// cases.cpp: the data-file reader and the row-case check.
#include "tests/support/cases.h"

#include <algorithm>
#include <fstream>

#include "tests/support/batch_form.h"

std::vector<Json> read_cases(const std::string& family)
{
    std::ifstream file(std::string(TABRIX_TEST_DATA) + "/" + family + ".jsonl");
    EXPECT_TRUE(file.is_open()) << "no file " << TABRIX_TEST_DATA << "/" << family << ".jsonl";
    std::vector<Json> cases;
    std::string line, source;
    while (std::getline(file, line)) {
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        Json c = Json::parse(line);
        if (c.size() == 1 && c.contains("source")) {
            source = c["source"];
        } else {
            c["source"] = source;
            cases.push_back(c);
        }
    }
    return cases;
}

std::vector<Json> batch_form_cases(const std::string& family)
{
    std::vector<Json> out;
    for (const Json& c : read_cases(family))
        if (c.contains("row") && c.contains("in"))
            out.push_back(batch_form(c));
    return out;
}

void RowCases::check(const Json& c)
{
    SCOPED_TRACE(c.dump());
    const std::string mode = c.value("mode", "");
    std::vector<std::string> in = c.value("in", std::vector<std::string>{});
    in.resize(4);
    choose(c["row"].get<std::string>());
    if (!mode.empty())
        select_mode(mode == "ECB" ? IDC_RADIO_ECB : mode == "CBC" ? IDC_RADIO_CBC : IDC_RADIO_MAC);
    if (w[IDC_PADDING].checked != (mode == "MAC padded"))
        click(IDC_PADDING);
    if (w[IDC_USE_IPEK].checked != c.value("ipek", false))
        click(IDC_USE_IPEK);
    const std::vector<int> ascii = c.value("ascii", std::vector<int>{});
    for (int i = 0; i < 4; ++i)
        set_ascii(i, std::count(ascii.begin(), ascii.end(), i)), type(i, in[i]);
    if (c.contains("check")) {
        EXPECT_EQ(w[IDC_CHECK_VALUE].text, c["check"].get<std::string>());
    }
    for (int i = 0; i < FIELD_COUNT && c.contains("icons"); ++i) {
        const FakeControl& icon = w[field_icon_id[i]];
        EXPECT_EQ(icon.visible ? int(icon.picture) - 0x10000 : -1, c["icons"][i].get<int>()) << "picture of field " << i;
    }
    if (!c.contains("out") && !c.contains("error"))
        return;
    w.messages.clear();
    w.focus = w.selected_all = 0;
    run();
    if (c.contains("error")) {
        ASSERT_EQ(w.messages.size(), 1u) << last_message();
        EXPECT_EQ(w.messages[0].text + " / " + w.messages[0].caption + (w.messages[0].icon == MessageIcon::Error ? " / error" : ""),
                  c["error"].get<std::string>() + " / Ooops! / error");
        const int id = c.contains("focus") ? field_edit_id[c["focus"].get<int>()] : 0;
        EXPECT_EQ(std::pair(w.focus, w.selected_all), std::pair(id, id)) << "selected and focused";
        EXPECT_EQ(output() + counter(4) + (w[IDC_GO].enabled ? "" : ", GO! disabled"), "0 bytes");
    } else {
        EXPECT_EQ(last_message(), "");
        EXPECT_EQ(output(), clean_hex(c["out"].get<std::string>()));
    }
    for (const auto& [field, shown] : c.value("texts", std::map<std::string, std::string>{}))
        EXPECT_EQ(text(std::stoi(field)), shown) << "field " << field;
    if (c.value("rev", false)) {
        Json back = c;
        back["row"] = c["row"].get<std::string>() + " [rev]";
        back["in"][0] = c["out"], back["out"] = in[0], back["rev"] = false;
        back.erase("check");
        check(back);
    }
}
