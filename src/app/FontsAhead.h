#pragma once

#include <thread>

// Fontconfig reads its whole configuration, some sixty files, at the first font
// lookup: milliseconds the window would wait for before it can lay out its first
// screen. FontsAhead has it read on a thread of its own while Qt connects to the
// display. Wait before anything lays out text: a second reader would not wait for
// the first but read it all again.
class FontsAhead {
public:
    FontsAhead();
    void Wait();

private:
    std::jthread reading_;
};
