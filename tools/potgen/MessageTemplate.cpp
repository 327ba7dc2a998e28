#include "tools/potgen/MessageTemplate.h"

#include <gettext-po.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>

#include "refhost/refhost.h"
#include "tools/potgen/CatalogCalls.h"
#include "tools/potgen/TextMatch.h"

namespace potgen {

namespace {

// What one call made the library do.
struct Observation {
    const CatalogCall* call = nullptr;
    std::vector<std::string> keys;  // the texts it looked up, each once, in order
    std::string primary;            // the last of them: the text the user is shown
    std::string shown;              // what the user saw, untranslated
    int level = 0;                  // 3 error, 2 warning, 0 a text service
};

bool observe(const CatalogCall& call, Observation& observation, std::string& error) {
    ParserMessage message;
    message.SetCommandName(kCommandSentinel);
    refhost::LookupLog lookups;
    refhost::MessageLog log;
    const std::string text = call.run(message);
    observation.call = &call;
    for (const refhost::LookedUp& lookup : lookups.lookups()) {
        if (std::find(observation.keys.begin(), observation.keys.end(), lookup.english) ==
            observation.keys.end()) {
            observation.keys.push_back(lookup.english);
        }
    }
    if (!lookups.lookups().empty()) {
        observation.primary = lookups.lookups().back().english;
    }
    const std::size_t expected = text.empty() ? 1 : 0;
    if (log.messages().size() != expected || observation.primary.empty()) {
        error = call.method + ": expected " + std::to_string(expected) + " message(s) and a " +
                "looked-up text, got " + std::to_string(log.messages().size()) + " message(s)";
        return false;
    }
    observation.shown = text.empty() ? log.messages().front().text : text;
    observation.level = text.empty() ? log.messages().front().level : 0;
    return true;
}

// How a text built by the library from another text is named in a comment.
std::string roleOf(const std::string& method) {
    if (method.compare(0, 12, "GetLocString") == 0) {
        return "the location, a location phrase such as";
    }
    if (method == "TranslateGroupMsgText") {
        return "the group prefix, such as";
    }
    return "the message";
}

class Explainer {
  public:
    Explainer(const Observation& observation, const std::map<std::string, std::string>& roles)
        : mObservation(observation), mRoles(roles) {}

    bool explain(const std::string& value, bool list, std::string& meaning,
                 const std::string& pattern, int depth) const {
        const CatalogCall& call = *mObservation.call;
        if (list) {
            meaning = call.list;
            return !meaning.empty();
        }
        if (value.size() > 2 && value.front() == '{' && value.back() == '}' &&
            value.find_first_of("{}", 1) == value.size() - 1) {
            meaning = "the " + value.substr(1, value.size() - 2);
            return true;
        }
        for (const auto& known : call.values) {
            if (known.first == value) {
                meaning = known.second;
                return true;
            }
        }
        return depth < 3 && builtFromKey(value, meaning, pattern, depth);
    }

  private:
    bool builtFromKey(const std::string& value, std::string& meaning, const std::string& pattern,
                      int depth) const {
        for (const std::string& key : mObservation.keys) {
            if (key == pattern) {
                continue;
            }
            Fillings inner;
            const Explain explainInner = [&](const std::string& v, bool l, std::string& m) {
                return explain(v, l, m, key, depth + 1);
            };
            if (MatchFilling(key, value, explainInner, inner)) {
                const auto role = mRoles.find(key);
                meaning = (role != mRoles.end() ? role->second : std::string("the message")) +
                          " \"" + key + "\"";
                return true;
            }
        }
        return false;
    }

    const Observation& mObservation;
    const std::map<std::string, std::string>& mRoles;
};

std::string levelName(int level) {
    return level == 3 ? "error" : level == 2 ? "warning" : "";
}

// One way a text is reported: by which methods, at which levels, with which fillings.
struct Usage {
    std::set<std::string> reporters;  // "ParserMessage::Method (error)"
    std::map<int, std::string> meanings;  // "^k: meaning", or "[...:]k: meaning" for a list
    std::set<std::string> notes;
};

std::string meaningLines(const std::map<int, std::string>& meanings) {
    std::string lines;
    for (const auto& meaning : meanings) {
        lines += meaning.second + "\n";
    }
    return lines;
}

std::string reporter(const Observation& observation) {
    const std::string level = levelName(observation.level);
    return "ParserMessage::" + observation.call->method + (level.empty() ? "" : " (" + level + ")");
}

std::string describe(const std::vector<Usage>& usages, const std::set<std::string>& alsoBy) {
    std::string comments;
    for (const Usage& usage : usages) {
        std::string who;
        for (const std::string& name : usage.reporters) {
            who += (who.empty() ? "" : ", ") + name;
        }
        const bool textService = who.find('(') == std::string::npos;
        comments += (textService ? "Made by " : "Reported by ") + who +
                    (usage.meanings.empty() ? ".\n" : ":\n") + meaningLines(usage.meanings);
        for (const std::string& note : usage.notes) {
            comments += note + "\n";
        }
    }
    for (const std::string& name : alsoBy) {
        comments += "Also reported through ParserMessage::" + name + ".\n";
    }
    return comments;
}

// Everything known about one text.
struct TextInfo {
    std::vector<Usage> usages;
    std::map<std::string, std::size_t> explainedBy;  // method -> its usage
    std::set<std::string> methods;                   // every method that shows the text
};

bool explainObservation(const Observation& observation,
                        const std::map<std::string, std::string>& roles, TextInfo& info,
                        std::string& error) {
    const Explainer explainer(observation, roles);
    Fillings fillings;
    const Explain explain = [&](const std::string& v, bool l, std::string& m) {
        return explainer.explain(v, l, m, observation.primary, 0);
    };
    if (!MatchFilling(observation.primary, observation.shown, explain, fillings)) {
        error = observation.call->method + ": cannot tell how \"" + observation.shown +
                "\" arose from \"" + observation.primary + "\"";
        return false;
    }
    Usage usage;
    for (const auto& filling : fillings) {
        const std::string k = std::to_string(filling.first);
        usage.meanings[filling.first] =
            (filling.second.list ? "[...:]" + k : "^" + k) + ": " + filling.second.meaning;
    }
    auto same = std::find_if(info.usages.begin(), info.usages.end(),
                             [&](const Usage& u) { return u.meanings == usage.meanings; });
    if (same == info.usages.end()) {
        same = info.usages.insert(info.usages.end(), usage);
    }
    Usage& target = *same;
    target.reporters.insert(reporter(observation));
    info.explainedBy.emplace(observation.call->method,
                             static_cast<std::size_t>(same - info.usages.begin()));
    if (!observation.call->note.empty()) {
        target.notes.insert(observation.call->note);
    }
    return true;
}

// Runs every call; order gets each looked-up text once, as the calls first needed it.
bool observeAll(std::vector<Observation>& observations, std::vector<std::string>& order,
                std::string& error) {
    for (const CatalogCall& call : AllCatalogCalls()) {
        Observation observation;
        if (!observe(call, observation, error)) {
            return false;
        }
        for (const std::string& key : observation.keys) {
            if (std::find(order.begin(), order.end(), key) == order.end()) {
                order.push_back(key);
            }
        }
        observations.push_back(std::move(observation));
    }
    return true;
}

bool explainAll(const std::vector<Observation>& observations,
                std::map<std::string, TextInfo>& texts, std::string& error) {
    std::map<std::string, std::string> roles;
    for (const Observation& observation : observations) {
        if (observation.call->explains) {
            roles.emplace(observation.primary, roleOf(observation.call->method));
        }
    }
    for (const Observation& observation : observations) {
        TextInfo& info = texts[observation.primary];
        info.methods.insert(observation.call->method);
        if (observation.call->explains && !explainObservation(observation, roles, info, error)) {
            return false;
        }
    }
    return true;
}

// The entry the library looks up, then, for a text several methods report, one per method:
// a host that knows which method reported the message can pick a wording of its own.
void addEntries(const std::string& key, const TextInfo& info,
                std::vector<TemplateEntry>& entries) {
    std::set<std::string> alsoBy;
    for (const std::string& method : info.methods) {
        if (info.explainedBy.count(method) == 0) {
            alsoBy.insert(method);
        }
    }
    entries.push_back({"", key, describe(info.usages, alsoBy)});
    if (info.methods.size() < 2) {
        return;
    }
    for (const std::string& method : info.methods) {
        const auto own = info.explainedBy.find(method);
        const Usage& usage = info.usages[own != info.explainedBy.end() ? own->second : 0];
        entries.push_back({method, key,
                           "As reported by ParserMessage::" + method + ".\n" +
                               meaningLines(usage.meanings)});
    }
}

}  // namespace

bool BuildTemplate(std::vector<TemplateEntry>& entries, std::string& error) {
    refhost::ClearTranslations();
    std::vector<Observation> observations;
    std::vector<std::string> order;
    std::map<std::string, TextInfo> texts;
    if (!observeAll(observations, order, error) || !explainAll(observations, texts, error)) {
        return false;
    }
    entries.clear();
    for (const std::string& key : order) {
        const TextInfo& info = texts[key];
        if (info.usages.empty()) {
            error = "no call shows the text \"" + key + "\" as it is";
            return false;
        }
        addEntries(key, info, entries);
    }
    return true;
}

namespace {

std::string* gWriteError = nullptr;

void onWriteError(int severity, po_message_t, const char* file, std::size_t, std::size_t, int,
                  const char* text) {
    if (severity != PO_SEVERITY_WARNING && gWriteError != nullptr && gWriteError->empty()) {
        *gWriteError = std::string(file != nullptr ? file : "") + ": " + (text ? text : "");
    }
}

void onWriteError2(int severity, po_message_t, const char* file, std::size_t, std::size_t, int,
                   const char* text, po_message_t, const char*, std::size_t, std::size_t, int,
                   const char*) {
    onWriteError(severity, nullptr, file, 0, 0, 0, text);
}

const char kHeaderComments[] =
    "Messages of the uparser library: the texts it reports, the location phrases it puts into\n"
    "them and the prefix of messages about a subcommand group.\n"
    "Generated from the library by tools/potgen (potgen po/uparser.pot); do not edit.\n"
    "Each msgid is a text exactly as the library looks it up, its closing dots included.\n"
    "A translation keeps exactly the placeholders of its text: ^1 to ^5 are the arguments\n"
    "each entry's comment names. A list group [P:Q:]k is argument k, a list: its first item\n"
    "is written as P, with %1, %2 for the item's parts, every later item as Q, with ^1, ^2.\n"
    "An entry with a msgctxt is the wording for one reporting method, for a text several\n"
    "methods report; the library itself looks up only the entries without one.\n";

const char kHeader[] =
    "Project-Id-Version: uparser\n"
    "Report-Msgid-Bugs-To: \n"
    "Language: \n"
    "MIME-Version: 1.0\n"
    "Content-Type: text/plain; charset=UTF-8\n"
    "Content-Transfer-Encoding: 8bit\n";

po_message_t newMessage(const std::string& context, const std::string& english) {
    po_message_t message = po_message_create();
    if (!context.empty()) {
        po_message_set_msgctxt(message, context.c_str());
    }
    po_message_set_msgid(message, english.c_str());
    po_message_set_msgstr(message, "");
    return message;
}

}  // namespace

bool WriteTemplate(const std::vector<TemplateEntry>& entries, const std::string& path,
                   std::string& error) {
    std::unique_ptr<std::remove_pointer_t<po_file_t>, void (*)(po_file_t)> file(po_file_create(),
                                                                                 po_file_free);
    po_message_iterator_t iterator = po_message_iterator(file.get(), nullptr);
    po_message_t header = newMessage("", "");
    po_message_set_msgstr(header, kHeader);
    po_message_set_comments(header, kHeaderComments);
    po_message_insert(iterator, header);
    for (const TemplateEntry& entry : entries) {
        po_message_t message = newMessage(entry.context, entry.english);
        po_message_set_extracted_comments(message, entry.comments.c_str());
        po_message_insert(iterator, message);
    }
    po_message_iterator_free(iterator);

    std::string firstError;
    gWriteError = &firstError;
    const po_xerror_handler handler = {onWriteError, onWriteError2};
    const bool written = po_file_write(file.get(), path.c_str(), &handler) != nullptr;
    gWriteError = nullptr;
    if (!written || !firstError.empty()) {
        error = firstError.empty() ? path + ": cannot write the template" : firstError;
        return false;
    }
    return true;
}

}  // namespace potgen
