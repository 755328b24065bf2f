// handlers.h: the handlers of the ISO/IEC 9797-1 MAC rows and the HMAC rows.
#pragma once

int iso9797_mac_handler(); // MAC algorithm 1 or 3 with padding method 1, 2 or 3, as the row's record says
int hmac_handler();        // HMAC over the row's hash
