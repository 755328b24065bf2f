// row_layout_test.cpp: what the window shows for every drop-list row, chosen in a freshly opened window:
// each field's edit, ASCII box, Adjust button, picture and limit, the Padding and "Use IPEK" boxes, the
// check-value line, the arrows and the block-mode controls, against tests/data/row-layouts.jsonl.
// TABRIX_WRITE_LAYOUTS=<file> writes what is shown instead, for a reviewed update after a row is added.
#include <cstdlib>
#include <fstream>

#include "tests/support/cases.h"

namespace {

std::string shown(FakeWindow& w, int id) { return w[id].visible ? (w[id].enabled ? "+" : "~") : "-"; }

// One line of letters a row: per field "edit ascii adjust picture [r read-only] [limit]", then the rest.
// Built by appending only: GCC 12 warns falsely about "text" + std::string in the Windows builds.
std::string layout_of(FakeWindow& w)
{
    std::string s;
    auto add = [&s](const std::string& piece) { s.append(piece); };
    for (int i = 0; i < FIELD_COUNT; ++i) {
        const HeadlessControl& edit = w[field_edit_id[i]];
        add(std::to_string(i));
        add(":");
        add(shown(w, field_edit_id[i]));
        add(shown(w, field_ascii_id[i]));
        if (i < 4)
            add(shown(w, field_adjust_id[i]));
        const HeadlessControl& icon = w[field_icon_id[i]];
        add(icon.visible ? std::to_string(icon.picture - 0x10000) : "_");
        if (edit.read_only)
            add("r");
        if (i < 4 && edit.text_limit != FIELD_MAX_TEXT) {
            add("L");
            add(std::to_string(edit.text_limit));
        }
        add(" ");
    }
    add("pad");
    add(shown(w, IDC_PADDING));
    add(" ipek");
    add(shown(w, IDC_USE_IPEK));
    if (w[IDC_USE_IPEK].visible)
        add(w[IDC_USE_IPEK].text);
    add(" kcv");
    add(shown(w, IDC_CHECK_VALUE));
    add(" arrows");
    for (int id : {IDC_ARROW1, IDC_ARROW2, IDC_ARROW3, IDC_ARROW_OUT})
        add(shown(w, id));
    add(" modes");
    for (int id : {IDC_RADIO_ECB, IDC_RADIO_CBC, IDC_RADIO_MAC}) {
        add(shown(w, id));
        if (w[id].checked)
            add("*");
    }
    add(" go");
    add(shown(w, IDC_GO));
    add(" centre");
    add(shown(w, IDC_CENTRE_PICTURE));
    return s;
}

TEST(RowLayout, EveryRowShowsWhatItsDescriptionSays)
{
    std::map<std::string, std::string> expected;
    for (const Json& c : read_cases("row-layouts"))
        expected[c["row"]] = c["layout"];
    const char* write_to = std::getenv("TABRIX_WRITE_LAYOUTS");
    std::ofstream out;
    if (write_to)
        out.open(write_to), out << R"({"source": "What the window shows for each row, reviewed against its screenshot"})" << "\n";
    for (int i = 0; catalogue[i].id != OP_END; ++i) {
        FakeWindow w;
        open_window(w);
        choose_row(w, i);
        const std::string layout = layout_of(w);
        if (write_to)
            out << Json{{"row", catalogue[i].name}, {"layout", layout}}.dump() << "\n";
        else
            EXPECT_EQ(layout, expected[catalogue[i].name]) << catalogue[i].name;
        controller_destroy();
        g_window = nullptr;
    }
}

} // namespace
