#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace vekinfo {

// Writes one JSON document to a stream as it is built, two spaces of indentation per level.
// Strings are taken as UTF-8: valid sequences pass through, quotes, backslashes and control
// characters are escaped, and bytes that are not UTF-8 become U+FFFD, so the document stays
// valid whatever a driver returns. Numbers that are not finite are written as null.
class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The name of the next member of the current object.
    void key(const std::string& name);

    void value(const std::string& text);
    void value(const char* text);
    void value(bool flag);
    void value(std::int64_t number);
    void value(std::uint64_t number);
    void value(int number) { value(static_cast<std::int64_t>(number)); }
    void value(unsigned number) { value(static_cast<std::uint64_t>(number)); }
    void value(double number);
    void null();

    // Members written as key and value in one call.
    template <typename T>
    void member(const std::string& name, const T& v) {
        key(name);
        value(v);
    }

    // Open containers; closeTo(depth) closes those opened since depth was taken (a member whose
    // value never came gets null), so a section that fails halfway still leaves valid JSON.
    std::size_t depth() const { return stack_.size(); }
    void closeTo(std::size_t depth);
    // After the outermost container is closed: ends the line.
    void finish();

    // text as a JSON string literal, quotes included.
    static std::string Quote(const std::string& text);

private:
    struct Level {
        bool object;
        bool empty;
    };
    // Before a value: the comma and the line break of arrays; nothing after a key.
    void beforeValue();
    void newLine();
    void open(bool object, char bracket);
    void close(bool object, char bracket);

    std::ostream& out_;
    std::vector<Level> stack_;
    bool afterKey_ = false;
};

}  // namespace vekinfo
