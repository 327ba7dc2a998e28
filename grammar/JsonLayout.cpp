#include "grammar/JsonLayout.h"

namespace upgrammar {

namespace {

using Json = nlohmann::ordered_json;

constexpr std::size_t kWidth = 100;

std::string Scalar(const Json& value) {
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

bool HoldsOnlyScalars(const Json& value) {
    for (const Json& item : value) {
        if (item.is_structured()) {
            return false;
        }
    }
    return true;
}

std::string OneLine(const Json& value) {
    const bool object = value.is_object();
    std::string text(1, object ? '{' : '[');
    bool first = true;
    for (auto item = value.begin(); item != value.end(); ++item) {
        text += first ? "" : ", ";
        first = false;
        if (object) {
            text += Scalar(Json(item.key())) + ": ";
        }
        text += Scalar(*item);
    }
    return text + (object ? '}' : ']');
}

// Appends value, which begins at `column` of a line indented by `indent` blanks.
void Append(const Json& value, std::size_t indent, std::size_t column, std::string& out) {
    if (!value.is_structured()) {
        out += Scalar(value);
        return;
    }
    if (value.empty() || HoldsOnlyScalars(value)) {
        const std::string line = OneLine(value);
        if (value.empty() || column + line.size() + 1 <= kWidth) {
            out += line;
            return;
        }
    }
    const bool object = value.is_object();
    const std::string inner(indent + 2, ' ');
    out += object ? "{\n" : "[\n";
    bool first = true;
    for (auto item = value.begin(); item != value.end(); ++item) {
        out += first ? "" : ",\n";
        first = false;
        out += inner;
        std::size_t at = inner.size();
        if (object) {
            const std::string key = Scalar(Json(item.key())) + ": ";
            out += key;
            at += key.size();
        }
        Append(*item, indent + 2, at, out);
    }
    out += "\n" + std::string(indent, ' ') + (object ? '}' : ']');
}

}  // namespace

std::string LayOut(const nlohmann::ordered_json& document) {
    std::string out;
    Append(document, 0, 0, out);
    return out + "\n";
}

}  // namespace upgrammar
