#include "tools/uparse/JsonOutput.h"

#include <nlohmann/json.hpp>

#include "tools/uparse/GrammarJson.h"
#include "tools/uparse/TreeView.h"

namespace uparse {

namespace {

using Json = nlohmann::ordered_json;

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

// Scalars for the one-value kinds, arrays for lists, objects for compound values.
Json ValueJson(const ValueView& value) {
    Json json = Json::object();
    if (!value.label.empty()) {
        json["name"] = value.label;
    }
    json["kind"] = value.kind;
    const std::string& kind = value.kind;
    if (kind == "keyword") {
        json["value"] = nullptr;
    } else if (!value.parts.empty()) {
        Json parts = Json::array();
        for (const ValueView& part : value.parts) {
            parts.push_back(ValueJson(part));
        }
        json["parts"] = parts;
    } else if (kind == "categories") {
        Json rows = Json::array();
        for (const ValueView::Row& row : value.rows) {
            rows.push_back({{"values", row.values}, {"code", row.code}});
        }
        json["variables"] = value.texts;
        json["rows"] = rows;
    } else if (kind == "number" || kind == "integer") {
        json["value"] = value.numbers.empty() ? Json(nullptr) : Json(value.numbers.front());
    } else if (kind == "numbers" || kind == "integers") {
        json["value"] = value.numbers;
    } else if (kind == "word" || kind == "literal" || kind == "variable" || kind == "path") {
        json["value"] = value.texts.empty() ? Json(nullptr) : Json(value.texts.front());
    } else {
        json["value"] = value.texts;
    }
    return json;
}

Json TreeJson(const CommandReport& report) {
    const std::vector<GroupView> groups = DescribeTree(
        report.result.spec, report.procedure != nullptr ? &report.procedure->grammar() : nullptr);
    Json tree = Json::array();
    for (const GroupView& group : groups) {
        Json subs = Json::array();
        for (const SubComView& sub : group.subCommands) {
            Json params = Json::array();
            for (const ParamView& param : sub.params) {
                Json entry = ValueJson(param.value);
                entry["name"] = param.name;
                entry["parens"] = param.parens;
                params.push_back(std::move(entry));
            }
            subs.push_back({{"name", sub.name},
                            {"extName", sub.extName},
                            {"count", sub.count},
                            {"leading", sub.hasLeading ? ValueJson(sub.leading) : Json(nullptr)},
                            {"parameters", std::move(params)}});
        }
        tree.push_back({{"global", group.global}, {"subcommands", std::move(subs)}});
    }
    return tree;
}

}  // namespace

void JsonOutput::render(const CommandReport& report, Rendered& rendered) const {
    Json variables = Json::array();
    for (const examples::VariableList& list : report.result.variables) {
        Json qualifiers = Json::object();
        for (const auto& qualifier : list.qualifiers) {
            qualifiers[qualifier.first] = qualifier.second;
        }
        variables.push_back({{"subcommand", list.subCommand},
                             {"parameter", list.parameter},
                             {"role", list.role},
                             {"variables", list.names},
                             {"qualifiers", std::move(qualifiers)}});
    }
    Json diagnostics = Json::array();
    for (const Diagnostic& diagnostic : report.diagnostics) {
        Json entry = {{"level", diagnostic.level},
                      {"line", diagnostic.line},
                      {"column", diagnostic.column},
                      {"text", diagnostic.text}};
        if (diagnostic.endLine > 0) {
            entry["range"] = {{"line", diagnostic.line},
                              {"column", diagnostic.column},
                              {"endLine", diagnostic.endLine},
                              {"endColumn", diagnostic.endColumn}};
        }
        if (diagnostic.fromLibrary) {
            entry["libraryText"] = diagnostic.libraryText;
            if (!diagnostic.id.empty()) {
                entry["id"] = diagnostic.id;
            }
        }
        diagnostics.push_back(std::move(entry));
    }
    Json json = {
        {"file", report.file},
        {"line", report.line},
        {"command", report.command},
        {"procedure", report.procedure != nullptr ? Json(report.procedure->name()) : Json(nullptr)},
        {"code", report.result.parseCode},
        {"validated", report.result.validated},
        {"ok", report.ok()},
        {"stage", StageName(report.result.stage)},
        {"tree", TreeJson(report)},
        {"variables", std::move(variables)},
        {"diagnostics", std::move(diagnostics)},
    };
    // Replacement characters keep the line valid JSON whatever bytes the syntax held.
    rendered.results = json.dump(-1, ' ', false, Json::error_handler_t::replace);
    rendered.results += '\n';
    rendered.findings.clear();
}

void JsonOutput::emit(const Rendered& rendered) {
    mOut.write(rendered.results.data(), static_cast<std::streamsize>(rendered.results.size()));
}

void JsonOutput::grammar(const examples::Procedure& procedure) {
    mOut << GrammarJson(procedure).dump() << '\n';
}

}  // namespace uparse
