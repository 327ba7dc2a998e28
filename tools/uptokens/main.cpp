// uptokens [FILE]: prints the commands of a syntax text and every token of each: line, column,
// type, operator code and text. Without FILE it shows a built-in sample.
#include <cstdio>
#include <sstream>
#include <string>
#include <string_view>

#include "refhost/refhost.h"

namespace {

const char kSample[] =
    "LOAD FILE = 'survey.csv'.\n"
    "DESCRIBE age income TO v4\n"
    "  /INDICATORS = MEAN STDDEV MIN MAX\n"
    "  /MISSING = DROPROWS.\n"
    "\n"
    "PAIRGRID region BY gender WITH weight\n"
    "  /CATEGORIES region [1; 2; 3] gender [1; 2]\n"
    "  /TITLE = \"Region by gender, \"\"weighted\"\"\"\n"
    "  /SETTINGS = ALPHA(.05) REPEATS(1e3) SHIFT(-2.5E-2).\n"
    "LINEFIT ALL\n"
    "  /RESPONSES = income\n"
    "  /SCHEME = FORCE age v1 TO v3 (p <= 0.1).\n";

const char* typeName(TokenSequenceBase::TokenType type) {
    switch (type) {
        case TokenSequenceBase::StringToken:
            return "word";
        case TokenSequenceBase::NumberToken:
            return "number";
        case TokenSequenceBase::LiteralToken:
            return "literal";
        case TokenSequenceBase::OperatorToken:
            return "operator";
        default:
            return "none";
    }
}

// Literals in quotes so that their blanks show; bytes that do not print, or are not UTF-8, as
// \xNN.
std::string shown(const char* text, unsigned length, bool literal) {
    const std::string_view view(text, length);
    std::string out = literal ? "'" : "";
    for (std::size_t i = 0; i < view.size();) {
        const auto c = static_cast<unsigned char>(view[i]);
        const refhost::Utf8Char character = refhost::ReadUtf8(view, i);
        if (c < 0x20 || c == 0x7F || !character.valid) {
            for (std::size_t k = 0; k < character.length; ++k) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\x%02X",
                              static_cast<unsigned char>(view[i + k]));
                out += escaped;
            }
        } else {
            out.append(view.substr(i, character.length));
        }
        i += character.length;
    }
    if (literal) {
        out.push_back('\'');
    }
    return out;
}

void printCommand(const refhost::CommandText& command, std::size_t number) {
    refhost::TextTokenSequence tokens(command.text, command.firstLine);
    std::printf("command %zu, line %ld, %d tokens\n", number, command.firstLine,
                tokens.getTokenCount());
    std::printf("  %5s %4s  %-8s %4s  %s\n", "line", "col", "type", "code", "text");
    while (tokens.next()) {
        const char* text = nullptr;
        unsigned length = 0;
        tokens.getString(&text, &length);
        const TokenSequenceBase::TokenType type = tokens.getType();
        std::string display = text == nullptr
                                  ? std::string()
                                  : shown(text, length, type == TokenSequenceBase::LiteralToken);
        if (type == TokenSequenceBase::NumberToken) {
            std::ostringstream value;
            value << tokens.getNumeric();
            if (value.str() != display) {
                display += "  (" + value.str() + ")";
            }
        }
        std::printf("  %5ld %4d  %-8s %4d  %s\n", tokens.getLineNumber(), tokens.getColumn(),
                    typeName(type), static_cast<int>(tokens.getOperatorCode()), display.c_str());
    }
    for (const refhost::TokenizerError& error : tokens.errors()) {
        std::printf("  error at line %ld, column %d: %s\n", error.line, error.column,
                    error.message.c_str());
    }
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        std::fprintf(stderr, "usage: %s [FILE]\n", argv[0]);
        return 2;
    }
    std::string text = kSample;
    if (argc == 2) {
        if (!refhost::ReadFile(argv[1], text)) {
            std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
            return 1;
        }
    } else {
        std::printf("%s\n", text.c_str());
    }
    std::size_t number = 0;
    for (const refhost::CommandText& command : refhost::SplitCommands(text)) {
        printCommand(command, ++number);
    }
    return 0;
}
