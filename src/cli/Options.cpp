#include "Options.h"

#include "order/OrderList.h"

namespace pelmora::cli {

Options::Options(const Arguments& arguments, const std::set<std::string>& known) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.size() > 2 && argument.rfind("--", 0) == 0) {
            if (!known.count(argument))
                throw UsageError("unknown option " + argument);
            if (i + 1 >= arguments.size())
                throw UsageError(argument + " needs a value");
            values_[argument] = arguments[++i];
        } else {
            positional_.push_back(argument);
        }
    }
}

std::optional<std::string> Options::Value(const std::string& name) const {
    const auto found = values_.find(name);
    if (found == values_.end())
        return std::nullopt;
    return found->second;
}

int Options::Quantity(const std::string& name, int fallback) const {
    const auto text = Value(name);
    if (!text)
        return fallback;
    const auto quantity = ParseQuantity(*text);
    if (!quantity)
        throw UsageError(name + " takes a whole number from 1 to 99999, not " + *text);
    return *quantity;
}

} // namespace pelmora::cli
