// resource.h: ids of the program's resources, shared by tabrix.rc and the window shell.
// Control ids come from core/controls.h.
#pragma once

#include "core/controls.h"

#define IDI_PROGRAM 102
#define IDR_ACCEL_ESC 103

// Pictures named only by the dialog layouts.
#define IDB_LOGO 104
#define IDB_OUTPUT_MARKER 113
#define IDB_BLOCK_MODE 114

// Pictures of the operation catalogue (there is no 127).
#define IDB_KEY 115
#define IDB_INITIAL_VALUE 116
#define IDB_CLEAR_DATA 117
#define IDB_ENCRYPTED_DATA 118
#define IDB_RSA_EXPONENT 119
#define IDB_RSA_MODULUS 120
#define IDB_XOR_OUTPUT 121
#define IDB_DIGEST_OUTPUT 122
#define IDB_DATA_TO_DIGEST 123
#define IDB_FLOW_ARROW 124
#define IDB_FLOW_FUNNEL 125
#define IDB_FLOW_DASHES 126
#define IDB_KSN 128
#define IDB_BDK 129
#define IDB_MASTER_KEY 130
#define IDB_WORKING_KEY 131
#define IDB_CENTRE_SYMMETRIC 132
#define IDB_CENTRE_ASYMMETRIC 133
#define IDB_CENTRE_PIN 134
#define IDB_CENTRE_TOOLS 135
#define IDB_CENTRE_HASH 136
#define IDB_PIN_PAD 137
#define IDB_PARITY 138
#define IDB_MAC_OUTPUT 139
#define IDB_RSA_KEY_SIZE 140
#define IDB_RSA_PRIVATE_EXPONENT 141

// The release notes shown by the Version History viewer: a resource of the program's own type.
#define RT_VERSION_HISTORY 256
#define IDR_VERSION_HISTORY 40101
