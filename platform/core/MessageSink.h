#pragma once
// Where a failure the user must see goes: a modal message box in the program, standard error in the
// report command, a list in tests. ShowMessage returns once the user has acknowledged it.

#include <string>

class IMessageSink {
public:
    virtual ~IMessageSink() = default;
    virtual void ShowMessage(const std::string& text) = 0;
};
