// handlers.h: the handlers of the PIN translation rows.
#pragma once

int pin_translate_zone_handler();  // a block under one zone key and format to another
int pin_translate_dukpt_handler(); // a terminal's DUKPT block to a zone key and format
