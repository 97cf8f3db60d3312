#include "JsonWriter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace vekinfo {

namespace {

// Length of the valid UTF-8 sequence starting at text[i], 0 when there is none (overlong forms,
// surrogates and code points past U+10FFFF are not valid).
std::size_t Utf8Length(const std::string& text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned min = 0, code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, min = 0x80, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, min = 0x800, code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, min = 0x10000, code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return 0;
    }
    return length;
}

}  // namespace

std::string JsonWriter::Quote(const std::string& text) {
    std::string quoted = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const std::size_t length = Utf8Length(text, i);
            if (length == 0) {
                quoted += "\\ufffd";
                ++i;
            } else {
                quoted.append(text, i, length);
                i += length;
            }
            continue;
        }
        switch (c) {
            case '"':
                quoted += "\\\"";
                break;
            case '\\':
                quoted += "\\\\";
                break;
            case '\b':
                quoted += "\\b";
                break;
            case '\f':
                quoted += "\\f";
                break;
            case '\n':
                quoted += "\\n";
                break;
            case '\r':
                quoted += "\\r";
                break;
            case '\t':
                quoted += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char escape[8];
                    std::snprintf(escape, sizeof(escape), "\\u%04x", c);
                    quoted += escape;
                } else {
                    quoted += static_cast<char>(c);
                }
        }
        ++i;
    }
    quoted += '"';
    return quoted;
}

void JsonWriter::newLine() {
    out_ << '\n' << std::string(2 * stack_.size(), ' ');
}

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (stack_.empty()) {
        return;
    }
    if (stack_.back().object) {
        throw std::logic_error("JSON: a member of an object needs a key");
    }
    if (!stack_.back().empty) {
        out_ << ',';
    }
    stack_.back().empty = false;
    newLine();
}

void JsonWriter::key(const std::string& name) {
    if (stack_.empty() || !stack_.back().object || afterKey_) {
        throw std::logic_error("JSON: a key outside an object or after another key");
    }
    if (!stack_.back().empty) {
        out_ << ',';
    }
    stack_.back().empty = false;
    newLine();
    out_ << Quote(name) << ": ";
    afterKey_ = true;
}

void JsonWriter::open(bool object, char bracket) {
    beforeValue();
    out_ << bracket;
    stack_.push_back({object, true});
}

void JsonWriter::close(bool object, char bracket) {
    if (stack_.empty() || stack_.back().object != object || afterKey_) {
        throw std::logic_error("JSON: closing a container that is not open");
    }
    const bool empty = stack_.back().empty;
    stack_.pop_back();
    if (!empty) {
        newLine();
    }
    out_ << bracket;
}

void JsonWriter::beginObject() {
    open(true, '{');
}

void JsonWriter::endObject() {
    close(true, '}');
}

void JsonWriter::beginArray() {
    open(false, '[');
}

void JsonWriter::endArray() {
    close(false, ']');
}

void JsonWriter::value(const std::string& text) {
    beforeValue();
    out_ << Quote(text);
}

void JsonWriter::value(const char* text) {
    if (text == nullptr) {
        null();
    } else {
        value(std::string(text));
    }
}

void JsonWriter::value(bool flag) {
    beforeValue();
    out_ << (flag ? "true" : "false");
}

void JsonWriter::value(std::int64_t number) {
    beforeValue();
    out_ << number;
}

void JsonWriter::value(std::uint64_t number) {
    beforeValue();
    out_ << number;
}

void JsonWriter::value(double number) {
    if (!std::isfinite(number)) {
        null();
        return;
    }
    beforeValue();
    // Shortest form that reads back as the same double, whatever the stream's settings.
    char text[32];
    for (int precision = 1; precision <= 17; ++precision) {
        std::snprintf(text, sizeof(text), "%.*g", precision, number);
        if (std::strtod(text, nullptr) == number) {
            break;
        }
    }
    out_ << text;
}

void JsonWriter::null() {
    beforeValue();
    out_ << "null";
}

void JsonWriter::closeTo(std::size_t depth) {
    if (afterKey_) {
        null();
    }
    while (stack_.size() > depth) {
        close(stack_.back().object, stack_.back().object ? '}' : ']');
    }
}

void JsonWriter::finish() {
    out_ << '\n';
}

}  // namespace vekinfo
