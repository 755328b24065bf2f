// handlers.h: the handlers of the key component rows.
#pragma once

int combine_components_handler(); // 2 or 3 components XORed into a key, with check values and parity
int split_key_handler();          // a key and its random components to the last component
