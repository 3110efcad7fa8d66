#pragma once

// A JSON reader for the generator's inputs (the shared call table): objects, arrays,
// strings, numbers, true, false and null. A number keeps its text, so that a formula can
// carry it exactly as written and a reader convert it once (strtod, correctly rounded).

#include <cstddef>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace rgenerator {

struct Json {
    enum class Kind { Null, Boolean, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    std::string text; // a number's text or a string's value
    std::vector<Json> items;
    std::map<std::string, Json> members;

    bool is(Kind k) const { return kind == k; }
    const Json& at(const std::string& name) const {
        const auto found = members.find(name);
        if (found == members.end())
            throw std::runtime_error("JSON: no member " + name);
        return found->second;
    }
};

class JsonReader {
public:
    explicit JsonReader(std::string_view text) : text_(text) {}

    Json document() {
        Json value = read();
        skipBlanks();
        if (pos_ != text_.size())
            fail("text after the value");
        return value;
    }

private:
    [[noreturn]] void fail(const std::string& what) const {
        throw std::runtime_error("JSON at character " + std::to_string(pos_ + 1) + ": " + what);
    }

    void skipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\n' ||
                                       text_[pos_] == '\r' || text_[pos_] == '\t'))
            ++pos_;
    }

    bool take(char c) {
        skipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    void expect(char c) {
        if (!take(c))
            fail(std::string("\"") + c + "\" expected");
    }

    bool takeWord(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word)
            return false;
        pos_ += word.size();
        return true;
    }

    Json read() {
        skipBlanks();
        if (pos_ >= text_.size())
            fail("a value expected");
        Json value;
        const char c = text_[pos_];
        if (c == '{') {
            value.kind = Json::Kind::Object;
            ++pos_;
            if (!take('}')) {
                do {
                    skipBlanks();
                    const std::string name = string();
                    expect(':');
                    value.members[name] = read();
                } while (take(','));
                expect('}');
            }
        } else if (c == '[') {
            value.kind = Json::Kind::Array;
            ++pos_;
            if (!take(']')) {
                do
                    value.items.push_back(read());
                while (take(','));
                expect(']');
            }
        } else if (c == '"') {
            value.kind = Json::Kind::String;
            value.text = string();
        } else if (takeWord("true") || takeWord("false")) {
            value.kind = Json::Kind::Boolean;
            value.boolean = c == 't';
        } else if (takeWord("null")) {
            value.kind = Json::Kind::Null;
        } else {
            value.kind = Json::Kind::Number;
            const std::size_t start = pos_;
            while (pos_ < text_.size() &&
                   std::string_view("+-0123456789.eE").find(text_[pos_]) != std::string_view::npos)
                ++pos_;
            if (pos_ == start)
                fail("a value expected");
            value.text = std::string(text_.substr(start, pos_ - start));
        }
        return value;
    }

    // A string at the position, its escapes read (\uXXXX as UTF-8, without surrogate pairs).
    std::string string() {
        if (pos_ >= text_.size() || text_[pos_] != '"')
            fail("a string expected");
        ++pos_;
        std::string out;
        while (pos_ < text_.size() && text_[pos_] != '"') {
            char c = text_[pos_++];
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= text_.size())
                fail("an escape expected");
            c = text_[pos_++];
            switch (c) {
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                if (pos_ + 4 > text_.size())
                    fail("four hexadecimal digits expected");
                const unsigned code = std::stoul(std::string(text_.substr(pos_, 4)), nullptr, 16);
                pos_ += 4;
                if (code < 0x80) {
                    out += static_cast<char>(code);
                } else if (code < 0x800) {
                    out += static_cast<char>(0xC0 | (code >> 6));
                    out += static_cast<char>(0x80 | (code & 0x3F));
                } else {
                    out += static_cast<char>(0xE0 | (code >> 12));
                    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                    out += static_cast<char>(0x80 | (code & 0x3F));
                }
                break;
            }
            default:
                out += c;
                break; // \" \\ \/
            }
        }
        if (pos_ >= text_.size())
            fail("an unfinished string");
        ++pos_;
        return out;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace rgenerator
