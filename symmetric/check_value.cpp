// check_value.cpp: the key check value line beside field 2's title (not built yet: the line stays empty).
#include "core/handlers.h"

void show_check_value() {}
