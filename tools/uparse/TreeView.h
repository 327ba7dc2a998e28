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
    std::string name;     // "" for the unnamed leading part
    std::string extName;  // with the count of a repeated subcommand
    int count = 0;
    bool hasLeading = false;
    ValueView leading;
    std::vector<ParamView> params;
};

struct GroupView {
    bool global = false;
    std::vector<SubComView> subCommands;
};

// The tree with every value read through its descriptor; without a grammar every value is a
// token list.
std::vector<GroupView> DescribeTree(const CommandSpec& spec, const CommandDescriptor* grammar);

// One line of text for a value, appended to out: lists separated by blanks, literals in
// quotes, compound parts as "label: value" separated by "; ". Every text that came from the
// command (labels, words, rows' values) is made printable a token at a time, as
// AppendPrintableToken does.
void AppendValueText(std::string& out, const ValueView& value);

}  // namespace uparse

#endif
