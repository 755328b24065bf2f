// handlers.h: the handlers of the EMV rows.
#pragma once

int emv_icc_master_key_handler(); // ICC master key, option A or B
int emv_session_key_handler();    // EMV common, Mastercard and PBOC session keys
int emv_cryptogram_handler();     // application cryptograms, by cryptogram version or custom
int emv_arpc_handler();           // ARPC methods 1 and 2
int emv_tlv_decode_handler();     // every object of a TLV string, explained
int emv_element_decode_handler(); // one data element's value in words
int emv_arqc_check_handler();     // ARQC checked from DE55, and the variants that reproduce it
