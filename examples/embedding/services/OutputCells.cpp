// The host's text cells, output cells and error service. BpError collects each message for
// the host (embedding::Messages) instead of showing it.
#include "uparser/host/OutputCells.h"

#include <cstdio>
#include <utility>

#include "../Host.h"

namespace {

// Replaces marker+digit by the digit-th value; anything else stays as written.
std::string substitute(const std::string& format, char marker,
                       const std::vector<std::string>& values) {
    std::string out;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char digit = i + 1 < format.size() ? format[i + 1] : '\0';
        const std::size_t k =
            digit >= '1' && digit <= '9' ? static_cast<std::size_t>(digit - '0') : 0;
        if (format[i] == marker && k != 0 && k <= values.size()) {
            out += values[k - 1];
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

std::string translate(const std::string& text, bool lookUp) {
    return lookUp ? embedding::Translate(text) : text;
}

}  // namespace

OmCellText::~OmCellText() = default;

OmStringCell::OmStringCell(std::string text) : mText(std::move(text)) {}

std::string OmStringCell::AsString() const {
    return mText;
}

OmComposite::OmComposite(OmCellText const& format) : mFormat(format.AsString()) {}

void OmComposite::Add(OmCellText const& cell) {
    mCells.push_back(cell.AsString());
}

void OmComposite::End() {}

// This host has no conditional formats.
void OmComposite::Substitute(OmParseTreeNode** /*tree*/, bool /*option*/) {
    mResult = substitute(mFormat, '^', mCells);
    mSubstituted = true;
}

std::string OmComposite::AsString() const {
    return mSubstituted ? mResult : substitute(mFormat, '^', mCells);
}

BpFormatSpec BpProcedure::Count() {
    return BpFormatSpec{0};
}

BpCellText::~BpCellText() = default;

BpString::BpString(std::string text, bool translate)
    : mText(std::move(text)), mTranslate(translate) {}

std::string BpString::AsString() const {
    return translate(mText, mTranslate);
}

BpNumber::BpNumber(double value, BpFormatSpec /*format*/) : mValue(value) {}

std::string BpNumber::AsString() const {
    char text[32];
    std::snprintf(text, sizeof text, "%g", mValue);
    return text;
}

BpComposite::BpComposite(std::string const& format, bool translate)
    : mFormat(format), mTranslate(translate) {}

void BpComposite::Add(BpCellText const& cell) {
    if (mInSublist) {
        mEntries.back().items.push_back({cell.AsString()});
    } else {
        mEntries.push_back(Entry{false, cell.AsString(), {}});
    }
}

void BpComposite::Sublist() {
    mEntries.push_back(Entry{true, "", {}});
    mInSublist = true;
}

void BpComposite::EndSublist() {
    mInSublist = false;
}

// This host runs no split files: the split adds no item.
void BpComposite::SplitList() {}

void BpComposite::Finish() {
    mInSublist = false;
}

// A list fills its bracket group "[first:next:]k" as its items joined by ", ".
std::string BpComposite::AsString() const {
    std::string format = translate(mFormat, mTranslate);
    std::vector<std::string> cells;
    for (const Entry& entry : mEntries) {
        std::string text = entry.text;
        for (const auto& item : entry.items) {
            text += (text.empty() ? "" : ", ") + item.front();
        }
        cells.push_back(text);
    }
    for (std::size_t open = format.find('['); open != std::string::npos;
         open = format.find('[', open + 1)) {
        const std::size_t close = format.find(":]", open);
        if (close != std::string::npos && close + 2 < format.size()) {
            format.replace(open, close + 2 - open, "^");
        }
    }
    return substitute(format, '^', cells);
}

std::vector<embedding::Message>& embedding::Messages() {
    static std::vector<Message> messages;
    return messages;
}

void BpError(BpCellText const& cell, BpErrorShow /*show*/, BpErrorLevel level) {
    embedding::Messages().push_back(embedding::Message{level, cell.AsString()});
}
