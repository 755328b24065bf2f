// ipek_handler.cpp: the row "DUKPT Triple-DES IPEK derivation": KSN and BDK in, the IPEK out.
#include "core/controller.h"
#include "core/field.h"
#include "core/handlers.h"
#include "core/messages.h"
#include "symmetric/dukpt.h"

int ipek_handler() {
    if (selected_row().id != OP_DUKPT_IPEK) {
        show_error(MSG_INTERNAL_ERROR);
        return 0;
    }
    if (!field_load(0, -DUKPT_KSN_BYTES, 1))
        return 0;
    if (!field_load(2, -16, 1))
        return 0;
    dukpt_ipek(g_field[2].data, g_field[0].data, g_field[4].data);
    g_field[4].length = 16;
    field_show(4);
    return 1;
}
