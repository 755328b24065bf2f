// header_words.h: a key block header in words, on one line, for a person to read.
#pragma once

#include <string>

#include "keyblock/key_block.h"

std::string header_in_words(const KeyBlockHeader& header);
