#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pelmora::service {

// A JSON document written straight into its text, compact, byte for byte as
// nlohmann::json's dump() writes the same document, without building a tree
// first. An object's members are written in the order given, which must be the
// order the tree would sort them in (by their bytes): a key out of order throws
// std::logic_error, so that no answer ever differs from the tree's.
class JsonWriter {
public:
    JsonWriter& Object();
    JsonWriter& Array();
    // Closes the innermost open object or array.
    JsonWriter& End();
    // The key of the next member; the name must outlive the object it is in.
    JsonWriter& Key(std::string_view name);
    // Text already in UTF-8.
    JsonWriter& String(std::string_view utf8);
    // The core's Windows-1252 bytes, written as UTF-8.
    JsonWriter& Text(std::string_view bytes);
    JsonWriter& Number(long long value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();
    // A whole value another writer wrote.
    JsonWriter& Written(std::string_view json);

    // The document as written so far.
    const std::string& Json() const { return out_; }
    std::string Take() { return std::move(out_); }

private:
    // Before a value: the comma after the previous one in an array.
    void StartValue();
    void Close(char bracket);
    void Quote(std::string_view utf8);

    struct Open {
        bool IsObject;
        bool Empty = true;
        std::string_view LastKey;
    };
    std::string out_;
    std::vector<Open> open_;
    bool afterKey_ = false;
};

// A compact document indented by two spaces a level, as dump(2) writes it.
std::string Indented(std::string_view compact);

} // namespace pelmora::service
