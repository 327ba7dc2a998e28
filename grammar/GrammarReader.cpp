#include "grammar/GrammarReader.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <utility>

#include <nlohmann/json.hpp>

#include "grammar/GrammarNames.h"
#include "grammar/JsonText.h"
#include "uparser/ParserUtility.h"

namespace upgrammar {

namespace {

using namespace UPSpecTypes;
using Json = nlohmann::ordered_json;

// Thrown from the parser's callback, which sees a document too deep or an object that lost a
// member to a repeated key before the parser has finished.
struct TooDeep {};
struct RepeatedKey {};

// Where a descriptor stands, which decides the keys it may have.
enum class Place {
    Parameter,  // a parameter of a subcommand
    Value,      // a subcommand's own value: nameless, value required, no brackets
    Qualifier,  // a qualifier of another descriptor
    Part        // the main or value part of a compound value; the name is optional
};

const std::initializer_list<const char*> kValueKeys = {
    "help",  "type",          "required",   "block",    "slash",     "lower",    "upper",
    "words", "qualifierForm", "qualifiers", "mainPart", "valuePart", "variables"};
const std::initializer_list<const char*> kParamKeys = {
    "name",       "help",     "type",      "required", "valueRequired", "block",
    "brackets",   "slash",    "lower",     "upper",    "words",         "qualifierForm",
    "qualifiers", "mainPart", "valuePart", "variables"};

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

std::string List(std::initializer_list<const char*> names) {
    std::string text;
    for (const char* name : names) {
        text += (text.empty() ? "" : ", ") + std::string(name);
    }
    return text;
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

    bool parse(Json& root);
    bool expectObject(const Json& value, const char* what);
    bool expectArray(const Json& value, const char* what);
    bool knownKeys(const Json& object, const char* what, std::initializer_list<const char*> keys);
    bool readString(const Json& object, const char* key, std::string& out);
    bool readName(const Json& object, const char* what, bool mayBeEmpty, std::string& out);
    bool readBool(const Json& object, const char* key, bool& out);
    bool readNumber(const Json& value, double& out);
    bool readEnum(const Json& object, const char* key, const EnumNames& names, int& out);
    template <typename E>
    bool readEnum(const Json& object, const char* key, const EnumNames& names, E& out) {
        int value = static_cast<int>(out);
        const bool ok = readEnum(object, key, names, value);
        out = static_cast<E>(value);
        return ok;
    }

    bool readCommand(const Json& json, const GrammarFile& earlier, CommandGrammar& command);
    bool readGroup(const Json& json, CommandGrammar& command);
    bool readSeparators(const Json& json, const CommandDescriptor& command,
                        GroupComDescriptor& group);
    bool readSubCommand(const Json& json, SubComDescriptor& sub, SubComNotes& notes);
    bool readParam(const Json& json, Place place, SubComSpec form, bool variablesAllowed, int depth,
                   ParamDescriptor& desc, ValueNotes& notes);
    bool readParamParts(const Json& json, int depth, bool variablesAllowed, ParamDescriptor& desc,
                        ValueNotes& notes);
    bool readBounds(const Json& json, ParamDescriptor& desc);
    bool readBound(const Json& json, const char* key, double& value, bool& excluded);
    bool checkBounds(const ParamDescriptor& desc);
    bool readVariables(const Json& json, const ParamDescriptor& desc, VariableCheck& check);
    bool checkVariableUse(const Json& json, const ParamDescriptor& desc,
                          const VariableCheck& check);

    const std::string& mText;
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

bool GrammarReader::parse(Json& root) {
    // Objects count their keys, so that a key given twice (which the parser would let
    // overwrite the first) is caught.
    std::vector<std::size_t> keyCounts;
    const Json::parser_callback_t callback = [&keyCounts](int depth, Json::parse_event_t event,
                                                          Json& parsed) {
        switch (event) {
            case Json::parse_event_t::object_start:
            case Json::parse_event_t::array_start:
                if (static_cast<std::size_t>(depth) >= kMaxJsonDepth) {
                    throw TooDeep();
                }
                if (event == Json::parse_event_t::object_start) {
                    keyCounts.push_back(0);
                }
                break;
            case Json::parse_event_t::key:
                ++keyCounts.back();
                break;
            case Json::parse_event_t::object_end:
                if (keyCounts.back() != parsed.size()) {
                    throw RepeatedKey();
                }
                keyCounts.pop_back();
                break;
            default:
                break;
        }
        return true;
    };
    try {
        root = Json::parse(mText, callback);
        return true;
    } catch (const Json::parse_error& error) {
        // "[json.exception.parse_error.101] parse error at line 1, column 2: what"
        std::string what = error.what();
        const std::size_t column = what.find(", column ");
        const std::size_t colon = what.find(": ", column == std::string::npos ? 0 : column);
        if (column != std::string::npos && colon != std::string::npos) {
            what.erase(0, colon + 2);
        }
        return failAt(error.byte > 0 ? error.byte - 1 : 0, "invalid JSON: " + what);
    } catch (const TooDeep&) {
        return failAt(FindTooDeep(mText, kMaxJsonDepth),
                      "nested deeper than " + std::to_string(kMaxJsonDepth) + " levels");
    } catch (const RepeatedKey&) {
        std::string key;
        const std::size_t at = FindRepeatedKey(mText, key);
        return failAt(at, "key " + Quoted(key) + " given twice in one object");
    }
}

bool GrammarReader::expectObject(const Json& value, const char* what) {
    return value.is_object() || fail(std::string("expected an object: ") + what);
}

bool GrammarReader::expectArray(const Json& value, const char* what) {
    return value.is_array() || fail(std::string("expected an array: ") + what);
}

bool GrammarReader::knownKeys(const Json& object, const char* what,
                              std::initializer_list<const char*> keys) {
    for (auto item = object.begin(); item != object.end(); ++item) {
        bool known = false;
        for (const char* key : keys) {
            known = known || item.key() == key;
        }
        if (!known) {
            const Step step(*this, item.key());
            return failAtKey("unknown key " + Quoted(item.key()) + " in " + what +
                             "; expected one of: " + List(keys));
        }
    }
    return true;
}

bool GrammarReader::readString(const Json& object, const char* key, std::string& out) {
    const auto found = object.find(key);
    if (found == object.end()) {
        return true;
    }
    const Step step(*this, key);
    if (!found->is_string()) {
        return fail(std::string("expected a string for ") + Quoted(key));
    }
    out = found->get<std::string>();
    return true;
}

bool GrammarReader::readName(const Json& object, const char* what, bool mayBeEmpty,
                             std::string& out) {
    if (object.find("name") == object.end()) {
        return fail(std::string("missing key \"name\" in ") + what);
    }
    if (!readString(object, "name", out)) {
        return false;
    }
    const Step step(*this, "name");
    return mayBeEmpty || !out.empty() ||
           fail(std::string("the name of ") + what + " must not be empty");
}

bool GrammarReader::readBool(const Json& object, const char* key, bool& out) {
    const auto found = object.find(key);
    if (found == object.end()) {
        return true;
    }
    const Step step(*this, key);
    if (!found->is_boolean()) {
        return fail(std::string("expected true or false for ") + Quoted(key));
    }
    out = found->get<bool>();
    return true;
}

bool GrammarReader::readNumber(const Json& value, double& out) {
    if (!value.is_number()) {
        return fail("expected a number");
    }
    out = value.get<double>();
    return std::isfinite(out) || fail("expected a finite number");
}

bool GrammarReader::readEnum(const Json& object, const char* key, const EnumNames& names,
                             int& out) {
    const auto found = object.find(key);
    if (found == object.end()) {
        return true;
    }
    const Step step(*this, key);
    if (!found->is_string()) {
        return fail(std::string("expected the name of a ") + names.what() + " for " + Quoted(key) +
                    "; one of: " + names.choices());
    }
    const std::string name = found->get<std::string>();
    return names.find(name, out) || fail("unknown " + std::string(names.what()) + " " +
                                         Quoted(name) + "; expected one of: " + names.choices());
}

bool GrammarReader::read(GrammarFile& grammar) {
    Json root;
    if (!parse(root) || !expectObject(root, "a grammar file holds one object") ||
        !knownKeys(root, "the grammar file", {"$schema", "commands"}) ||
        !readString(root, "$schema", grammar.schema)) {
        return false;
    }
    const auto commands = root.find("commands");
    if (commands == root.end()) {
        return fail("missing key \"commands\": a grammar file declares its commands there");
    }
    const Step step(*this, "commands");
    if (!expectArray(*commands, "the commands of the file") ||
        (commands->empty() && !fail("a grammar file declares at least one command"))) {
        return false;
    }
    for (std::size_t i = 0; i < commands->size(); ++i) {
        const Step element(*this, i);
        CommandGrammar command;
        if (!readCommand((*commands)[i], grammar, command)) {
            return false;
        }
        grammar.commands.push_back(std::move(command));
    }
    return true;
}

bool GrammarReader::readCommand(const Json& json, const GrammarFile& earlier,
                                CommandGrammar& command) {
    std::string name;
    std::string title;
    if (!expectObject(json, "a command") ||
        !knownKeys(json, "a command", {"name", "title", "help", "subcommands", "groups"}) ||
        !readName(json, "a command", false, name) || !readString(json, "title", title) ||
        !readString(json, "help", command.help)) {
        return false;
    }
    for (const CommandGrammar& other : earlier.commands) {
        if (AreStringsEqualCase(other.descriptor.getCommandName(), name)) {
            const Step step(*this, "name");
            return fail("command " + Quoted(name) + " is declared twice");
        }
    }
    command.descriptor = CommandDescriptor(name, title);
    mModelLists = 0;
    mWithinPath.clear();

    const auto subs = json.find("subcommands");
    const auto groups = json.find("groups");
    if (subs != json.end() && groups != json.end()) {
        const Step step(*this, "groups");
        return failAtKey(
            "a command has either \"subcommands\" (all in one global group) or "
            "\"groups\", not both");
    }
    if (subs != json.end()) {
        const Step step(*this, "subcommands");
        if (!expectArray(*subs, "the subcommands of the command")) {
            return false;
        }
        for (std::size_t i = 0; i < subs->size(); ++i) {
            const Step element(*this, i);
            SubComDescriptor sub;
            SubComNotes notes;
            if (!readSubCommand((*subs)[i], sub, notes)) {
                return false;
            }
            if (command.descriptor.getSubComDesc(sub.getSubComName()) != nullptr) {
                const Step at(*this, "name");
                return fail("subcommand " + Quoted(sub.getSubComName()) + " is declared twice");
            }
            command.descriptor.addSubComDesc(sub);
            command.notesAt(0, static_cast<int>(i)) = std::move(notes);
        }
    }
    if (groups != json.end()) {
        const Step step(*this, "groups");
        if (!expectArray(*groups, "the groups of the command")) {
            return false;
        }
        for (std::size_t i = 0; i < groups->size(); ++i) {
            const Step element(*this, i);
            if (!readGroup((*groups)[i], command)) {
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
    if (!expectObject(json, "a group") ||
        !knownKeys(json, "a group", {"kind", "required", "text", "separators", "subcommands"})) {
        return false;
    }
    if (json.find("kind") == json.end()) {
        return fail("missing key \"kind\" in a group; one of: " + kGroupKinds.choices());
    }
    GroupSpec kind = GroupRepeatable;
    if (!readEnum(json, "kind", kGroupKinds, kind)) {
        return false;
    }
    if (kind == GroupGlobal && command.descriptor.getGlobalGroupDesc() != nullptr) {
        const Step step(*this, "kind");
        return fail("a command has one group of kind Global at most");
    }
    GroupComDescriptor group(kind);
    bool required = group.isGroupRequired();
    std::string text;
    if (!readBool(json, "required", required) || !readString(json, "text", text)) {
        return false;
    }
    group.setGroupRequired(required);
    group.setMessageText(text.c_str());

    const int index = command.descriptor.getGroupDescListSize();
    const auto subs = json.find("subcommands");
    if (subs != json.end()) {
        const Step step(*this, "subcommands");
        if (!expectArray(*subs, "the subcommands of the group")) {
            return false;
        }
        for (std::size_t i = 0; i < subs->size(); ++i) {
            const Step element(*this, i);
            SubComDescriptor sub;
            SubComNotes notes;
            if (!readSubCommand((*subs)[i], sub, notes)) {
                return false;
            }
            if (group.containSubComDesc(sub.getSubComName())) {
                const Step at(*this, "name");
                return fail("subcommand " + Quoted(sub.getSubComName()) +
                            " is declared twice in one group");
            }
            group.addSubComDesc(sub, false);
            command.notesAt(index, static_cast<int>(i)) = std::move(notes);
        }
    }
    if (!readSeparators(json, command.descriptor, group)) {
        return false;
    }
    command.descriptor.addGroupDesc(group);
    return true;
}

bool GrammarReader::readSeparators(const Json& json, const CommandDescriptor& command,
                                   GroupComDescriptor& group) {
    const auto separators = json.find("separators");
    if (separators == json.end()) {
        return true;
    }
    const Step step(*this, "separators");
    if (!expectArray(*separators, "the names of the subcommands that open the group")) {
        return false;
    }
    for (std::size_t i = 0; i < separators->size(); ++i) {
        const Step element(*this, i);
        const Json& name = (*separators)[i];
        if (!name.is_string()) {
            return fail("expected a string: the name of a subcommand that opens the group");
        }
        const std::string text = name.get<std::string>();
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
        const SubComDescriptor copy = *group.getSubComDesc(sub);
        group.addSubComDesc(copy, true);
    }
    return true;
}

bool GrammarReader::readSubCommand(const Json& json, SubComDescriptor& sub, SubComNotes& notes) {
    std::string name;
    SubComSpec form = SubComByEqual;
    bool required = false;
    bool repeatable = false;
    bool empty = false;
    if (!expectObject(json, "a subcommand") ||
        !knownKeys(json, "a subcommand",
                   {"name", "help", "form", "required", "repeatable", "emptyAllowed", "value",
                    "parameters"}) ||
        !readName(json, "a subcommand", true, name) || !readString(json, "help", notes.help) ||
        !readEnum(json, "form", kSubComForms, form) || !readBool(json, "required", required) ||
        !readBool(json, "repeatable", repeatable) || !readBool(json, "emptyAllowed", empty)) {
        return false;
    }
    sub = SubComDescriptor(name, form, required, repeatable);
    sub.allowSubComEmpty(empty);

    const auto value = json.find("value");
    if (value != json.end()) {
        const Step step(*this, "value");
        ParamDescriptor desc;
        if (!readParam(*value, Place::Value, form, true, 1, desc, notes.value)) {
            return false;
        }
        sub.setExportParamDesc(desc);
    }
    const auto params = json.find("parameters");
    if (params == json.end()) {
        return true;
    }
    const Step step(*this, "parameters");
    if (!expectArray(*params, "the parameters of the subcommand")) {
        return false;
    }
    if (form == SubComArbitrary && !params->empty()) {
        return fail(
            "a subcommand of form Arbitrary takes its content as it stands and has no "
            "parameters");
    }
    for (std::size_t i = 0; i < params->size(); ++i) {
        const Step element(*this, i);
        ParamDescriptor desc;
        ValueNotes paramNotes;
        if (!readParam((*params)[i], Place::Parameter, form, true, 1, desc, paramNotes)) {
            return false;
        }
        if (sub.containParamDesc(desc.getParamName())) {
            const Step at(*this, "name");
            return fail("parameter " + Quoted(desc.getParamName()) +
                        " is declared twice in one subcommand");
        }
        sub.addParamDesc(desc);
        notes.parameters.push_back(std::move(paramNotes));
    }
    return true;
}

bool GrammarReader::readParam(const Json& json, Place place, SubComSpec form, bool variablesAllowed,
                              int depth, ParamDescriptor& desc, ValueNotes& notes) {
    const char* what = place == Place::Parameter   ? "a parameter"
                       : place == Place::Value     ? "a subcommand value"
                       : place == Place::Qualifier ? "a qualifier"
                                                   : "a value part";
    if (!expectObject(json, what) ||
        !knownKeys(json, what, place == Place::Value ? kValueKeys : kParamKeys)) {
        return false;
    }
    if (depth > kMaxDescriptorDepth) {
        return fail("parameter descriptors nested deeper than " +
                    std::to_string(kMaxDescriptorDepth) + " levels");
    }
    std::string name;
    if (place != Place::Value && !(place == Place::Part ? readString(json, "name", name)
                                                        : readName(json, what, false, name))) {
        return false;
    }
    desc.setParamName(name);

    ParamSpec type = ParamTokenList;
    bool required = false;
    bool valueRequired = true;
    BlockOptions block = BlockOptEqual;
    BracketOptions brackets = BracketNone;
    bool slash = false;
    QualifOptions qualifForm = QualifByParen;
    if (!readString(json, "help", notes.help) || !readEnum(json, "type", kParamTypes, type) ||
        !readBool(json, "required", required) || !readBool(json, "valueRequired", valueRequired) ||
        !readEnum(json, "block", kBlockOptions, block) ||
        !readEnum(json, "brackets", kBracketOptions, brackets) || !readBool(json, "slash", slash) ||
        !readEnum(json, "qualifierForm", kQualifOptions, qualifForm)) {
        return false;
    }
    if (place == Place::Parameter && brackets != BracketNone && form != SubComByEqual) {
        const Step step(*this, "brackets");
        return fail("brackets take effect only in a subcommand of form ByEqual");
    }
    if (place == Place::Parameter && slash && form == SubComByParen) {
        const Step step(*this, "slash");
        return fail(
            "a value in parentheses never takes \"/\": slash does not apply in a "
            "subcommand of form ByParen");
    }
    desc.setParamType(type);
    desc.setParamRequired(required);
    desc.setValueRequired(valueRequired);
    desc.setBlockOption(block);
    desc.setBracketOption(brackets);
    desc.allowSlash(slash);
    desc.setQualifOption(qualifForm);

    if (!readBounds(json, desc) || !readParamParts(json, depth, variablesAllowed, desc, notes)) {
        return false;
    }
    const auto variables = json.find("variables");
    if (variables == json.end()) {
        return true;
    }
    const Step step(*this, "variables");
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
bool GrammarReader::readParamParts(const Json& json, int depth, bool variablesAllowed,
                                   ParamDescriptor& desc, ValueNotes& notes) {
    const ParamSpec type = desc.getParamType();
    const auto words = json.find("words");
    if (words != json.end()) {
        const Step step(*this, "words");
        if (!expectArray(*words, "the words the value accepts")) {
            return false;
        }
        for (std::size_t i = 0; i < words->size(); ++i) {
            const Step element(*this, i);
            const Json& word = (*words)[i];
            if (!word.is_string() || word.get<std::string>().empty()) {
                return fail("expected a word the value accepts: a string that is not empty");
            }
            const std::string text = word.get<std::string>();
            // With words stored, possibleStringValue answers whether the word is one of them.
            if (!desc.getStringValues().empty() && desc.possibleStringValue(text)) {
                return fail("word " + Quoted(text) + " is given twice");
            }
            desc.addStringValue(text);
        }
    }
    const auto qualifiers = json.find("qualifiers");
    if (qualifiers != json.end()) {
        const Step step(*this, "qualifiers");
        if (!expectArray(*qualifiers, "the qualifiers of the value")) {
            return false;
        }
        for (std::size_t i = 0; i < qualifiers->size(); ++i) {
            const Step element(*this, i);
            ParamDescriptor qualifier;
            ValueNotes qualifierNotes;
            if (!readParam((*qualifiers)[i], Place::Qualifier, SubComByEqual, false, depth + 1,
                           qualifier, qualifierNotes)) {
                return false;
            }
            if (desc.getQualifDesc(qualifier.getParamName()) != nullptr) {
                const Step at(*this, "name");
                return fail("qualifier " + Quoted(qualifier.getParamName()) + " is declared twice");
            }
            desc.addQualifDesc(qualifier);
            notes.qualifiers.push_back(std::move(qualifierNotes));
        }
    }
    const bool compound = type == ParamKeyWordValue || type == ParamTokenQual;
    // A keyword-value pair may say which of its parts names variables.
    const bool partVariables = variablesAllowed && type == ParamKeyWordValue && depth == 1;
    for (const char* key : {"mainPart", "valuePart"}) {
        const auto part = json.find(key);
        if (part == json.end()) {
            continue;
        }
        const Step step(*this, key);
        if (!compound) {
            return failAtKey(std::string("\"") + key +
                             "\" belongs to values of type KeyWordValue or TokenQual");
        }
        ParamDescriptor partDesc;
        std::vector<ValueNotes>& slot = key[0] == 'm' ? notes.mainPart : notes.valuePart;
        slot.emplace_back();
        if (!readParam(*part, Place::Part, SubComByEqual, partVariables, depth + 1, partDesc,
                       slot.back())) {
            return false;
        }
        if (key[0] == 'm') {
            desc.setMainDesc(&partDesc);
        } else {
            desc.setQualifDesc(&partDesc);
        }
    }
    std::vector<std::string> names;
    if (type == ParamKeyWordValue &&
        (desc.getMainDesc() == nullptr || desc.getQualifDesc() == nullptr)) {
        const Step step(*this, "type");
        return fail(
            "a value of type KeyWordValue needs \"mainPart\" (its keyword) and "
            "\"valuePart\" (the value after it)");
    }
    if (type == ParamStringQualList && desc.getQualifNames(names) == 0) {
        const Step step(*this, "type");
        return fail("a value of type StringQualList needs at least one qualifier");
    }
    return true;
}

bool GrammarReader::readBound(const Json& json, const char* key, double& value, bool& excluded) {
    const Step step(*this, key);
    if (!expectObject(json, "a boundary, {\"included\": number} or {\"excluded\": number}") ||
        !knownKeys(json, "a boundary", {"included", "excluded"})) {
        return false;
    }
    if (json.size() != 1) {
        return fail(
            "a boundary is either included or excluded: give one of \"included\" and "
            "\"excluded\"");
    }
    excluded = json.begin().key() == "excluded";
    const Step inner(*this, json.begin().key());
    return readNumber(json.begin().value(), value);
}

bool GrammarReader::readBounds(const Json& json, ParamDescriptor& desc) {
    const auto lower = json.find("lower");
    if (lower != json.end()) {
        double value = 0;
        bool excluded = false;
        if (!readBound(*lower, "lower", value, excluded)) {
            return false;
        }
        desc.setLowerBoundary(value, excluded ? LowerExcluded : LowerIncluded);
    }
    const auto upper = json.find("upper");
    if (upper != json.end()) {
        double value = 0;
        bool excluded = false;
        if (!readBound(*upper, "upper", value, excluded)) {
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
    const Step step(*this, "upper");
    return fail("no value meets these boundaries: lower " + NumberToString(low) +
                (lowOpen ? " (excluded)" : " (included)") + ", upper " + NumberToString(high) +
                (highOpen ? " (excluded)" : " (included)"));
}

bool GrammarReader::readVariables(const Json& json, const ParamDescriptor& desc,
                                  VariableCheck& check) {
    if (!expectObject(json, "a variable check") ||
        !knownKeys(json, "a variable check",
                   {"check", "numeric", "repeat", "qualifiers", "registry", "within",
                    "allByDefault", "role"}) ||
        !readEnum(json, "check", kVariableKinds, check.kind) ||
        !readBool(json, "numeric", check.numeric) ||
        !readEnum(json, "repeat", kRepeatOptions, check.repeat) ||
        !readBool(json, "qualifiers", check.qualifiers) ||
        !readEnum(json, "registry", kRegistries, check.registry) ||
        !readEnum(json, "within", kScopes, check.within) ||
        !readBool(json, "allByDefault", check.allByDefault) ||
        !readString(json, "role", check.role)) {
        return false;
    }
    return checkVariableUse(json, desc, check);
}

// Which keys and value types each kind of check works with.
bool GrammarReader::checkVariableUse(const Json& json, const ParamDescriptor& desc,
                                     const VariableCheck& check) {
    struct Use {
        std::initializer_list<const char*> keys;
        std::initializer_list<ParamSpec> types;
        const char* typeNames;
    };
    static const Use kExisting{
        {"check", "numeric", "repeat", "qualifiers", "registry", "within", "role"},
        {ParamVarName, ParamVarList, ParamTokenList, ParamCrossVarList, ParamVarCatList},
        "VarName, VarList, TokenList, CrossVarList or VarCatList"};
    static const Use kNew{{"check", "role"}, {ParamVarName, ParamVarList}, "VarName or VarList"};
    static const Use kModel{{"check", "numeric", "repeat", "registry", "allByDefault", "role"},
                            {ParamVarList, ParamTokenList},
                            "VarList or TokenList"};
    static const Use kBlocks{{"check", "numeric", "qualifiers", "registry", "role"},
                             {ParamVarList, ParamTokenList},
                             "VarList or TokenList"};
    const Use& use = check.kind == VariableKind::New      ? kNew
                     : check.kind == VariableKind::Model  ? kModel
                     : check.kind == VariableKind::Blocks ? kBlocks
                                                          : kExisting;
    const char* kind = kVariableKinds.nameOf(static_cast<int>(check.kind));
    for (auto item = json.begin(); item != json.end(); ++item) {
        bool applies = false;
        for (const char* key : use.keys) {
            applies = applies || item.key() == key;
        }
        if (!applies) {
            const Step step(*this, item.key());
            return failAtKey(Quoted(item.key()) + " does not apply to a check of kind " + kind);
        }
    }
    if (!IsOneOf(desc.getParamType(), use.types)) {
        return fail(std::string("a check of kind ") + kind +
                    " reads the variables of a value "
                    "of type " +
                    use.typeNames + ", not " + kParamTypes.nameOf(desc.getParamType()));
    }
    std::vector<std::string> names;
    if (check.qualifiers && desc.getQualifNames(names) == 0) {
        const Step step(*this, "qualifiers");
        return fail(
            "qualifier lists are checked against the value's \"qualifiers\", and it "
            "declares none");
    }
    if (check.qualifiers && check.kind == VariableKind::Existing &&
        !IsOneOf(desc.getParamType(), {ParamVarList, ParamTokenList})) {
        const Step step(*this, "qualifiers");
        return fail("only a list of type VarList or TokenList carries a qualifier list");
    }
    if (check.kind == VariableKind::Model && ++mModelLists > 1) {
        return fail("a command has one Model list at most");
    }
    if (check.within != VariableScope::Any && mWithinPath.empty()) {
        mWithinPath = mPath;
        mWithinPath.push_back("within");
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
