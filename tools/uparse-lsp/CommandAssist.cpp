#include "tools/uparse-lsp/CommandAssist.h"

#include <algorithm>
#include <utility>

#include "examples/generic/FileProcedure.h"
#include "examples/procedures/GrammarLookup.h"
#include "refhost/refhost.h"
#include "tools/uparse/HelpTexts.h"
#include "tools/uparse/Suggestions.h"
#include "tools/uparse/SyntaxChart.h"
#include "uparser/ParamTypeTraits.h"
#include "uparser/ParserUtility.h"
#include "uparser/SubComObj.h"

namespace uparselsp {

namespace {

// Stands in for the word being written: a name no grammar declares and no dictionary holds,
// so that the run stops on it and says what it would have taken there instead.
constexpr const char* kProbe = "Qxzqlspcursorprobe";

bool IsWordByte(char c) {
    return c != ' ' && c != '\t' && c != '/' && c != '=' && c != '(' && c != ')' && c != ',' &&
           c != '.' && c != '\'' && c != '"' && c != '\n';
}

void AddOnce(std::vector<std::string>& names, const std::string& name) {
    if (!name.empty() && std::none_of(names.begin(), names.end(), [&](const std::string& known) {
            return AreStringsEqualCase(known, name);
        })) {
        names.push_back(name);
    }
}

bool IsProbe(const TokenInfoObj& token) {
    return token.IsString() && AreStringsEqualCase(token.getString(), kProbe);
}

bool TakesVariables(const ParamDescriptor& desc) {
    using UPSpecTypes::ValueKind;
    const ValueKind kind = GetParamTypeTraits(desc.getParamType()).element;
    return kind == ValueKind::VarName || kind == ValueKind::CrossVars || kind == ValueKind::VarCats;
}

bool HoldsProbe(const ParamObj& param) {
    for (unsigned t = 0; t < param.getTokenListSize(); ++t) {
        if (IsProbe(*param.getTokenObj(t))) {
            return true;
        }
    }
    return false;
}

// Whether the parse took the probe into a value that names variables; the run may still have
// stopped elsewhere, on a later mistake or on another list's check.
bool ProbeInVariables(const CommandSpec& spec, const CommandDescriptor& grammar) {
    for (unsigned g = 0; g < spec.getGroupListSize(); ++g) {
        const GroupComObj& group = *spec.getGroupObj(g);
        for (unsigned s = 0; s < group.getSubComListSize(); ++s) {
            const SubComObj& sub = *group.getSubComObj(s);
            const SubComDescriptor* desc =
                examples::FindSubComDesc(grammar, group, sub.getSubComName());
            if (desc == nullptr) {
                continue;
            }
            const ParamObj* leading = sub.exportParamObj();
            const ParamDescriptor* leadingDesc = desc->getExportParamDesc();
            if (leading != nullptr && leadingDesc != nullptr && TakesVariables(*leadingDesc) &&
                HoldsProbe(*leading)) {
                return true;
            }
            for (unsigned p = 0; p < sub.getParamListSize(); ++p) {
                const ParamObj& param = *sub.getParamObj(p);
                const ParamDescriptor* paramDesc = desc->getParamDesc(param.getParamName());
                if (paramDesc != nullptr && TakesVariables(*paramDesc) && HoldsProbe(param)) {
                    return true;
                }
            }
        }
    }
    return false;
}

// The subcommand named after the last "/" before the end of the cursor's word, as group and
// subcommand indices of the grammar; false before any subcommand or for a name it lacks.
bool SubCommandAt(const Cursor& cursor, const CommandDescriptor& grammar, int& group,
                  int& subCommand) {
    // On the "/" itself, the name after it counts.
    const std::string& text = cursor.command.text;
    std::size_t end = cursor.wordEnd;
    if (end < text.size() && text[end] == '/') {
        for (++end; end < text.size() && IsWordByte(text[end]); ++end) {
        }
    }
    refhost::TextTokenSequence tokens(text.substr(0, end), 1);
    std::string name;
    bool afterSlash = false;
    while (tokens.next()) {
        if (afterSlash) {
            name = tokens.getType() == TokenSequenceBase::StringToken
                       ? TokenInfoObj(tokens).getString()
                       : std::string();
        }
        afterSlash = tokens.getType() == TokenSequenceBase::OperatorToken &&
                     tokens.getOperatorCode() == TokenSequenceBase::Slash;
    }
    if (name.empty()) {
        return false;
    }
    for (group = 0; group < grammar.getGroupDescListSize(); ++group) {
        subCommand = grammar.getGroupDesc(group)->getSubComDescIndex(name);
        if (subCommand >= 0) {
            return true;
        }
    }
    return false;
}

Offer OfferFor(std::string text, const examples::Procedure& procedure,
               const TAVO_DataSource& data) {
    refhost::TextTokenSequence tokens(std::move(text), 1);
    const refhost::MessageLog quiet;  // the run's messages are not the user's business here
    const examples::RunResult result = procedure.run(tokens, data);
    Offer offer;
    examples::Expected::Variable variables = examples::Expected::Variable::None;
    if (IsProbe(result.stopToken)) {
        for (const std::string& name : result.expected.names) {
            AddOnce(offer.keywords, name);
        }
        variables = result.expected.variable;
    }
    if (variables == examples::Expected::Variable::None &&
        ProbeInVariables(result.spec, procedure.grammar())) {
        variables = examples::Expected::Variable::Any;
    }
    if (variables != examples::Expected::Variable::None) {
        offer.variables =
            uparse::VariableNames(data, variables == examples::Expected::Variable::Numeric);
    }
    return offer;
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
        std::size_t end = start;
        while (start > 0 && IsWordByte(line[start - 1])) {
            --start;
        }
        while (end < line.size() && IsWordByte(line[end])) {
            ++end;
        }
        if (start > 0 && line[start - 1] == '/') {
            cursor.place = Cursor::Place::SubCommand;
        } else if (position.line != first || line.find_first_not_of(" \t") < start) {
            cursor.place = Cursor::Place::Other;
        }
        // The command's text holds its lines as the document does, less their CR.
        std::size_t lineStart = 0;
        for (long l = first; l < position.line; ++l) {
            lineStart += document.line(static_cast<std::size_t>(l)).size() + 1;
        }
        // Kept inside the text even if the document and the splitter ever disagreed on a line.
        cursor.wordEnd = std::min(lineStart + end, command.text.size());
        cursor.wordStart = std::min(lineStart + start, cursor.wordEnd);
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

// The command runs with the probe in place of the cursor's word: the parser's own account of
// what it expected where it stopped is the offer. What follows the cursor is left out first, so
// that an unfinished part further on cannot stop the run before the probe; when that leaves
// nothing to offer (a check of the procedure that needs the whole command), it runs whole.
Offer OfferAt(const Cursor& cursor, const examples::Procedure& procedure,
              const TAVO_DataSource& data) {
    const std::string before = cursor.command.text.substr(0, cursor.wordStart) + kProbe;
    Offer offer = OfferFor(before, procedure, data);
    if (offer.keywords.empty() && offer.variables.empty()) {
        offer = OfferFor(before + cursor.command.text.substr(cursor.wordEnd), procedure, data);
    }
    return offer;
}

std::string HoverText(const examples::Procedure& procedure, const Cursor& cursor) {
    const auto* fromFile = dynamic_cast<const examples::FileProcedure*>(&procedure);
    int group = 0;
    int subCommand = 0;
    std::string text = "```\n";
    if (SubCommandAt(cursor, procedure.grammar(), group, subCommand)) {
        text += uparse::SubCommandChart(procedure, group, subCommand);
        if (fromFile != nullptr) {
            text += uparse::SubCommandHelp(fromFile->fileGrammar(), group, subCommand);
        }
    } else {
        text += uparse::SyntaxChart(procedure);
        if (fromFile != nullptr) {
            text += uparse::HelpTexts(fromFile->fileGrammar());
        }
    }
    return text + "```\n";
}

}  // namespace uparselsp
