// codepage.h: the window's single-byte code page (Windows-1252) and the console's UTF-8. A field's
// text in the window is one byte a character; the console reads and writes UTF-8 (on Linux and in
// JSON; on Windows the arguments arrive as wide characters and are turned into UTF-8 first).
#pragma once

#include <optional>
#include <string>
#include <string_view>

// UTF-8 as the window's bytes; nullopt when the text is not UTF-8 or holds a character the code page
// has no byte for. Bytes 81, 8D, 8F, 90 and 9D come from U+0081, U+008D, U+008F, U+0090 and U+009D.
std::optional<std::string> to_window_text(std::string_view utf8);

// The window's bytes as UTF-8, each byte the character the window shows for it ("€" for 80).
std::string from_window_text(std::string_view bytes);

// The first character of utf8 that to_window_text refuses, as written there ("" when none).
std::string first_unmapped(std::string_view utf8);
