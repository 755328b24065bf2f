// handlers.h: the handlers of the AES DUKPT rows (ANSI X9.24-3-2017).
#pragma once

int aes_dukpt_initial_key_handler();
int aes_dukpt_working_key_handler();
int aes_dukpt_intermediate_key_handler();
int aes_dukpt_next_ksn_handler();

int aes_dukpt_pin_format4_handler(); // ISO 9564-1 format 4 under the AES PIN key
int aes_dukpt_pin_format0_handler(); // ISO 9564-1 format 0 under the Triple-DES PIN key

int aes_dukpt_mac_request_handler();  // key usage 2000, MAC generation
int aes_dukpt_mac_response_handler(); // key usage 2001, MAC verification
int aes_dukpt_mac_both_handler();     // key usage 2002

int aes_dukpt_data_request_handler();  // key usage 3000, data encryption (encrypt)
int aes_dukpt_data_response_handler(); // key usage 3001, data encryption (decrypt)
int aes_dukpt_data_both_handler();     // key usage 3002
