// workbench.cpp: the user fixture's actions and the hexadecimal helpers.
#include "tests/support/workbench.h"

#include <cctype>

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

Bytes from_hex(std::string_view text)
{
    Bytes out;
    std::string digits;
    for (char c : text)
        if (std::isxdigit(static_cast<unsigned char>(c)) && (digits += c).size() == 2)
            out.push_back(static_cast<std::uint8_t>(std::stoi(digits, nullptr, 16))), digits.clear();
    return out;
}

std::string hex_bytes(std::string_view hex)
{
    const Bytes bytes = from_hex(hex);
    return {bytes.begin(), bytes.end()};
}

std::string to_hex(const std::uint8_t* bytes, std::size_t n)
{
    std::string out;
    for (std::size_t i = 0; i < n; ++i)
        out += {"0123456789ABCDEF"[bytes[i] >> 4], "0123456789ABCDEF"[bytes[i] & 15]};
    return out;
}
