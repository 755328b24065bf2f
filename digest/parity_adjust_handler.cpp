// parity_adjust_handler.cpp: forces odd or even parity on every byte by its least or most significant bit.
#include <bit>

#include "core/controller.h"
#include "core/field.h"
#include "core/handlers.h"

namespace {

struct ParityRule {
    std::int32_t id;
    std::uint8_t bit;  // the bit that may change
    bool odd;          // parity every byte must have
};

constexpr ParityRule PARITY_RULES[] = {
    {OP_PARITY_LSB_ODD, 0x01, true},
    {OP_PARITY_LSB_EVEN, 0x01, false},
    {OP_PARITY_MSB_ODD, 0x80, true},
    {OP_PARITY_MSB_EVEN, 0x80, false},
};

} // namespace

int parity_adjust_handler()
{
    if (!field_load(0, 0, 1))
        return 0;
    const ParityRule* rule = nullptr;
    for (const ParityRule& r : PARITY_RULES)
        if (r.id == selected_row().id)
            rule = &r;
    if (!rule)
        return 0;

    const FieldBuffer& in = g_field[0];
    FieldBuffer& out = g_field[4];
    for (std::int32_t j = 0; j < in.length; ++j) {
        std::uint8_t byte = in.data[j];
        bool odd_now = std::popcount(byte) % 2 != 0;
        out.data[j] = odd_now == rule->odd ? byte : static_cast<std::uint8_t>(byte ^ rule->bit);
    }
    out.length = in.length;
    field_show(4);
    return 1;
}
