#pragma once
// Where the settings operations that report a failure show it: a message box with an OK button and
// the application title as caption. The program shows real boxes; tests record the texts.

#include <string_view>

namespace settings {

enum class MessageIcon { Warning, Information };

class MessageReporter {
public:
    virtual ~MessageReporter() = default;
    // Returns when the box is closed.
    virtual void ShowMessage(std::string_view text, MessageIcon icon) = 0;
};

}  // namespace settings
