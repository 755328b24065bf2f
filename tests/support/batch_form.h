// batch_form.h: a family file's row case in the console's batch form, for the tests that run the family
// files through the row driver and for the fuzz targets' seeds.
#pragma once

#include <nlohmann/json.hpp>

// {"row", "in": [fields 0 to 3], "mode" ("ECB", "CBC", "MAC" or "MAC padded"), "ipek", "ascii", "out" or
// "error"} as {"row", "inputs": {"0": text, ...}, "mode", "padding", "use_ipek", "ascii", "expect"}. Empty
// fields and those the row hides or writes are left out; a row of no such name keeps its name alone.
nlohmann::json batch_form(const nlohmann::json& family_case);
