#include "tools/uparse/JsonOutput.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "tools/uparse/GrammarJson.h"
#include "tools/uparse/JsonText.h"
#include "tools/uparse/TreeView.h"

namespace uparse {

namespace {

const char* StageName(examples::Stage stage) {
    switch (stage) {
        case examples::Stage::Done:
            return "done";
        case examples::Stage::Parse:
            return "parse";
        case examples::Stage::Validation:
            return "validation";
        default:
            return "internal";
    }
}

bool IsKind(const ValueView& value, std::string_view kind) {
    return value.kind == kind;
}

// Scalars for the one-value kinds, arrays for lists, objects for compound values. A
// parameter's object ends with its name and whether it was written in parentheses.
void WriteValue(JsonText& json, const ValueView& value, const ParamView* param = nullptr) {
    json.beginObject();
    // A parameter's name takes the place of a label, which only parts have.
    const bool named = !value.label.empty();
    if (named) {
        json.key("name").string(param != nullptr ? param->name : value.label);
    }
    json.key("kind").string(value.kind);
    if (IsKind(value, "keyword")) {
        json.key("value").null();
    } else if (!value.parts.empty()) {
        json.key("parts").beginArray();
        for (const ValueView& part : value.parts) {
            WriteValue(json, part);
        }
        json.endArray();
    } else if (IsKind(value, "categories")) {
        json.key("variables").strings(value.texts);
        json.key("rows").beginArray();
        for (const ValueView::Row& row : value.rows) {
            json.beginObject().key("values").strings(row.values);
            json.key("code").number(row.code).endObject();
        }
        json.endArray();
    } else if (IsKind(value, "number") || IsKind(value, "integer")) {
        json.key("value");
        value.numbers.empty() ? json.null() : json.number(value.numbers.front());
    } else if (IsKind(value, "numbers") || IsKind(value, "integers")) {
        json.key("value").numbers(value.numbers);
    } else if (IsKind(value, "word") || IsKind(value, "literal") || IsKind(value, "variable") ||
               IsKind(value, "path")) {
        json.key("value");
        value.texts.empty() ? json.null() : json.string(value.texts.front());
    } else {
        json.key("value").strings(value.texts);
    }
    if (param != nullptr) {
        if (!named) {
            json.key("name").string(param->name);
        }
        json.key("parens").boolean(param->parens);
    }
    json.endObject();
}

// Writes the tree's objects as the walk hands over its parts.
class TreeJson : public TreeVisitor {
  public:
    explicit TreeJson(JsonText& json) : mJson(json) {}

    void group(bool global, bool /*empty*/) override {
        mJson.beginObject().key("global").boolean(global);
        mJson.key("subcommands").beginArray();
    }
    void endGroup() override { mJson.endArray().endObject(); }

    void subCommand(const SubComView& sub) override {
        mJson.beginObject().key("name").string(sub.name);
        mJson.key("extName").string(sub.extName);
        mJson.key("count").integer(sub.count);
        mJson.key("leading");
        if (sub.leading != nullptr) {
            WriteValue(mJson, *sub.leading);
        } else {
            mJson.null();
        }
        mJson.key("parameters").beginArray();
    }
    void parameter(const ParamView& param) override { WriteValue(mJson, param.value, &param); }
    void endSubCommand() override { mJson.endArray().endObject(); }

  private:
    JsonText& mJson;
};

void WriteTree(JsonText& json, const CommandReport& report) {
    json.beginArray();
    TreeJson tree(json);
    WalkTree(report.result.spec,
             report.procedure != nullptr ? &report.procedure->grammar() : nullptr, tree);
    json.endArray();
}

// A later qualifier of the same name takes the earlier one's place, as in a JSON object.
void WriteQualifiers(JsonText& json, const std::vector<std::pair<std::string, std::string>>& all) {
    std::vector<const std::pair<std::string, std::string>*> kept;
    for (const auto& qualifier : all) {
        const auto same = std::find_if(kept.begin(), kept.end(), [&](const auto* earlier) {
            return earlier->first == qualifier.first;
        });
        if (same == kept.end()) {
            kept.push_back(&qualifier);
        } else {
            *same = &qualifier;
        }
    }
    json.beginObject();
    for (const auto* qualifier : kept) {
        json.key(qualifier->first).string(qualifier->second);
    }
    json.endObject();
}

void WriteVariables(JsonText& json, const CommandReport& report) {
    json.beginArray();
    for (const examples::VariableList& list : report.result.variables) {
        json.beginObject().key("subcommand").string(list.subCommand);
        json.key("parameter").string(list.parameter);
        json.key("role").string(list.role);
        json.key("variables").strings(list.names);
        json.key("qualifiers");
        WriteQualifiers(json, list.qualifiers);
        json.endObject();
    }
    json.endArray();
}

void WriteDiagnostics(JsonText& json, const CommandReport& report) {
    json.beginArray();
    for (const Diagnostic& diagnostic : report.diagnostics) {
        json.beginObject().key("level").string(diagnostic.level);
        json.key("line").integer(diagnostic.line);
        json.key("column").integer(diagnostic.column);
        json.key("text").string(diagnostic.text);
        if (diagnostic.endLine > 0) {
            json.key("range").beginObject().key("line").integer(diagnostic.line);
            json.key("column").integer(diagnostic.column);
            json.key("endLine").integer(diagnostic.endLine);
            json.key("endColumn").integer(diagnostic.endColumn).endObject();
        }
        if (diagnostic.fromLibrary) {
            json.key("libraryText").string(diagnostic.libraryText);
            if (!diagnostic.id.empty()) {
                json.key("id").string(diagnostic.id);
            }
        }
        json.endObject();
    }
    json.endArray();
}

}  // namespace

void JsonOutput::render(const CommandReport& report, Rendered& rendered) const {
    // Written straight into the line, in the order and form a dumped nlohmann::ordered_json
    // of the same document has; invalid UTF-8 becomes replacement characters, so the line is
    // valid JSON whatever bytes the syntax held.
    std::string& line = rendered.results;
    line.clear();
    JsonText json(line);
    json.beginObject().key("file").string(report.file);
    json.key("line").integer(report.line);
    json.key("command").string(report.command);
    json.key("procedure");
    report.procedure != nullptr ? json.string(report.procedure->name()) : json.null();
    json.key("code").integer(report.result.parseCode);
    json.key("validated").boolean(report.result.validated);
    json.key("ok").boolean(report.ok());
    json.key("stage").string(StageName(report.result.stage));
    json.key("tree");
    WriteTree(json, report);
    json.key("variables");
    WriteVariables(json, report);
    json.key("diagnostics");
    WriteDiagnostics(json, report);
    json.endObject();
    line += '\n';
    rendered.findings.clear();
}

void JsonOutput::emit(const Rendered& rendered) {
    mOut.write(rendered.results.data(), static_cast<std::streamsize>(rendered.results.size()));
}

void JsonOutput::grammar(const examples::Procedure& procedure) {
    mOut << GrammarJson(procedure).dump() << '\n';
}

}  // namespace uparse
