#pragma once

#include "Cli.h"

#include <map>
#include <optional>
#include <set>

namespace pelmora::cli {

// A command's own arguments: "--name value" options it knows, and the rest in
// order.
class Options {
public:
    Options(const Arguments& arguments, const std::set<std::string>& known);

    Arguments Positional() const { return positional_; }
    std::optional<std::string> Value(const std::string& name) const;
    // A quantity as the Add to Order dialog takes it: a whole number 1..99999.
    int Quantity(const std::string& name, int fallback) const;

private:
    Arguments positional_;
    std::map<std::string, std::string> values_;
};

} // namespace pelmora::cli
