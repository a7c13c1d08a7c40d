#pragma once

#include "ViewPlatform.h"
#include "catalogue/AppState.h"
#include "catalogue/TableSource.h"

#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace pelmora::service {

// How a command ended, the same for every face: 0 done as asked; 1 a negative
// answer (no such part, a refused step, a message shown).
enum Status { Success = 0, Negative = 1 };

// A request a command cannot work with: a usage error of the command line, a
// 400 of the server.
class RequestError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What one command works with: the program's folders and settings, and the seams
// of the core without a window.
struct Session {
    // The folders found from the program's own folder as the window finds them
    // (portable or installed), or all in appDir. Messages are echoed on the stream
    // when there is one. The tables come through the shared cache when one is
    // given (the server's, for all its requests), else through one of this
    // session's own, kept as first read.
    Session(const std::string& programFolder, const std::optional<std::string>& appDir,
            std::ostream* messages, TableCache* sharedCache = nullptr);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    AppState App;
    TableCache Cache{TableCache::ShortRun};
    ViewPlatform Platform;
    // Whether the face prints a reply's lines; the wizard's commands build them
    // only then.
    bool WantsLines = true;

    nlohmann::json Messages() const;
    bool ShowedAnError() const;
    // "no catalogue (Data/) in DIR" when the catalogue's folder is missing: every
    // table would fail alike, so this one line says it all.
    std::optional<std::string> MissingCatalogue() const;
};

// A command's answer: the document the command line prints with --json and the
// server sends, the lines (UTF-8) the command line prints otherwise, and how it
// ended.
struct Reply {
    int Status = Success;
    nlohmann::json Document;
    // The document already written out (compact) by a command that writes it
    // without building the tree; Document is then empty.
    std::string Json;
    std::vector<std::string> Lines;

    // The document's text: compact, as the server sends it, or indented by two
    // spaces a level, as the command line prints it.
    std::string DocumentText(bool indented) const;
};

} // namespace pelmora::service
