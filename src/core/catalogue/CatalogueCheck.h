#pragma once

#include <functional>
#include <string>

namespace pelmora {

// One thing a catalogue maintainer should know about the tables. Errors make the
// program show or compose something wrong; warnings are rows it never uses.
struct CatalogueFinding {
    enum Level { Error, Warning };
    Level Severity = Error;
    std::string File; // table or picture name, as in the data folder
    int Line = 0;     // 1-based line of the file; 0 for the whole file
    int Column = 0;   // 1-based column; 0 for the whole row
    std::string Text;
};

using FindingSink = std::function<void(const CatalogueFinding&)>;

// Reads every table of the catalogue in dataDir (and the pictures it names in
// imagesDir) and reports what would make the program misbehave: each finding as
// it is found, errors first, then warnings, none kept, so that a damaged
// catalogue of millions of rows costs its tables and no list of findings.
void CheckCatalogue(const std::string& dataDir, const std::string& imagesDir,
                    const FindingSink& report);

} // namespace pelmora
