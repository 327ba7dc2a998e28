#ifndef TOOLS_UPARSE_LSP_MESSAGEREADER_H
#define TOOLS_UPARSE_LSP_MESSAGEREADER_H

#include <cstddef>
#include <istream>
#include <string>

namespace uparselsp {

// Reads the base protocol's messages: header lines ended by CRLF (a bare LF is taken too), an
// empty line, then a body of Content-Length bytes.
class MessageReader {
  public:
    enum class Status {
        Message,  // body holds one message
        Bad,      // a message could not be read; problem says why, and reading goes on
        End       // the input ended
    };

    // Bodies above maxBody bytes are skipped, not held.
    explicit MessageReader(std::istream& in, std::size_t maxBody = std::size_t{64} << 20);

    Status next(std::string& body, std::string& problem);

  private:
    enum class Line { Read, TooLong, End };
    Line readLine(std::string& line);

    std::istream& mIn;
    std::size_t mMaxBody;
};

}  // namespace uparselsp

#endif
