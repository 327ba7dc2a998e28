#include "grammar/JsonText.h"

#include <algorithm>
#include <string_view>

namespace upgrammar {

namespace {

constexpr std::size_t kNone = std::string::npos;

enum class Goal { Value, Key, RepeatedKey, TooDeep };

// The length of a UTF-8 byte-order mark at the start, which the JSON library skips too.
std::size_t ByteOrderMark(const std::string& text) {
    return text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
}

// One pass over the text with a stack of the open objects and arrays. It never reads past the
// end and always moves on, whatever the text, so it ends on any input.
class Scanner {
  public:
    Scanner(const std::string& text, Goal goal, const std::vector<std::string>& path,
            std::size_t maxDepth)
        : mText(text), mPos(ByteOrderMark(text)), mGoal(goal), mPath(path), mMaxDepth(maxDepth) {}

    // The offset the goal asks for, or kNone; key receives a repeated key.
    std::size_t run(std::string& key);

  private:
    struct Frame {
        bool object;
        std::size_t index;
        std::string key;
        std::vector<std::string> keys;
    };
    enum class State { Value, AfterValue, KeyOrEnd, ValueOrEnd };

    std::size_t value();
    std::size_t member(std::string& key);
    bool afterValue();
    void skipBlanks();
    std::string readString();
    unsigned readHex();
    void skipScalar();
    bool atPath() const;
    void close();

    const std::string& mText;
    std::size_t mPos;
    const Goal mGoal;
    const std::vector<std::string>& mPath;
    const std::size_t mMaxDepth;
    State mState = State::Value;
    std::vector<Frame> mFrames;
};

void Scanner::skipBlanks() {
    while (mPos < mText.size() && (mText[mPos] == ' ' || mText[mPos] == '\t' ||
                                   mText[mPos] == '\n' || mText[mPos] == '\r')) {
        ++mPos;
    }
}

unsigned Scanner::readHex() {
    unsigned value = 0;
    for (int digit = 0; digit < 4 && mPos < mText.size(); ++digit, ++mPos) {
        const char c = mText[mPos];
        const unsigned nibble = c >= '0' && c <= '9'   ? c - '0'
                                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                       : 0;
        value = value * 16 + nibble;
    }
    return value;
}

void AppendUtf8(std::string& out, unsigned cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The decoded text of the string at the current position (its opening quote), so that keys
// compare as the JSON library decoded them.
std::string Scanner::readString() {
    std::string out;
    ++mPos;
    while (mPos < mText.size() && mText[mPos] != '"') {
        if (mText[mPos] != '\\' || mPos + 1 >= mText.size()) {
            out += mText[mPos++];
            continue;
        }
        const char escape = mText[mPos + 1];
        mPos += 2;
        switch (escape) {
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
                unsigned cp = readHex();
                if (cp >= 0xD800 && cp < 0xDC00 && mText.compare(mPos, 2, "\\u") == 0) {
                    mPos += 2;
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (readHex() - 0xDC00);
                }
                AppendUtf8(out, cp);
                break;
            }
            default:
                out += escape;
                break;
        }
    }
    ++mPos;
    return out;
}

void Scanner::skipScalar() {
    const std::size_t start = mPos;
    constexpr std::string_view kEnds = " \t\r\n,]}:";
    while (mPos < mText.size() && kEnds.find(mText[mPos]) == kNone) {
        ++mPos;
    }
    if (mPos == start) {
        ++mPos;
    }
}

bool Scanner::atPath() const {
    if (mFrames.size() != mPath.size()) {
        return false;
    }
    for (std::size_t k = 0; k < mPath.size(); ++k) {
        const Frame& frame = mFrames[k];
        if (frame.object ? frame.key != mPath[k] : std::to_string(frame.index) != mPath[k]) {
            return false;
        }
    }
    return true;
}

void Scanner::close() {
    if (!mFrames.empty()) {
        mFrames.pop_back();
    }
}

// A value starts at the current position: an object or array opens, a scalar is passed.
std::size_t Scanner::value() {
    if (mGoal == Goal::Value && atPath()) {
        return mPos;
    }
    const char c = mText[mPos];
    if (c == '{' || c == '[') {
        if (mGoal == Goal::TooDeep && mFrames.size() >= mMaxDepth) {
            return mPos;
        }
        mFrames.push_back(Frame{c == '{', 0, {}, {}});
        ++mPos;
        mState = c == '{' ? State::KeyOrEnd : State::ValueOrEnd;
        return kNone;
    }
    if (c == '"') {
        readString();
    } else {
        skipScalar();
    }
    mState = State::AfterValue;
    return kNone;
}

// A member's key, or the end of its object, stands at the current position.
std::size_t Scanner::member(std::string& key) {
    if (mText[mPos] == '}' || mFrames.empty()) {
        ++mPos;
        close();
        mState = State::AfterValue;
        return kNone;
    }
    const std::size_t at = mPos;
    std::string name = mText[mPos] == '"' ? readString() : (skipScalar(), std::string());
    Frame& frame = mFrames.back();
    if (mGoal == Goal::RepeatedKey) {
        if (std::find(frame.keys.begin(), frame.keys.end(), name) != frame.keys.end()) {
            key = name;
            return at;
        }
        frame.keys.push_back(name);
    }
    frame.key = std::move(name);
    if (mGoal == Goal::Key && atPath()) {
        return at;
    }
    skipBlanks();
    if (mPos < mText.size() && mText[mPos] == ':') {
        ++mPos;
    }
    mState = State::Value;
    return kNone;
}

// After a value: a comma leads to the next member or element, a bracket closes. False when
// the document is complete.
bool Scanner::afterValue() {
    if (mFrames.empty()) {
        return false;
    }
    const char c = mText[mPos++];
    if (c != ',') {
        close();
        return true;
    }
    Frame& frame = mFrames.back();
    if (frame.object) {
        mState = State::KeyOrEnd;
    } else {
        ++frame.index;
        mState = State::Value;
    }
    return true;
}

std::size_t Scanner::run(std::string& key) {
    for (;;) {
        skipBlanks();
        if (mPos >= mText.size()) {
            return kNone;
        }
        std::size_t found = kNone;
        switch (mState) {
            case State::ValueOrEnd:
                if (mText[mPos] == ']') {
                    ++mPos;
                    close();
                    mState = State::AfterValue;
                    break;
                }
                found = value();
                break;
            case State::Value:
                found = value();
                break;
            case State::KeyOrEnd:
                found = member(key);
                break;
            case State::AfterValue:
                if (!afterValue()) {
                    return kNone;
                }
                break;
        }
        if (found != kNone) {
            return found;
        }
    }
}

}  // namespace

TextPosition PositionAt(const std::string& text, std::size_t offset) {
    offset = std::min(offset, text.size());
    TextPosition position{1, 1};
    for (std::size_t i = std::min(ByteOrderMark(text), offset); i < offset; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            ++position.line;
            position.column = 1;
        } else if ((c & 0xC0) != 0x80) {
            ++position.column;
        }
    }
    return position;
}

std::size_t FindValue(const std::string& text, const std::vector<std::string>& path, bool atKey) {
    std::string unused;
    const bool key = atKey && !path.empty();
    return Scanner(text, key ? Goal::Key : Goal::Value, path, 0).run(unused);
}

std::size_t FindRepeatedKey(const std::string& text, std::string& key) {
    const std::vector<std::string> none;
    return Scanner(text, Goal::RepeatedKey, none, 0).run(key);
}

std::size_t FindTooDeep(const std::string& text, std::size_t maxDepth) {
    std::string unused;
    const std::vector<std::string> none;
    return Scanner(text, Goal::TooDeep, none, maxDepth).run(unused);
}

}  // namespace upgrammar
