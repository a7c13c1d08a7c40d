#include "JsonWriter.h"

#include "Utf8.h"
#include "catalogue/Text1252.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace pelmora::service {

namespace {

// The escapes dump() writes; every other byte of valid UTF-8 goes over as it is.
void AppendEscaped(char c, std::string& out) {
    switch (c) {
    case '"':
        out += "\\\"";
        return;
    case '\\':
        out += "\\\\";
        return;
    case '\b':
        out += "\\b";
        return;
    case '\f':
        out += "\\f";
        return;
    case '\n':
        out += "\\n";
        return;
    case '\r':
        out += "\\r";
        return;
    case '\t':
        out += "\\t";
        return;
    default:
        break;
    }
    if (static_cast<unsigned char>(c) < 0x20) {
        constexpr char Hex[] = "0123456789abcdef";
        out += "\\u00";
        out += Hex[(c >> 4) & 0xF];
        out += Hex[c & 0xF];
        return;
    }
    out += c;
}

bool NeedsEscape(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == '"' || c == '\\';
}

} // namespace

void JsonWriter::StartValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (open_.empty())
        return;
    if (open_.back().IsObject)
        throw std::logic_error("a value in an object needs its key first");
    if (!open_.back().Empty)
        out_ += ',';
    open_.back().Empty = false;
}

JsonWriter& JsonWriter::Object() {
    StartValue();
    out_ += '{';
    open_.push_back({true, true, {}});
    return *this;
}

JsonWriter& JsonWriter::Array() {
    StartValue();
    out_ += '[';
    open_.push_back({false, true, {}});
    return *this;
}

void JsonWriter::Close(char bracket) {
    out_ += bracket;
    open_.pop_back();
}

JsonWriter& JsonWriter::End() {
    if (open_.empty() || afterKey_)
        throw std::logic_error("nothing open to close");
    Close(open_.back().IsObject ? '}' : ']');
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view name) {
    if (open_.empty() || !open_.back().IsObject || afterKey_)
        throw std::logic_error("a key outside an object");
    Open& object = open_.back();
    if (!object.Empty && !(object.LastKey < name))
        throw std::logic_error("key \"" + std::string(name) + "\" is out of order");
    if (!object.Empty)
        out_ += ',';
    object.Empty = false;
    object.LastKey = name;
    Quote(name);
    out_ += ':';
    afterKey_ = true;
    return *this;
}

void JsonWriter::Quote(std::string_view utf8) {
    out_ += '"';
    const char* at = utf8.data();
    const char* const end = at + utf8.size();
    while (at < end) {
        const char* run = at;
        while (run < end && !NeedsEscape(*run))
            ++run;
        out_.append(at, run);
        if (run == end)
            break;
        AppendEscaped(*run, out_);
        at = run + 1;
    }
    out_ += '"';
}

JsonWriter& JsonWriter::String(std::string_view utf8) {
    StartValue();
    Quote(utf8);
    return *this;
}

JsonWriter& JsonWriter::Text(std::string_view bytes) {
    StartValue();
    out_ += '"';
    const char* at = bytes.data();
    const char* const end = at + bytes.size();
    // Plain ASCII, most of any text, goes over in runs.
    while (at < end) {
        const char* run = at;
        while (run < end && static_cast<unsigned char>(*run) < 0x80 && !NeedsEscape(*run))
            ++run;
        out_.append(at, run);
        if (run == end)
            break;
        const auto byte = static_cast<unsigned char>(*run);
        if (byte < 0x80)
            AppendEscaped(*run, out_);
        else
            AppendUtf8(CodePoint1252(byte), out_);
        at = run + 1;
    }
    out_ += '"';
    return *this;
}

JsonWriter& JsonWriter::Number(long long value) {
    StartValue();
    char digits[24];
    const auto written = std::to_chars(digits, digits + sizeof digits, value);
    out_.append(digits, written.ptr);
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
    StartValue();
    out_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::Null() {
    StartValue();
    out_ += "null";
    return *this;
}

JsonWriter& JsonWriter::Written(std::string_view json) {
    StartValue();
    out_ += json;
    return *this;
}

std::string Indented(std::string_view compact) {
    std::string out;
    out.reserve(compact.size() * 2);
    size_t depth = 0;
    auto newLine = [&] {
        out += '\n';
        out.append(2 * depth, ' ');
    };
    for (size_t i = 0; i < compact.size(); ++i) {
        const char c = compact[i];
        switch (c) {
        case '"': {
            // A string goes over whole, escapes and all.
            size_t close = i + 1;
            while (close < compact.size() && compact[close] != '"')
                close += compact[close] == '\\' ? 2 : 1;
            close = std::min(close, compact.size() - 1);
            out.append(compact.substr(i, close - i + 1));
            i = close;
            break;
        }
        case '{':
        case '[':
            out += c;
            // An empty one stays on its line: "{}", "[]".
            if (i + 1 < compact.size() && (compact[i + 1] == '}' || compact[i + 1] == ']')) {
                out += compact[++i];
                break;
            }
            ++depth;
            newLine();
            break;
        case '}':
        case ']':
            --depth;
            newLine();
            out += c;
            break;
        case ',':
            out += c;
            newLine();
            break;
        case ':':
            out += ": ";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace pelmora::service
