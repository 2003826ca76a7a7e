#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Compact JSON appended to a byte buffer, byte for byte what
// QJsonDocument::toJson(QJsonDocument::Compact) gives for the same values: no
// blanks; strings as UTF-8 with only '"', '\\' and the control characters
// escaped (\b \f \n \r \t, the others as \u00xx in lower-case hex); whole
// numbers in plain decimal. Keys go out in the order they are given: a caller
// standing in for a QJsonObject gives them sorted, as QJsonObject keeps them.
// Strings must be valid UTF-8 (QString holds nothing else that UTF-8 can say).
class JsonWriter
{
public:
    explicit JsonWriter(std::string &out) : out_(out) {}

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(std::string_view name);
    void string(std::string_view utf8);
    void integer(std::int64_t value);
    void boolean(bool value);

    // A string written in pieces, so that a very long text can be handed on
    // between them. A piece may end inside a character.
    void beginString();
    void stringPiece(std::string_view utf8);
    void endString();

    // The escaped form of a UTF-8 text, without its quotes.
    static void appendEscaped(std::string &out, std::string_view utf8);

private:
    void separate();

    std::string &out_;
    // Bit 0: the innermost open container has an item already; one bit per
    // level, deep enough for any record we write.
    std::uint64_t hasItem_ = 0;
    bool afterKey_ = false;
};
