// workbench.cpp: the user fixture's actions.
#include "tests/support/workbench.h"

int Workbench::row_index(std::string_view name)
{
    for (int i = 0; i < CATALOGUE_ROWS - 1; ++i)
        if (catalogue[i].name == name)
            return i;
    ADD_FAILURE() << "no row named " << name;
    return 0;
}

void Workbench::click(int control_id)
{
    if (control_id == IDC_PADDING || control_id == IDC_USE_IPEK)
        w[control_id].checked = !w[control_id].checked;
    controller_command(control_id, 0);
}

void Workbench::run_with(std::string_view f0, std::string_view f1, std::string_view f2, std::string_view f3)
{
    for (int i = 0; std::string_view t : {f0, f1, f2, f3})
        type(i++, t);
    run();
}

std::string hex_bytes(std::string_view hex)
{
    const Bytes bytes = from_hex(hex);
    return {bytes.begin(), bytes.end()};
}
