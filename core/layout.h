// layout.h: helpers of the window layout that the controller's commands share.
#pragma once

// Checks one block-mode radio button and unchecks the other two.
void select_block_mode(int radio_id);

// Field 2's title and picture: the IPEK's while "Use IPEK" is ticked, else the row's own.
void show_field2_look(bool use_ipek);
