#include "tools/uparse-lsp/MessageReader.h"

#include <cctype>
#include <limits>

namespace uparselsp {

namespace {

constexpr std::size_t kMaxHeaderLine = 4096;

bool IsContentLength(const std::string& name) {
    static const char kName[] = "content-length";
    if (name.size() != sizeof kName - 1) {
        return false;
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(name[i])) != kName[i]) {
            return false;
        }
    }
    return true;
}

// The header's decimal value; false for anything else, or a number beyond size_t.
bool ParseLength(const std::string& value, std::size_t& length) {
    std::size_t begin = value.find_first_not_of(" \t");
    std::size_t end = value.find_last_not_of(" \t");
    if (begin == std::string::npos) {
        return false;
    }
    length = 0;
    for (std::size_t i = begin; i <= end; ++i) {
        const char c = value[i];
        const std::size_t digit = static_cast<std::size_t>(c - '0');
        if (c < '0' || c > '9' || length > (std::numeric_limits<std::size_t>::max() - digit) / 10) {
            return false;
        }
        length = length * 10 + digit;
    }
    return true;
}

}  // namespace

MessageReader::MessageReader(std::istream& in, std::size_t maxBody) : mIn(in), mMaxBody(maxBody) {}

MessageReader::Line MessageReader::readLine(std::string& line) {
    line.clear();
    bool tooLong = false;
    for (int c = mIn.get(); c != std::char_traits<char>::eof(); c = mIn.get()) {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            return tooLong ? Line::TooLong : Line::Read;
        }
        if (line.size() < kMaxHeaderLine) {
            line += static_cast<char>(c);
        } else {
            tooLong = true;
        }
    }
    return Line::End;
}

MessageReader::Status MessageReader::next(std::string& body, std::string& problem) {
    std::string line;
    bool sawHeader = false;
    bool haveLength = false;
    bool badLength = false;
    std::size_t length = 0;
    for (;;) {
        const Line read = readLine(line);
        if (read == Line::End) {
            if (!sawHeader && line.empty()) {
                return Status::End;
            }
            problem = "the input ended inside a message header";
            return Status::Bad;
        }
        if (read == Line::TooLong) {
            badLength = true;  // a header line no client writes
            sawHeader = true;
            continue;
        }
        if (line.empty()) {
            if (!sawHeader) {
                continue;  // blank lines between messages
            }
            break;
        }
        sawHeader = true;
        const std::size_t colon = line.find(':');
        if (colon != std::string::npos && IsContentLength(line.substr(0, colon))) {
            haveLength = ParseLength(line.substr(colon + 1), length);
            badLength = badLength || !haveLength;
        }
    }
    if (badLength || !haveLength) {
        problem = "a message header without a valid Content-Length was skipped";
        return Status::Bad;
    }
    if (length > mMaxBody) {
        const auto most = static_cast<std::size_t>(std::numeric_limits<std::streamsize>::max());
        mIn.ignore(static_cast<std::streamsize>(length < most ? length : most));
        problem = "a message of " + std::to_string(length) + " bytes was skipped: the limit is " +
                  std::to_string(mMaxBody);
        return Status::Bad;
    }
    body.resize(length);
    mIn.read(body.data(), static_cast<std::streamsize>(length));
    const std::size_t got = static_cast<std::size_t>(mIn.gcount());
    if (got < length) {
        problem = "the input ended after " + std::to_string(got) + " of the " +
                  std::to_string(length) + " bytes its Content-Length announced";
        body.clear();
        return Status::Bad;
    }
    return Status::Message;
}

}  // namespace uparselsp
