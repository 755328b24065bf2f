// form.cpp: one request run through the user's actions on an open window, and what the window then shows.
#include "cli/form.h"

#include "cli/actions.h"
#include "core/controller.h"

namespace {

constexpr const char* MODE_NAMES[] = {"ECB", "CBC", "MAC"};
constexpr int MODE_RADIOS[] = {IDC_RADIO_ECB, IDC_RADIO_CBC, IDC_RADIO_MAC};
constexpr std::uint32_t MODE_FLAGS[] = {OPF_ECB, OPF_CBC, OPF_MAC};

std::string field_name(int i) { return "field " + std::to_string(i); }

// Applies the request to the open window; "" or what the window would not let a user do.
std::string fill_in(HeadlessWindow& w, const FormRequest& r)
{
    if (r.mode != 0) {
        int k = 0;
        while (k < 2 && MODE_RADIOS[k] != r.mode)
            ++k;
        if (!(selected_row().flags & MODE_FLAGS[k]))
            return std::string("the row offers no ") + MODE_NAMES[k] + " mode";
        select_mode(w, r.mode);
    }
    if (r.padding) {
        if (!(w[IDC_PADDING].visible && w[IDC_PADDING].enabled))
            return "Padding is offered in MAC mode only";
        set_box(w, IDC_PADDING, true);
    }
    if (r.use_ipek) {
        if (!(w[IDC_USE_IPEK].visible && w[IDC_USE_IPEK].enabled))
            return "the row offers no \"Use IPEK\"";
        set_box(w, IDC_USE_IPEK, true);
    }
    for (int i = 0; i < FIELD_COUNT; ++i) {
        if (!r.ascii[i])
            continue;
        if (!w[field_ascii_id[i]].visible)
            return field_name(i) + " is not shown for this row";
        set_box(w, field_ascii_id[i], true);
    }
    for (int i = 0; i < 4; ++i) {
        if (!r.fields[i])
            continue;
        HeadlessControl& edit = w[field_edit_id[i]];
        if (!edit.visible || edit.read_only)
            return field_name(i) + " is not an input of this row";
        if (!edit.enabled)
            return field_name(i) + " is not used in this mode";
        if (edit.text_limit > 0 && r.fields[i]->size() > static_cast<std::size_t>(edit.text_limit))
            return field_name(i) + " takes at most " + std::to_string(edit.text_limit) + " characters";
        type_text(w, i, *r.fields[i]);
    }
    if (!w[IDC_GO].enabled)
        return "GO! stays disabled while field 0 is empty";
    return "";
}

} // namespace

FormResult run_form(HeadlessWindow& w, const FormRequest& r)
{
    reset_form(w);
    choose_row(w, r.row);

    FormResult result;
    result.usage = fill_in(w, r);
    if (!result.usage.empty())
        return result;
    press_go(w);

    if (!w.messages.empty()) {
        result.error = w.messages.front().text;
        for (int i = 0; i < FIELD_COUNT; ++i)
            if (field_edit_id[i] == w.messages.front().focused_control)
                result.error_field = i;
    }
    const OperationRow& row = selected_row();
    for (int i = 1; i < FIELD_COUNT; ++i)
        if (field_is_output(row, i) && w[field_label_id[i]].visible)
            result.outputs.push_back(
                {i, w[field_label_id[i]].text, w[field_edit_id[i]].text, w[field_counter_id[i]].text});
    if (w[IDC_CHECK_VALUE].visible)
        result.check_value = w[IDC_CHECK_VALUE].text;
    if (g_verdict != Verdict::None)
        result.verdict = g_verdict == Verdict::Verified ? "verified" : "mismatch";
    return result;
}
