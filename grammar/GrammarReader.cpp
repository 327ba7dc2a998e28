#include "grammar/GrammarReader.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <unordered_set>
#include <utility>

#include "grammar/GrammarKeys.h"
#include "grammar/GrammarNames.h"
#include "grammar/JsonDocument.h"
#include "grammar/JsonText.h"
#include "uparser/ParserUtility.h"

namespace upgrammar {

namespace {

using namespace UPSpecTypes;
using Json = JsonNode;

// Where a descriptor stands, which decides the keys it may have.
enum class Place {
    Parameter,  // a parameter of a subcommand
    Value,      // a subcommand's own value: nameless, value required, no brackets
    Qualifier,  // a qualifier of another descriptor
    Part        // the main or value part of a compound value; the name is optional
};

constexpr KeySet kValueKeys =
    KeysOf({kHelp, kType, kRequired, kBlock, kSlash, kLower, kUpper, kWords, kQualifierForm,
            kQualifiers, kMainPart, kValuePart, kVariables});
constexpr KeySet kParamKeys = kValueKeys | KeysOf({kName, kValueRequired, kBrackets});

bool IsOneOf(ParamSpec type, std::initializer_list<ParamSpec> types) {
    for (ParamSpec one : types) {
        if (one == type) {
            return true;
        }
    }
    return false;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// Walks the parsed document. Every read function answers false after recording the first
// problem; mPath always leads from the root to the value being read.
class GrammarReader {
  public:
    GrammarReader(const std::string& text, const std::string& file, GrammarError& error)
        : mText(text), mError(error) {
        mError = GrammarError();
        mError.file = file;
    }

    bool read(GrammarFile& grammar);

  private:
    // Enters a member or element for as long as it lives.
    class Step {
      public:
        Step(GrammarReader& reader, std::string component) : mReader(reader) {
            mReader.mPath.push_back(std::move(component));
        }
        Step(GrammarReader& reader, Key key) : Step(reader, std::string(NameOf(key))) {}
        Step(GrammarReader& reader, std::size_t index) : Step(reader, std::to_string(index)) {}
        ~Step() { mReader.mPath.pop_back(); }
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

      private:
        GrammarReader& mReader;
    };

    bool failAt(std::size_t offset, std::string message);
    bool fail(std::string message) { return failAt(FindValue(mText, mPath, false), message); }
    bool failAtKey(std::string message) { return failAt(FindValue(mText, mPath, true), message); }

    bool members(const Json& value, const char* what, KeySet allowed, Members& out);
    bool expectArray(const Json& value, const char* what);
    bool readString(const Members& object, Key key, std::string& out);
    bool readName(const Members& object, const char* what, bool mayBeEmpty, std::string& out);
    bool readBool(const Members& object, Key key, bool& out);
    bool readNumber(const Json& value, double& out);
    bool readEnum(const Members& object, Key key, const EnumNames& names, int& out);
    template <typename E>
    bool readEnum(const Members& object, Key key, const EnumNames& names, E& out) {
        int value = static_cast<int>(out);
        const bool ok = readEnum(object, key, names, value);
        out = static_cast<E>(value);
        return ok;
    }

    bool readCommand(const Json& json, const GrammarFile& earlier, CommandGrammar& command);
    bool readGroup(const Json& json, CommandGrammar& command);
    bool readSeparators(const Members& json, const CommandDescriptor& command,
                        GroupComDescriptor& group);
    template <typename Add>
    bool readSubCommands(const Json& subs, CommandGrammar& command, int group, Add add);
    bool readSubCommand(const Json& json, SubComDescriptor& sub, SubComNotes& notes);
    bool readParam(const Json& json, Place place, SubComSpec form, bool variablesAllowed, int depth,
                   ParamDescriptor& desc, ValueNotes& notes);
    bool readParamParts(const Members& json, int depth, bool variablesAllowed,
                        ParamDescriptor& desc, ValueNotes& notes);
    bool readWords(const Json* words, ParamDescriptor& desc);
    bool readQualifiers(const Json* qualifiers, int depth, ParamDescriptor& desc,
                        std::vector<ValueNotes>& notes);
    bool readPart(const Json* part, Key key, bool variablesAllowed, int depth,
                  ParamDescriptor& desc, std::vector<ValueNotes>& notes);
    bool readBounds(const Members& json, ParamDescriptor& desc);
    bool readBound(const Json& json, Key key, double& value, bool& excluded);
    bool checkBounds(const ParamDescriptor& desc);
    bool readVariables(const Json& json, const ParamDescriptor& desc, VariableCheck& check);
    bool checkVariableUse(const Json& json, const ParamDescriptor& desc,
                          const VariableCheck& check);

    const std::string& mText;
    JsonDocument mDocument;
    GrammarError& mError;
    std::vector<std::string> mPath;
    // Per command: its Model lists, and where the first list that refers to them stands.
    int mModelLists = 0;
    std::vector<std::string> mWithinPath;
};

bool GrammarReader::failAt(std::size_t offset, std::string message) {
    const TextPosition position = PositionAt(mText, offset == std::string::npos ? 0 : offset);
    mError.line = position.line;
    mError.column = position.column;
    mError.message = std::move(message);
    return false;
}

// The value must be an object whose keys are all allowed; out receives its members.
bool GrammarReader::members(const Json& value, const char* what, KeySet allowed, Members& out) {
    if (!value.isObject()) {
        return fail(std::string("expected an object: ") + what);
    }
    for (const Json* item = value.first; item != nullptr; item = item->next) {
        if (item->key == kKeyCount || !Contains(allowed, item->key)) {
            const std::string name = mDocument.nameOf(*item);
            const Step step(*this, name);
            return failAtKey("unknown key " + Quoted(name) + " in " + what +
                             "; expected one of: " + NamesOf(allowed));
        }
        out.member[item->key] = item;
    }
    return true;
}

bool GrammarReader::expectArray(const Json& value, const char* what) {
    return value.isArray() || fail(std::string("expected an array: ") + what);
}

bool GrammarReader::readString(const Members& object, Key key, std::string& out) {
    const Json* found = object[key];
    if (found == nullptr) {
        return true;
    }
    if (!found->isString()) {
        const Step step(*this, key);
        return fail("expected a string for " + Quoted(NameOf(key)));
    }
    out = found->text;
    return true;
}

bool GrammarReader::readName(const Members& object, const char* what, bool mayBeEmpty,
                             std::string& out) {
    if (object[kName] == nullptr) {
        return fail(std::string("missing key \"name\" in ") + what);
    }
    if (!readString(object, kName, out)) {
        return false;
    }
    const Step step(*this, kName);
    return mayBeEmpty || !out.empty() ||
           fail(std::string("the name of ") + what + " must not be empty");
}

bool GrammarReader::readBool(const Members& object, Key key, bool& out) {
    const Json* found = object[key];
    if (found == nullptr) {
        return true;
    }
    if (found->kind != Json::Kind::Boolean) {
        const Step step(*this, key);
        return fail("expected true or false for " + Quoted(NameOf(key)));
    }
    out = found->boolean;
    return true;
}

bool GrammarReader::readNumber(const Json& value, double& out) {
    if (value.kind != Json::Kind::Number) {
        return fail("expected a number");
    }
    out = value.number;
    return std::isfinite(out) || fail("expected a finite number");
}

bool GrammarReader::readEnum(const Members& object, Key key, const EnumNames& names, int& out) {
    const Json* found = object[key];
    if (found == nullptr) {
        return true;
    }
    if (!found->isString()) {
        const Step step(*this, key);
        return fail(std::string("expected the name of a ") + names.what() + " for " +
                    Quoted(NameOf(key)) + "; one of: " + names.choices());
    }
    const std::string& name = found->text;
    if (names.find(name, out)) {
        return true;
    }
    const Step step(*this, key);
    return fail("unknown " + std::string(names.what()) + " " + Quoted(name) +
                "; expected one of: " + names.choices());
}

bool GrammarReader::read(GrammarFile& grammar) {
    JsonProblem problem;
    if (!mDocument.parse(mText, kMaxJsonDepth, problem)) {
        return failAt(problem.offset, std::move(problem.message));
    }
    Members file;
    if (!members(mDocument.root(), "the grammar file", KeysOf({kSchema, kCommands}), file) ||
        !readString(file, kSchema, grammar.schema)) {
        return false;
    }
    const Json* commands = file[kCommands];
    if (commands == nullptr) {
        return fail("missing key \"commands\": a grammar file declares its commands there");
    }
    const Step step(*this, kCommands);
    if (!expectArray(*commands, "the commands of the file") ||
        (commands->empty() && !fail("a grammar file declares at least one command"))) {
        return false;
    }
    std::size_t i = 0;
    for (const Json* item = commands->first; item != nullptr; item = item->next, ++i) {
        const Step element(*this, i);
        CommandGrammar command;
        if (!readCommand(*item, grammar, command)) {
            return false;
        }
        grammar.commands.push_back(std::move(command));
    }
    return true;
}

bool GrammarReader::readCommand(const Json& json, const GrammarFile& earlier,
                                CommandGrammar& command) {
    Members object;
    std::string name;
    std::string title;
    if (!members(json, "a command", KeysOf({kName, kTitle, kHelp, kSubcommands, kGroups}),
                 object) ||
        !readName(object, "a command", false, name) || !readString(object, kTitle, title) ||
        !readString(object, kHelp, command.help)) {
        return false;
    }
    for (const CommandGrammar& other : earlier.commands) {
        if (AreStringsEqualCase(other.descriptor.getCommandName(), name)) {
            const Step step(*this, kName);
            return fail("command " + Quoted(name) + " is declared twice");
        }
    }
    command.descriptor = CommandDescriptor(name, title);
    mModelLists = 0;
    mWithinPath.clear();

    const Json* subs = object[kSubcommands];
    if (subs != nullptr && object[kGroups] != nullptr) {
        const Step step(*this, kGroups);
        return failAtKey(
            "a command has either \"subcommands\" (all in one global group) or "
            "\"groups\", not both");
    }
    if (subs != nullptr && !readSubCommands(*subs, command, 0, [&command](SubComDescriptor&& sub) {
            command.descriptor.addSubComDesc(std::move(sub));
        })) {
        return false;
    }
    if (const Json* groups = object[kGroups]) {
        const Step step(*this, kGroups);
        if (!expectArray(*groups, "the groups of the command")) {
            return false;
        }
        std::size_t i = 0;
        for (const Json* item = groups->first; item != nullptr; item = item->next, ++i) {
            const Step element(*this, i);
            if (!readGroup(*item, command)) {
                return false;
            }
        }
    }
    if (!mWithinPath.empty() && mModelLists == 0) {
        mPath = mWithinPath;
        return fail("\"within\" refers to the command's Model list, and the command has none");
    }
    return true;
}

bool GrammarReader::readGroup(const Json& json, CommandGrammar& command) {
    Members object;
    if (!members(json, "a group", KeysOf({kKind, kRequired, kText, kSeparators, kSubcommands}),
                 object)) {
        return false;
    }
    if (object[kKind] == nullptr) {
        return fail("missing key \"kind\" in a group; one of: " + kGroupKinds.choices());
    }
    GroupSpec kind = GroupRepeatable;
    if (!readEnum(object, kKind, kGroupKinds, kind)) {
        return false;
    }
    if (kind == GroupGlobal && command.descriptor.getGlobalGroupDesc() != nullptr) {
        const Step step(*this, kKind);
        return fail("a command has one group of kind Global at most");
    }
    GroupComDescriptor group(kind);
    bool required = group.isGroupRequired();
    std::string text;
    if (!readBool(object, kRequired, required) || !readString(object, kText, text)) {
        return false;
    }
    group.setGroupRequired(required);
    group.setMessageText(text.c_str());

    const int index = command.descriptor.getGroupDescListSize();
    const Json* subs = object[kSubcommands];
    if (subs != nullptr &&
        !readSubCommands(*subs, command, index, [&group](SubComDescriptor&& sub) {
            group.addSubComDesc(std::move(sub), false);
        })) {
        return false;
    }
    if (!readSeparators(object, command.descriptor, group)) {
        return false;
    }
    command.descriptor.addGroupDesc(std::move(group));
    return true;
}

bool GrammarReader::readSeparators(const Members& json, const CommandDescriptor& command,
                                   GroupComDescriptor& group) {
    const Json* separators = json[kSeparators];
    if (separators == nullptr) {
        return true;
    }
    const Step step(*this, kSeparators);
    if (!expectArray(*separators, "the names of the subcommands that open the group")) {
        return false;
    }
    std::size_t i = 0;
    for (const Json* item = separators->first; item != nullptr; item = item->next, ++i) {
        const Step element(*this, i);
        if (!item->isString()) {
            return fail("expected a string: the name of a subcommand that opens the group");
        }
        const std::string& text = item->text;
        const int sub = group.getSubComDescIndex(text);
        if (text.empty() || sub < 0) {
            return fail("separator " + Quoted(text) + " names no subcommand of this group");
        }
        if (group.isGroupSeparator(text)) {
            return fail("separator " + Quoted(text) + " is given twice");
        }
        if (command.isGroupSeparator(text)) {
            return fail("separator " + Quoted(text) + " already opens another group");
        }
        // Adding it again as a separator keeps its place and appends its name to the list.
        SubComDescriptor copy = *group.getSubComDesc(sub);
        group.addSubComDesc(std::move(copy), true);
    }
    return true;
}

// The subcommands of a group, each handed to add; their notes go to the group at `group`.
template <typename Add>
bool GrammarReader::readSubCommands(const Json& subs, CommandGrammar& command, int group, Add add) {
    const Step step(*this, kSubcommands);
    if (!expectArray(subs, "the subcommands of the group")) {
        return false;
    }
    // A set rather than the descriptor's own look-up, which walks the subcommands.
    std::unordered_set<std::string> names;
    std::size_t i = 0;
    for (const Json* item = subs.first; item != nullptr; item = item->next, ++i) {
        const Step element(*this, i);
        SubComDescriptor sub;
        SubComNotes notes;
        if (!readSubCommand(*item, sub, notes)) {
            return false;
        }
        if (!names.insert(sub.getSubComName()).second) {
            const Step at(*this, kName);
            return fail("subcommand " + Quoted(sub.getSubComName()) +
                        " is declared twice in one group");
        }
        add(std::move(sub));  // taken over: a large subcommand is not copied
        command.notesAt(group, static_cast<int>(i)) = std::move(notes);
    }
    return true;
}

bool GrammarReader::readSubCommand(const Json& json, SubComDescriptor& sub, SubComNotes& notes) {
    Members object;
    std::string name;
    SubComSpec form = SubComByEqual;
    bool required = false;
    bool repeatable = false;
    bool empty = false;
    if (!members(json, "a subcommand",
                 KeysOf({kName, kHelp, kForm, kRequired, kRepeatable, kEmptyAllowed, kValue,
                         kParameters}),
                 object) ||
        !readName(object, "a subcommand", true, name) || !readString(object, kHelp, notes.help) ||
        !readEnum(object, kForm, kSubComForms, form) || !readBool(object, kRequired, required) ||
        !readBool(object, kRepeatable, repeatable) || !readBool(object, kEmptyAllowed, empty)) {
        return false;
    }
    sub = SubComDescriptor(name, form, required, repeatable);
    sub.allowSubComEmpty(empty);

    if (const Json* value = object[kValue]) {
        const Step step(*this, kValue);
        ParamDescriptor desc;
        if (!readParam(*value, Place::Value, form, true, 1, desc, notes.value)) {
            return false;
        }
        sub.setExportParamDesc(desc);
    }
    const Json* params = object[kParameters];
    if (params == nullptr) {
        return true;
    }
    const Step step(*this, kParameters);
    if (!expectArray(*params, "the parameters of the subcommand")) {
        return false;
    }
    if (form == SubComArbitrary && !params->empty()) {
        return fail(
            "a subcommand of form Arbitrary takes its content as it stands and has no "
            "parameters");
    }
    notes.parameters.reserve(params->size);
    std::size_t i = 0;
    for (const Json* item = params->first; item != nullptr; item = item->next, ++i) {
        const Step element(*this, i);
        ParamDescriptor desc;
        notes.parameters.emplace_back();
        if (!readParam(*item, Place::Parameter, form, true, 1, desc, notes.parameters.back())) {
            return false;
        }
        if (sub.containParamDesc(desc.getParamName())) {
            const Step at(*this, kName);
            return fail("parameter " + Quoted(desc.getParamName()) +
                        " is declared twice in one subcommand");
        }
        sub.addParamDesc(std::move(desc));
    }
    return true;
}

bool GrammarReader::readParam(const Json& json, Place place, SubComSpec form, bool variablesAllowed,
                              int depth, ParamDescriptor& desc, ValueNotes& notes) {
    const char* what = place == Place::Parameter   ? "a parameter"
                       : place == Place::Value     ? "a subcommand value"
                       : place == Place::Qualifier ? "a qualifier"
                                                   : "a value part";
    Members object;
    if (!members(json, what, place == Place::Value ? kValueKeys : kParamKeys, object)) {
        return false;
    }
    if (depth > kMaxDescriptorDepth) {
        return fail("parameter descriptors nested deeper than " +
                    std::to_string(kMaxDescriptorDepth) + " levels");
    }
    std::string name;
    if (place != Place::Value && !(place == Place::Part ? readString(object, kName, name)
                                                        : readName(object, what, false, name))) {
        return false;
    }
    ParamSpec type = ParamTokenList;
    bool required = false;
    bool valueRequired = true;
    BlockOptions block = BlockOptEqual;
    BracketOptions brackets = BracketNone;
    bool slash = false;
    QualifOptions qualifForm = QualifByParen;
    if (!readString(object, kHelp, notes.help) || !readEnum(object, kType, kParamTypes, type) ||
        !readBool(object, kRequired, required) ||
        !readBool(object, kValueRequired, valueRequired) ||
        !readEnum(object, kBlock, kBlockOptions, block) ||
        !readEnum(object, kBrackets, kBracketOptions, brackets) ||
        !readBool(object, kSlash, slash) ||
        !readEnum(object, kQualifierForm, kQualifOptions, qualifForm)) {
        return false;
    }
    if (place == Place::Parameter && brackets != BracketNone && form != SubComByEqual) {
        const Step step(*this, kBrackets);
        return fail("brackets take effect only in a subcommand of form ByEqual");
    }
    if (place == Place::Parameter && slash && form == SubComByParen) {
        const Step step(*this, kSlash);
        return fail(
            "a value in parentheses never takes \"/\": slash does not apply in a "
            "subcommand of form ByParen");
    }
    desc = ParamDescriptor(name, type, required, valueRequired, brackets);
    desc.setBlockOption(block);
    desc.allowSlash(slash);
    desc.setQualifOption(qualifForm);

    if (!readBounds(object, desc) ||
        !readParamParts(object, depth, variablesAllowed, desc, notes)) {
        return false;
    }
    const Json* variables = object[kVariables];
    if (variables == nullptr) {
        return true;
    }
    const Step step(*this, kVariables);
    if (!variablesAllowed) {
        return failAtKey(
            "variable checks belong to a parameter, a subcommand value, or a part "
            "of such a value of type KeyWordValue");
    }
    notes.checksVariables = true;
    return readVariables(*variables, desc, notes.variables);
}

// Accepted words, qualifiers and the two parts of a compound value, and what the types need
// of them.
bool GrammarReader::readParamParts(const Members& json, int depth, bool variablesAllowed,
                                   ParamDescriptor& desc, ValueNotes& notes) {
    if (!readWords(json[kWords], desc) ||
        !readQualifiers(json[kQualifiers], depth, desc, notes.qualifiers)) {
        return false;
    }
    const ParamSpec type = desc.getParamType();
    // A keyword-value pair may say which of its parts names variables.
    const bool partVariables = variablesAllowed && type == ParamKeyWordValue && depth == 1;
    if (!readPart(json[kMainPart], kMainPart, partVariables, depth, desc, notes.mainPart) ||
        !readPart(json[kValuePart], kValuePart, partVariables, depth, desc, notes.valuePart)) {
        return false;
    }
    std::vector<std::string> names;
    if (type == ParamKeyWordValue &&
        (desc.getMainDesc() == nullptr || desc.getQualifDesc() == nullptr)) {
        const Step step(*this, kType);
        return fail(
            "a value of type KeyWordValue needs \"mainPart\" (its keyword) and "
            "\"valuePart\" (the value after it)");
    }
    if (type == ParamStringQualList && desc.getQualifNames(names) == 0) {
        const Step step(*this, kType);
        return fail("a value of type StringQualList needs at least one qualifier");
    }
    return true;
}

bool GrammarReader::readWords(const Json* words, ParamDescriptor& desc) {
    if (words == nullptr) {
        return true;
    }
    const Step step(*this, kWords);
    if (!expectArray(*words, "the words the value accepts")) {
        return false;
    }
    std::size_t i = 0;
    for (const Json* item = words->first; item != nullptr; item = item->next, ++i) {
        const Step element(*this, i);
        if (!item->isString() || item->text.empty()) {
            return fail("expected a word the value accepts: a string that is not empty");
        }
        // With words stored, possibleStringValue answers whether the word is one of them.
        if (!desc.getStringValues().empty() && desc.possibleStringValue(item->text)) {
            return fail("word " + Quoted(item->text) + " is given twice");
        }
        desc.addStringValue(item->text);
    }
    return true;
}

bool GrammarReader::readQualifiers(const Json* qualifiers, int depth, ParamDescriptor& desc,
                                   std::vector<ValueNotes>& notes) {
    if (qualifiers == nullptr) {
        return true;
    }
    const Step step(*this, kQualifiers);
    if (!expectArray(*qualifiers, "the qualifiers of the value")) {
        return false;
    }
    std::size_t i = 0;
    for (const Json* item = qualifiers->first; item != nullptr; item = item->next, ++i) {
        const Step element(*this, i);
        ParamDescriptor qualifier;
        ValueNotes qualifierNotes;
        if (!readParam(*item, Place::Qualifier, SubComByEqual, false, depth + 1, qualifier,
                       qualifierNotes)) {
            return false;
        }
        if (desc.getQualifDesc(qualifier.getParamName()) != nullptr) {
            const Step at(*this, kName);
            return fail("qualifier " + Quoted(qualifier.getParamName()) + " is declared twice");
        }
        desc.addQualifDesc(qualifier);
        notes.push_back(std::move(qualifierNotes));
    }
    return true;
}

// The main or value part of a compound value, which only KeyWordValue and TokenQual have.
bool GrammarReader::readPart(const Json* part, Key key, bool variablesAllowed, int depth,
                             ParamDescriptor& desc, std::vector<ValueNotes>& notes) {
    if (part == nullptr) {
        return true;
    }
    const Step step(*this, key);
    const ParamSpec type = desc.getParamType();
    if (type != ParamKeyWordValue && type != ParamTokenQual) {
        return failAtKey(Quoted(NameOf(key)) +
                         " belongs to values of type KeyWordValue or TokenQual");
    }
    ParamDescriptor partDesc;
    notes.emplace_back();
    if (!readParam(*part, Place::Part, SubComByEqual, variablesAllowed, depth + 1, partDesc,
                   notes.back())) {
        return false;
    }
    if (key == kMainPart) {
        desc.setMainDesc(&partDesc);
    } else {
        desc.setQualifDesc(&partDesc);
    }
    return true;
}

bool GrammarReader::readBound(const Json& json, Key key, double& value, bool& excluded) {
    const Step step(*this, key);
    Members bound;
    if (!members(json, "a boundary, {\"included\": number} or {\"excluded\": number}",
                 KeysOf({kIncluded, kExcluded}), bound)) {
        return false;
    }
    if (json.size != 1) {
        return fail(
            "a boundary is either included or excluded: give one of \"included\" and "
            "\"excluded\"");
    }
    excluded = bound[kExcluded] != nullptr;
    const Step inner(*this, excluded ? kExcluded : kIncluded);
    return readNumber(*json.first, value);
}

bool GrammarReader::readBounds(const Members& json, ParamDescriptor& desc) {
    if (const Json* lower = json[kLower]) {
        double value = 0;
        bool excluded = false;
        if (!readBound(*lower, kLower, value, excluded)) {
            return false;
        }
        desc.setLowerBoundary(value, excluded ? LowerExcluded : LowerIncluded);
    }
    if (const Json* upper = json[kUpper]) {
        double value = 0;
        bool excluded = false;
        if (!readBound(*upper, kUpper, value, excluded)) {
            return false;
        }
        desc.setUpperBoundary(value, excluded ? UpperExcluded : UpperIncluded);
    }
    return checkBounds(desc);
}

// Bounds that no value meets would reject every value; for integers there must be an integer
// between them.
bool GrammarReader::checkBounds(const ParamDescriptor& desc) {
    if (desc.getLowerBdryOption() == LowerNone || desc.getUpperBdryOption() == UpperNone) {
        return true;
    }
    double low = desc.getLowerBdryValue();
    double high = desc.getUpperBdryValue();
    const bool lowOpen = desc.getLowerBdryOption() == LowerExcluded;
    const bool highOpen = desc.getUpperBdryOption() == UpperExcluded;
    bool holds = low < high || (low == high && !lowOpen && !highOpen);
    if (holds && IsOneOf(desc.getParamType(), {ParamInteger, ParamIntegerList})) {
        const double first = lowOpen ? std::floor(low) + 1 : std::ceil(low);
        const double last = highOpen ? std::ceil(high) - 1 : std::floor(high);
        holds = first <= last;
    }
    if (holds) {
        return true;
    }
    const Step step(*this, kUpper);
    return fail("no value meets these boundaries: lower " + NumberToString(low) +
                (lowOpen ? " (excluded)" : " (included)") + ", upper " + NumberToString(high) +
                (highOpen ? " (excluded)" : " (included)"));
}

bool GrammarReader::readVariables(const Json& json, const ParamDescriptor& desc,
                                  VariableCheck& check) {
    Members object;
    return members(json, "a variable check",
                   KeysOf({kCheck, kNumeric, kRepeat, kQualifiers, kRegistry, kWithin,
                           kAllByDefault, kRole}),
                   object) &&
           readEnum(object, kCheck, kVariableKinds, check.kind) &&
           readBool(object, kNumeric, check.numeric) &&
           readEnum(object, kRepeat, kRepeatOptions, check.repeat) &&
           readBool(object, kQualifiers, check.qualifiers) &&
           readEnum(object, kRegistry, kRegistries, check.registry) &&
           readEnum(object, kWithin, kScopes, check.within) &&
           readBool(object, kAllByDefault, check.allByDefault) &&
           readString(object, kRole, check.role) && checkVariableUse(json, desc, check);
}

// Which keys and value types each kind of check works with.
bool GrammarReader::checkVariableUse(const Json& json, const ParamDescriptor& desc,
                                     const VariableCheck& check) {
    struct Use {
        KeySet keys;
        std::initializer_list<ParamSpec> types;
        const char* typeNames;
    };
    static const Use kExisting{
        KeysOf({kCheck, kNumeric, kRepeat, kQualifiers, kRegistry, kWithin, kRole}),
        {ParamVarName, ParamVarList, ParamTokenList, ParamCrossVarList, ParamVarCatList},
        "VarName, VarList, TokenList, CrossVarList or VarCatList"};
    static const Use kNew{
        KeysOf({kCheck, kRole}), {ParamVarName, ParamVarList}, "VarName or VarList"};
    static const Use kModel{KeysOf({kCheck, kNumeric, kRepeat, kRegistry, kAllByDefault, kRole}),
                            {ParamVarList, ParamTokenList},
                            "VarList or TokenList"};
    static const Use kBlocks{KeysOf({kCheck, kNumeric, kQualifiers, kRegistry, kRole}),
                             {ParamVarList, ParamTokenList},
                             "VarList or TokenList"};
    const Use& use = check.kind == VariableKind::New      ? kNew
                     : check.kind == VariableKind::Model  ? kModel
                     : check.kind == VariableKind::Blocks ? kBlocks
                                                          : kExisting;
    const char* kind = kVariableKinds.nameOf(static_cast<int>(check.kind));
    for (const Json* item = json.first; item != nullptr; item = item->next) {
        if (!Contains(use.keys, item->key)) {
            const std::string name = mDocument.nameOf(*item);
            const Step step(*this, name);
            return failAtKey(Quoted(name) + " does not apply to a check of kind " + kind);
        }
    }
    if (!IsOneOf(desc.getParamType(), use.types)) {
        return fail(std::string("a check of kind ") + kind +
                    " reads the variables of a value of type " + use.typeNames + ", not " +
                    kParamTypes.nameOf(desc.getParamType()));
    }
    std::vector<std::string> names;
    if (check.qualifiers && desc.getQualifNames(names) == 0) {
        const Step step(*this, kQualifiers);
        return fail(
            "qualifier lists are checked against the value's \"qualifiers\", and it "
            "declares none");
    }
    if (check.qualifiers && check.kind == VariableKind::Existing &&
        !IsOneOf(desc.getParamType(), {ParamVarList, ParamTokenList})) {
        const Step step(*this, kQualifiers);
        return fail("only a list of type VarList or TokenList carries a qualifier list");
    }
    if (check.kind == VariableKind::Model && ++mModelLists > 1) {
        return fail("a command has one Model list at most");
    }
    if (check.within != VariableScope::Any && mWithinPath.empty()) {
        mWithinPath = mPath;
        mWithinPath.push_back(NameOf(kWithin));
    }
    return true;
}

}  // namespace

bool ReadGrammar(const std::string& text, const std::string& fileName, GrammarFile& grammar,
                 GrammarError& error) {
    grammar = GrammarFile();
    try {
        return GrammarReader(text, fileName, error).read(grammar);
    } catch (const std::exception& thrown) {
        // Only memory running out gets here; the file's content never does.
        error.file = fileName;
        error.message = std::string("cannot read the grammar: ") + thrown.what();
        return false;
    }
}

bool ReadGrammarFile(const std::string& path, GrammarFile& grammar, GrammarError& error) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    if (file) {
        text << file.rdbuf();
    }
    if (!file || file.bad()) {
        error = GrammarError();
        error.file = path;
        error.message = std::string("cannot read the file: ") + std::strerror(errno);
        grammar = GrammarFile();
        return false;
    }
    return ReadGrammar(text.str(), path, grammar, error);
}

}  // namespace upgrammar
