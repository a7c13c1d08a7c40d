#pragma once

#include "support/TempFolder.h"

#include <string>

namespace pelmora::testing {

// Writes a small catalogue of every table the wizard reads into the folder: WR90
// is offered to every family, with a few other sizes to exercise the filters,
// special quotes, taper pairs and length classes. Pictures exist for some rows.
void WriteTestCatalogue(const TempFolder& folder);

// Replaces one table of it (header row first, rows joined with CR LF).
void WriteTable(const TempFolder& folder, const std::string& name, const std::string& rows);

} // namespace pelmora::testing
