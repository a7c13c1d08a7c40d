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
};

// A file that could not be written, with the system's reason. The old file, if
// any, is then untouched.
class WriteError : public FileError {
public:
    WriteError(const std::string& path, const std::string& reason)
        : FileError("Cannot create file " + path + ": " + reason) {}
};

// A catalogue cell that does not hold the number its column promises.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    static ConversionError NotANumber(const std::string& text) {
        return ConversionError("'" + text + "' is not a valid floating point value");
    }
    static ConversionError OutOfRange(const std::string& text) {
        return ConversionError("'" + text + "' is out of range for a price");
    }
    static ConversionError PriceTooLarge() {
        return ConversionError("The price adds up to more than can be shown");
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
