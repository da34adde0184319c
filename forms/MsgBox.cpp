#include "forms/MsgBox.h"

#include <string>

namespace forms {

int MsgBox(std::string_view text, UINT style, std::string_view title) {
    const std::string body(text);
    const std::string caption(title);
    // Owned by no window, with exactly the style asked for: nothing is added to it.
    return MessageBoxA(nullptr, body.c_str(), caption.c_str(), style);
}

}  // namespace forms
