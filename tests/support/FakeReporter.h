#pragma once
// Records the message boxes that the settings operations would show.

#include "settings/logic/MessageReporter.h"

#include <string>
#include <vector>

namespace tests {

struct ShownMessage {
    std::string Text;
    settings::MessageIcon Icon;
};

class FakeReporter : public settings::MessageReporter {
public:
    std::vector<ShownMessage> messages;

    void ShowMessage(std::string_view text, settings::MessageIcon icon) override {
        messages.push_back({std::string(text), icon});
    }
};

}  // namespace tests
