// controller.h: the behaviour of the main window, driven by the window shell through these entries.
#pragma once

#include <cstdint>

#include "core/catalogue.h"
#include "core/seam.h"

inline constexpr unsigned RUN_TIMER_ID = 123;
inline constexpr unsigned RUN_DELAY_MS = 150;
inline constexpr int CLIPBOARD_BLOCK_BYTES = 8712;
inline constexpr int NOTIFY_LIST_SELECTION_CHANGED = 1; // CBN_SELCHANGE
inline constexpr int COMMAND_CANCEL = 2;                // IDCANCEL, what dialog keyboard handling makes of ESC

extern std::int32_t current_row;

inline const OperationRow& selected_row() { return catalogue[static_cast<std::size_t>(current_row)]; }

// The window's initialisation (g_window must be set).
void controller_init();
// A command from a control: its id and notification code.
void controller_command(int control_id, int notify_code);
// A timer message.
void controller_timer(unsigned timer_id);
// A close request (close box, ESC): ends the message loop with exit code 0.
void controller_close();
// Window destruction: releases the pictures.
void controller_destroy();

void layout_for_row();
void clear_outputs();
void copy_to_clipboard();
void centre_window(WindowRef window);
