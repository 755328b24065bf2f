// handlers.h: the handlers of the key block rows.
#pragma once

int key_block_open_handler();  // block and KBPK in; header in words, key check value and key out
int key_block_build_handler(); // header, KBPK, key and padding in; the block out
