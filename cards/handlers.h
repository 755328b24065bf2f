// handlers.h: the handlers of the card and PIN verification rows.
#pragma once

int cvv_handler();         // CVV, CVV2, iCVV
int cvv_verify_handler();
int pvv_handler();         // Visa PVV
int pvv_verify_handler();
int ibm3624_natural_pin_handler();
int ibm3624_offset_handler();
int ibm3624_pin_handler(); // the PIN from an offset
int ibm3624_verify_handler();
int cvc3_handler();        // Mastercard CVC3
int cvc3_verify_handler();
int dcvv_handler();        // Visa dCVV
int dcvv_verify_handler();
int luhn_handler();        // check digit
int luhn_verify_handler();
int decimalise_handler();
