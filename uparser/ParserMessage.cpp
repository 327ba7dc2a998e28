#include "uparser/ParserMessage.h"

#include <new>
#include <utility>

#include "uparser/ParserUtility.h"
#include "uparser/TokenInfoObj.h"
#include "uparser/detail/MemoryShortage.h"
#include "uparser/detail/ReportScope.h"
#include "uparser/host/OutputCells.h"
#include "uparser/host/StringTable.h"

namespace {

// The prefix of a message issued in a later group of a kind: separator name and group index.
constexpr char kGroupBlockText[] = "^1 block ^2...";
// Replaces a declared group text that uses a placeholder other than ^1; not looked up.
constexpr char kInvalidGroupText[] =
    "This group info message has invalid format an cannot be displayed...";
// Joins the group prefix and the message; both are translated already.
constexpr char kPrefixedMessage[] = "^1. ^2";

constexpr char kLocParamSubCom[] = "parameter ^1 of subcommand ^2...";
constexpr char kLocSubCom[] = "subcommand ^1...";
constexpr char kLocParam[] = "parameter ^1...";
constexpr char kLocCommand[] = "command line of ^1 command...";
constexpr char kLocParamSubComCap[] = "Parameter ^1 of subcommand ^2...";
constexpr char kLocSubComCap[] = "Subcommand ^1...";
constexpr char kLocParamCap[] = "Parameter ^1...";
constexpr char kLocCommandCap[] = "Command line of ^1 command...";

std::string textOf(char const* text) {
    return text != nullptr ? std::string(text) : std::string();
}

FacSTDictionary* newDictionary() {
    return new FacSTDictionary(PathFactory::getPathInstance()->getStringTableDir());
}

BpErrorLevel levelOf(bool warning) {
    return warning ? BpLevelWarning : BpLevelError;
}

}  // namespace

ParserMessage::ParserMessage()
    : mGroupIndex(-1), mGroupMsgArgKind(0), mDictionary(newDictionary()) {}

ParserMessage::ParserMessage(int groupIndex) : ParserMessage() {
    mGroupIndex = groupIndex;
}

ParserMessage::ParserMessage(int groupIndex, char const* groupMsgText) : ParserMessage(groupIndex) {
    SetGroupMsgText(groupMsgText);
}

ParserMessage::ParserMessage(const ParserMessage& other)
    : mCommandName(other.mCommandName),
      mProcedureTitle(other.mProcedureTitle),
      mGroupIndex(other.mGroupIndex),
      mGroupMsgText(other.mGroupMsgText),
      mGroupMsgArgKind(other.mGroupMsgArgKind),
      mGroupSepName(other.mGroupSepName),
      mDictionary(newDictionary()),
      mObserver(other.mObserver),
      mDefaultRange(other.mDefaultRange) {
    mDictionary->SetProcedure(mProcedureTitle);
}

ParserMessage::ParserMessage(ParserMessage&& other) noexcept
    : mCommandName(std::move(other.mCommandName)),
      mProcedureTitle(std::move(other.mProcedureTitle)),
      mGroupIndex(other.mGroupIndex),
      mGroupMsgText(std::move(other.mGroupMsgText)),
      mGroupMsgArgKind(other.mGroupMsgArgKind),
      mGroupSepName(std::move(other.mGroupSepName)),
      mDictionary(std::move(other.mDictionary)),
      mObserver(other.mObserver),
      mLocator(other.mLocator),
      mDefaultRange(other.mDefaultRange) {}

// The dictionary stays this object's own (a moved-from object gets a new one); only its
// procedure follows the copied title.
ParserMessage& ParserMessage::operator=(const ParserMessage& other) {
    if (this == &other) {
        return *this;
    }
    mCommandName = other.mCommandName;
    mProcedureTitle = other.mProcedureTitle;
    mGroupIndex = other.mGroupIndex;
    mGroupMsgText = other.mGroupMsgText;
    mGroupMsgArgKind = other.mGroupMsgArgKind;
    mGroupSepName = other.mGroupSepName;
    mObserver = other.mObserver;
    mDefaultRange = other.mDefaultRange;
    if (!mDictionary) {
        mDictionary.reset(newDictionary());
    }
    mDictionary->SetProcedure(mProcedureTitle);
    return *this;
}

// The two objects trade dictionaries, so neither is left without one.
ParserMessage& ParserMessage::operator=(ParserMessage&& other) noexcept {
    if (this == &other) {
        return *this;
    }
    mCommandName = std::move(other.mCommandName);
    mProcedureTitle = std::move(other.mProcedureTitle);
    mGroupIndex = other.mGroupIndex;
    mGroupMsgText = std::move(other.mGroupMsgText);
    mGroupMsgArgKind = other.mGroupMsgArgKind;
    mGroupSepName = std::move(other.mGroupSepName);
    mDictionary.swap(other.mDictionary);
    mObserver = other.mObserver;
    mLocator = other.mLocator;
    mDefaultRange = other.mDefaultRange;
    return *this;
}

ParserMessage::~ParserMessage() = default;

void ParserMessage::SetCommandName(char const* name) {
    mCommandName = textOf(name);
}

char const* ParserMessage::GetCommandName() const {
    return mCommandName.c_str();
}

void ParserMessage::SetProcedureTitle(char const* title) {
    mProcedureTitle = textOf(title);
    if (!mDictionary) {
        mDictionary.reset(newDictionary());
    }
    mDictionary->SetProcedure(mProcedureTitle);
}

char const* ParserMessage::GetProcedureTitle() const {
    return mProcedureTitle.c_str();
}

void ParserMessage::SetGroupIndex(int index) {
    mGroupIndex = index;
}

int ParserMessage::GetGroupIndex() const {
    return mGroupIndex;
}

void ParserMessage::SetGroupMsgText(char const* text) {
    mGroupMsgText = textOf(text);
    mGroupMsgArgKind = HasBpCompArg(mGroupMsgText.c_str());
}

char const* ParserMessage::GetGroupMsgText() const {
    return mGroupMsgText.c_str();
}

void ParserMessage::SetGroupSepName(char const* name) {
    mGroupSepName = textOf(name);
}

char const* ParserMessage::GetGroupSepName() const {
    return mGroupSepName.c_str();
}

DiagnosticLocator::~DiagnosticLocator() = default;

void ParserMessage::SetDiagnosticObserver(DiagnosticObserver* observer) {
    mObserver = observer;
}

void ParserMessage::SetDiagnosticLocator(const DiagnosticLocator* locator) {
    mLocator = locator;
}

void ParserMessage::SetDefaultRange(const SourceRange& range) {
    mDefaultRange = range;
}

// An unknown range (a default token) changes nothing: the locator still knows better.
const ParserMessage& ParserMessage::At(const SourceRange& range) const {
    if (mObserver != nullptr && range.known()) {
        mPendingRange = range;
        mHasPendingRange = true;
    }
    return *this;
}

const ParserMessage& ParserMessage::At(const TokenInfoObj& token) const {
    return mObserver != nullptr ? At(TokenRange(token)) : *this;
}

const ParserMessage& ParserMessage::At(const TokenInfoObj& first, const TokenInfoObj& last) const {
    return mObserver != nullptr ? At(TokenRange(first, last)) : *this;
}

const ParserMessage& ParserMessage::LookAt(const TokenInfoObj& token) const {
    if (mObserver != nullptr) {
        mDefaultRange = TokenRange(token);
    }
    return *this;
}

ParserMessage::Subject::Subject(const ParserMessage* message, const TokenInfoObj& first,
                                const TokenInfoObj& last) {
    if (message == nullptr || message->mObserver == nullptr) {
        return;
    }
    mRange = TokenRange(first, last);
    if (!mRange.known()) {
        return;
    }
    mMessage = message;
    mPrevious = message->mSubject;
    message->mSubject = &mRange;
}

ParserMessage::Subject::~Subject() {
    if (mMessage != nullptr) {
        mMessage->mSubject = mPrevious;
    }
}

const ParserMessage& ParserMessage::LookAt(const TokenInfoObj& first,
                                           const TokenInfoObj& last) const {
    if (mObserver != nullptr) {
        mDefaultRange = TokenRange(first, last);
    }
    return *this;
}

SourceRange ParserMessage::CurrentRange() const {
    if (mHasPendingRange) {
        return mPendingRange;
    }
    if (mSubject != nullptr) {
        return *mSubject;
    }
    if (mLocator != nullptr) {
        return mLocator->currentRange();
    }
    return mDefaultRange;
}

void ParserMessage::notify(char const* text, bool warning,
                           std::initializer_list<char const*> args) const noexcept {
    if (mObserver == nullptr) {
        return;
    }
    try {
        Diagnostic diagnostic;
        diagnostic.id = mReportId != nullptr ? mReportId : "SimpleMessage";
        diagnostic.text = textOf(text);
        for (char const* arg : args) {
            if (arg == nullptr) {
                break;
            }
            diagnostic.arguments.emplace_back(arg);
        }
        diagnostic.level = levelOf(warning);
        diagnostic.range = CurrentRange();
        mObserver->onDiagnostic(diagnostic);
    } catch (...) {
        // The error service has the message; a record that cannot be built or taken is lost
        // rather than disturbing the operation that reports.
    }
}

// The output service translates the text itself, so it goes out with its translate flag set;
// the arguments are values and are never translated. The first null argument ends the list.
void ParserMessage::SimpleMessage(char const* text, bool warning, char const* a1, char const* a2,
                                  char const* a3, char const* a4, char const* a5) const {
    const ReportScope scope(*this, "SimpleMessage");
    if (text == nullptr) {
        return;
    }
    try {
        if (a1 == nullptr) {
            BpError(BpString(text, true), BpShowDisplayed, levelOf(warning));
            notify(text, warning, {});
            return;
        }
        BpComposite message(text, true);
        for (char const* arg : {a1, a2, a3, a4, a5}) {
            if (arg == nullptr) {
                break;
            }
            message.Add(BpString(arg, false));
        }
        message.Finish();
        BpError(message, BpShowDisplayed, levelOf(warning));
        notify(text, warning, {a1, a2, a3, a4, a5});
    } catch (const std::bad_alloc&) {
        ReportMemoryShortage();
    } catch (...) {
        // Reporting must never disturb the operation that found the problem.
    }
}

void ParserMessage::SimpleError(char const* text, char const* a1, char const* a2, char const* a3,
                                char const* a4, char const* a5) const {
    const ReportScope scope(*this, "SimpleError");
    SimpleMessage(text, false, a1, a2, a3, a4, a5);
}

void ParserMessage::SimpleWarning(char const* text, char const* a1, char const* a2, char const* a3,
                                  char const* a4, char const* a5) const {
    const ReportScope scope(*this, "SimpleWarning");
    SimpleMessage(text, true, a1, a2, a3, a4, a5);
}

// With a group prefix the library translates both parts itself and joins them, so the
// composite goes out untranslated. Note that a null text still shows the prefix.
void ParserMessage::GenericMessage(char const* text, bool warning, char const* a1, char const* a2,
                                   char const* a3, char const* a4, char const* a5) const {
    const ReportScope scope(*this, "GenericMessage");
    try {
        const std::string prefix = TranslateGroupMsgText();
        if (prefix.empty()) {
            SimpleMessage(text, warning, a1, a2, a3, a4, a5);
            return;
        }
        const std::string message = GetTranslatedText(text, a1, a2, a3, a4, a5);
        BpComposite joined(kPrefixedMessage, false);
        joined.Add(BpString(prefix, false));
        joined.Add(BpString(message, false));
        joined.Finish();
        BpError(joined, BpShowDisplayed, levelOf(warning));
        notify(text, warning, {a1, a2, a3, a4, a5});
    } catch (const std::bad_alloc&) {
        ReportMemoryShortage();
    } catch (...) {
        // As above: a report never throws.
    }
}

void ParserMessage::GenericError(char const* text, char const* a1, char const* a2, char const* a3,
                                 char const* a4, char const* a5) const {
    const ReportScope scope(*this, "GenericError");
    GenericMessage(text, false, a1, a2, a3, a4, a5);
}

void ParserMessage::GenericWarning(char const* text, char const* a1, char const* a2, char const* a3,
                                   char const* a4, char const* a5) const {
    const ReportScope scope(*this, "GenericWarning");
    GenericMessage(text, true, a1, a2, a3, a4, a5);
}

// The English text is the key; whatever the string table answers is used as the message.
std::string ParserMessage::GetTranslatedText(char const* text, char const* a1, char const* a2,
                                             char const* a3, char const* a4, char const* a5) const {
    if (text == nullptr) {
        return std::string();
    }
    unsigned long status = 0;
    const std::string looked =
        mDictionary ? mDictionary->LookUp(std::string(text), status) : std::string(text);
    if (a1 == nullptr) {
        return looked;
    }
    OmComposite composite{OmStringCell(looked)};
    for (char const* arg : {a1, a2, a3, a4, a5}) {
        if (arg == nullptr) {
            break;
        }
        composite.Add(OmStringCell(arg));
    }
    composite.End();
    composite.Substitute(nullptr, false);
    return composite.AsString();
}

// A declared group text applies from the first group on; the automatic separator prefix only
// from the second group of a kind.
std::string ParserMessage::TranslateGroupMsgText() const {
    if (mGroupIndex < 0) {
        return std::string();
    }
    if (!mGroupMsgText.empty()) {
        if (mGroupMsgArgKind == 1) {
            return GetTranslatedText(mGroupMsgText.c_str(), IntegerToString(mGroupIndex).c_str());
        }
        if (mGroupMsgArgKind == 0) {
            return GetTranslatedText(mGroupMsgText.c_str());
        }
        return kInvalidGroupText;
    }
    if (mGroupIndex > 0 && !mGroupSepName.empty()) {
        return GetTranslatedText(kGroupBlockText, mGroupSepName.c_str(),
                                 IntegerToString(mGroupIndex).c_str());
    }
    return std::string();
}

std::string ParserMessage::GetLocString(char const* param, char const* subCom) const {
    const bool hasParam = IsName(param);
    const bool hasSubCom = IsName(subCom);
    if (hasParam && hasSubCom) {
        return GetTranslatedText(kLocParamSubCom, param, subCom);
    }
    if (hasSubCom) {
        return GetTranslatedText(kLocSubCom, subCom);
    }
    if (hasParam) {
        return GetTranslatedText(kLocParam, param);
    }
    return GetTranslatedText(kLocCommand, mCommandName.c_str());
}

std::string ParserMessage::GetLocStringCap(char const* param, char const* subCom) const {
    const bool hasParam = IsName(param);
    const bool hasSubCom = IsName(subCom);
    if (hasParam && hasSubCom) {
        return GetTranslatedText(kLocParamSubComCap, param, subCom);
    }
    if (hasSubCom) {
        return GetTranslatedText(kLocSubComCap, subCom);
    }
    if (hasParam) {
        return GetTranslatedText(kLocParamCap, param);
    }
    return GetTranslatedText(kLocCommandCap, mCommandName.c_str());
}

bool ParserMessage::IsName(char const* name) const {
    return name != nullptr && name[0] != '\0';
}

bool ParserMessage::EqualName(char const* name1, char const* name2) const {
    const bool given1 = IsName(name1);
    const bool given2 = IsName(name2);
    if (!given1 || !given2) {
        return given1 == given2;
    }
    return AreStringsEqualCase(name1, name2);
}

bool ParserMessage::EqualLocation(char const* param1, char const* subCom1, char const* param2,
                                  char const* subCom2) const {
    return EqualName(param1, param2) && EqualName(subCom1, subCom2);
}
