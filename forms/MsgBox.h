#pragma once
// Message boxes with the program's title as caption.

#include <windows.h>

#include <string_view>

namespace forms {

// MB_OK with the icon given in `style` (MB_ICONSTOP, MB_ICONWARNING, MB_ICONINFORMATION ...); returns
// when the user closes the box.
int MsgBox(std::string_view text, UINT style, std::string_view title);

}  // namespace forms
