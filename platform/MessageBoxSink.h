#pragma once
// Failures the user must see, as a modal message box with an OK button under the program's title.

#include "platform/MessageSink.h"

class CMessageBoxSink : public IMessageSink {
public:
    void ShowMessage(const std::string& text) override;
};
