// handlers.h: the handlers of the PIN block, CMAC and key check value rows.
#pragma once

int pin_block_build_handler(); // clear PIN blocks, ISO 9564-1 formats 0 to 3
int pin_block_read_handler();  // a clear PIN block back to its PIN, the format from its control digit

int format4_encipher_handler(); // ISO 9564-1 format 4: PIN and PAN to the enciphered block, and back
int format4_fields_handler();   // format 4's plain-text PIN field and PAN field

int cmac_handler(); // NIST SP 800-38B CMAC with AES or Triple-DES

int check_values_des_handler(); // legacy and CMAC-based key check values of a DES or Triple-DES key
int check_values_aes_handler(); // the same of an AES key
