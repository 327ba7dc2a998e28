#ifndef TOOLS_UPARSE_TREEVIEW_H
#define TOOLS_UPARSE_TREEVIEW_H

#include <string>
#include <string_view>
#include <vector>

#include "uparser/CommandDescriptor.h"
#include "uparser/CommandSpec.h"

namespace uparse {

// A parameter value as the typed getters of its descriptor read it. kind names the reading:
// keyword, tokens, word, literal, number, integer, words, literals, numbers, integers,
// variable, variables, crossed, categories, path, keyword-value, token-qualifier, qualifier,
// qualifiers. A value that its descriptor's getter cannot read (as after a failed parse) is
// shown as its tokens.
struct ValueView {
    struct Row {
        std::vector<std::string> values;
        double code = 0;
    };

    std::string label;      // the name of a part of a compound value
    std::string_view kind;  // one of the names above, which live as long as the program
    std::vector<std::string> texts;  // words, literals, variables, tokens, a path
    std::vector<double> numbers;
    std::vector<Row> rows;         // categories: one per row of values
    std::vector<ValueView> parts;  // compound values
};

struct ParamView {
    std::string name;
    bool parens = false;
    bool brackets = false;
    ValueView value;
};

struct SubComView {
    std::string_view name;     // "" for the unnamed leading part
    std::string_view extName;  // with the count of a repeated subcommand
    int count = 0;
    const ValueView* leading = nullptr;  // null when the subcommand has no leading value
};

// Receives a command's tree part by part, in its order. A writer writes each part as it
// comes, so no copy of the whole tree is built; the views it is handed are reused for the
// next part once the call returns.
class TreeVisitor {
  public:
    virtual ~TreeVisitor() = default;
    // A group, then its subcommands, then endGroup; empty when it has no subcommands.
    virtual void group(bool global, bool empty) = 0;
    virtual void endGroup() {}
    // A subcommand, then its parameters, then endSubCommand.
    virtual void subCommand(const SubComView& sub) = 0;
    virtual void parameter(const ParamView& param) = 0;
    virtual void endSubCommand() {}
};

// Hands the tree to visitor with every value read through its descriptor; without a grammar
// every value is a token list.
void WalkTree(const CommandSpec& spec, const CommandDescriptor* grammar, TreeVisitor& visitor);

// One line of text for a value, appended to out: lists separated by blanks, literals in
// quotes, compound parts as "label: value" separated by "; ". Every text that came from the
// command (labels, words, rows' values) is made printable a token at a time, as
// AppendPrintableToken does.
void AppendValueText(std::string& out, const ValueView& value);

}  // namespace uparse

#endif
