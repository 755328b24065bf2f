// batch_form.cpp: a family file's row case in the console's batch form.
#include "tests/support/batch_form.h"

#include <string>

#include "core/catalogue.h"

nlohmann::json batch_form(const nlohmann::json& c)
{
    nlohmann::json b = {{"row", c["row"]}, {"inputs", nlohmann::json::object()}};
    const std::string name = c["row"];
    const OperationRow* row = nullptr;
    for (int i = 0; i < CATALOGUE_ROWS && !row; ++i)
        if (name == catalogue[i].name)
            row = &catalogue[i];
    if (!row)
        return b;
    for (std::size_t i = 0; i < c["in"].size() && i < 4; ++i)
        if (c["in"][i].is_string() && !c["in"][i].get<std::string>().empty() && row->field[i].label &&
            !field_is_output(*row, static_cast<int>(i)))
            b["inputs"][std::to_string(i)] = c["in"][i];
    const std::string mode = c.value("mode", "");
    if (!mode.empty())
        b["mode"] = mode.substr(0, 3) == "MAC" ? "mac" : mode == "CBC" ? "cbc" : "ecb";
    if (mode == "MAC padded")
        b["padding"] = true;
    if (c.value("ipek", false))
        b["use_ipek"] = true;
    if (c.contains("ascii"))
        b["ascii"] = c["ascii"];
    if (c.contains("out"))
        b["expect"] = {{"4", c["out"]}};
    if (c.contains("error"))
        b["expect"] = {{"error", c["error"]}};
    return b;
}
