// pvv_handler.cpp: the rows "Visa PVV" (TSP, block enciphered, PVV) and "Visa PVV verify".
#include <array>
#include <string>

#include "cards/fields.h"
#include "cards/handlers.h"
#include "cards/pvv.h"

namespace {

constexpr int KEY_FIELD = 0;
constexpr int PIN_FIELD = 1;
constexpr std::size_t PVV_DIGITS = 4;

bool load_inputs(CardKey& pvk, std::array<std::string, 3>& parts)
{
    return load_key16(KEY_FIELD, pvk) && load_parts(PIN_FIELD, parts) && pan_digits_only(PIN_FIELD, parts[0]);
}

} // namespace

int pvv_handler()
{
    CardKey pvk;
    std::array<std::string, 3> parts; // PAN, PVKI, PIN
    if (!load_inputs(pvk, parts))
        return 0;
    const PvvSteps steps = pvv(parts[0], parts[1], parts[2], pvk);
    show_text(2, steps.tsp);
    show_bytes(3, steps.enciphered);
    show_text(4, steps.value);
    return 1;
}

int pvv_verify_handler()
{
    CardKey pvk;
    std::array<std::string, 3> parts;
    if (!load_inputs(pvk, parts) || !field_load(2, 0, 1))
        return 0;
    if (g_field[2].length != PVV_DIGITS) {
        show_field_error(2, MSG_PVV_LENGTH);
        return 0;
    }
    const PvvSteps steps = pvv(parts[0], parts[1], parts[2], pvk);
    show_text(3, steps.tsp);
    show_match("PVV", steps.value, field_text(2));
    return 1;
}
