// handlers.h: the operation handlers that the catalogue rows name. Each takes no arguments,
// reads the selected row and its fields, reports its own errors, and returns a status nobody reads.
#pragma once

int block_cipher_handler(); // symmetric/: AES, DES, Triple-DES, MACs, MK/WK and DUKPT rows

int ipek_handler(); // symmetric/: DUKPT Triple-DES IPEK derivation

int rsa_handler(); // rsa/: raw RSA

int rsa_keygen_handler(); // rsa/: RSA key generation

int digest_handler(); // digest/: CRC16, MD5, SHA-1, SHA-256, SHA-384, SHA-512

int xor_handler(); // digest/: exclusive OR of up to four values

int parity_adjust_handler(); // digest/: the four parity adjustments

// symmetric/: the key check value line (control 1052) for the key in field 2, as DES (8 bytes), two-key
// Triple-DES (16), three-key Triple-DES (24) or AES (16, 24 or 32) takes it; "???" for any other length.
// A row with OPF_CHECK_VALUE names one of them.
void check_value_des();
void check_value_tdes();
void check_value_tdes24();
void check_value_aes();
