#pragma once

#include "platform/HelpViewer.h"
#include "platform/Platform.h"
#include "support/FakeMessageBoxes.h"

#include <string>
#include <vector>

namespace pelmora::testing {

class FakeHelpViewer : public HelpViewer {
public:
    void ShowHelp(const std::string& helpFile, int topic) override {
        Shown.push_back(helpFile + "#" + std::to_string(topic));
    }
    std::vector<std::string> Shown;
};

// Every seam of the core, scripted and recording.
struct FakePlatform {
    FakeMessageBoxes Messages;
    FakeHelpViewer Help;
    Platform Seams{Messages, Help};
};

} // namespace pelmora::testing
