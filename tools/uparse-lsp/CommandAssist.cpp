#include "tools/uparse-lsp/CommandAssist.h"

#include <algorithm>
#include <utility>

#include "examples/generic/FileProcedure.h"
#include "refhost/refhost.h"
#include "tools/uparse/HelpTexts.h"
#include "tools/uparse/SyntaxChart.h"
#include "uparser/ParserUtility.h"

namespace uparselsp {

namespace {

bool IsWordByte(char c) {
    return c != ' ' && c != '\t' && c != '/' && c != '=' && c != '(' && c != ')' && c != ',' &&
           c != '.' && c != '\'' && c != '"';
}

void AddOnce(std::vector<std::string>& names, const std::string& name) {
    if (!name.empty() && std::none_of(names.begin(), names.end(), [&](const std::string& known) {
            return AreStringsEqualCase(known, name);
        })) {
        names.push_back(name);
    }
}

}  // namespace

Cursor CursorAt(const Document& document, const Position& position, Encoding encoding) {
    Cursor cursor;
    if (position.line < 0 || static_cast<std::size_t>(position.line) >= document.lineCount()) {
        return cursor;
    }
    for (refhost::CommandText& command : refhost::SplitCommands(document.text())) {
        const long first = command.firstLine - 1;
        const long last =
            first + static_cast<long>(std::count(command.text.begin(), command.text.end(), '\n'));
        if (position.line < first || position.line > last) {
            continue;
        }
        const std::string_view line = document.line(static_cast<std::size_t>(position.line));
        std::size_t start = ByteOfUnits(line, position.character, encoding);
        while (start > 0 && IsWordByte(line[start - 1])) {
            --start;
        }
        if (start > 0 && line[start - 1] == '/') {
            cursor.place = Cursor::Place::SubCommand;
        } else if (position.line != first || line.find_first_not_of(" \t") < start) {
            cursor.place = Cursor::Place::Other;
        }
        cursor.command = std::move(command);
        break;
    }
    return cursor;
}

const examples::Procedure* ProcedureOf(const refhost::CommandText& command,
                                       const uparse::Procedures& procedures) {
    if (command.text.empty()) {
        return nullptr;
    }
    refhost::TextTokenSequence tokens(command.text, command.firstLine);
    return procedures.find(tokens);
}

std::vector<std::string> SubCommandNames(const examples::Procedure& procedure) {
    std::vector<std::string> names;
    const CommandDescriptor& grammar = procedure.grammar();
    for (int g = 0; g < grammar.getGroupDescListSize(); ++g) {
        const GroupComDescriptor& group = *grammar.getGroupDesc(g);
        for (const std::string& separator : group.getGroupSepNameList()) {
            AddOnce(names, separator);
        }
        for (int s = 0; s < group.getSubComDescListSize(); ++s) {
            AddOnce(names, group.getSubComDesc(s)->getSubComName());
        }
    }
    return names;
}

std::string HoverText(const examples::Procedure& procedure) {
    std::string text = "```\n" + uparse::SyntaxChart(procedure);
    if (const auto* fromFile = dynamic_cast<const examples::FileProcedure*>(&procedure)) {
        text += uparse::HelpTexts(fromFile->fileGrammar());
    }
    return text + "```\n";
}

}  // namespace uparselsp
