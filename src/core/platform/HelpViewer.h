#pragma once

#include <string>

namespace pelmora {

// Opens the program's help file at a numbered topic.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;

    virtual void ShowHelp(const std::string& helpFile, int topic) = 0;
};

} // namespace pelmora
