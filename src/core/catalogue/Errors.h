#pragma once

#include <stdexcept>
#include <string>

namespace pelmora {

// A file that could not be opened, read or written. This is the "ordinary" failure
// that callers report to the user and carry on from.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    static FileError CannotOpen(const std::string& path) {
        return FileError("Cannot open file " + path);
    }
    static FileError CannotCreate(const std::string& path) {
        return FileError("Cannot create file " + path);
    }
};

// A catalogue cell that does not hold the number its column promises.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    static ConversionError NotANumber(const std::string& text) {
        return ConversionError("'" + text + "' is not a valid floating point value");
    }
    static ConversionError NotAnInteger(const std::string& text) {
        return ConversionError("'" + text + "' is not a valid integer value");
    }
};

// A row or column outside a list: a broken invariant of the caller.
class ListIndexError : public std::out_of_range {
public:
    explicit ListIndexError(long long index)
        : std::out_of_range("List index out of bounds (" + std::to_string(index) + ")") {}
};

} // namespace pelmora
