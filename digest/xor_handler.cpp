// xor_handler.cpp: the exclusive OR of up to four values; shorter values count as padded with zero bytes.
#include "core/field.h"
#include "core/handlers.h"

int xor_handler()
{
    std::int32_t longest = 0;
    for (int i = 0; i < 4; ++i) {
        if (!field_load(i, 0, 1))
            return 0;
        if (g_field[i].length > longest)
            longest = g_field[i].length;
    }
    // Bytes of a buffer past its length are zero: GO! cleared every buffer before the run.
    FieldBuffer& out = g_field[4];
    for (std::int32_t j = 0; j < longest; ++j)
        out.data[j] = g_field[0].data[j] ^ g_field[1].data[j] ^ g_field[2].data[j] ^ g_field[3].data[j];
    out.length = longest;
    field_show(4);
    return 1;
}
