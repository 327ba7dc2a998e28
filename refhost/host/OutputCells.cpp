#include "uparser/host/OutputCells.h"

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <utility>

#include "refhost/MessageLog.h"
#include "refhost/Translations.h"

namespace {

// Placeholders are a marker and one digit 1-9; one that names no value stays as written.
// The result is built in one pass, so values that contain placeholders are not expanded again.
std::string fillPlaceholders(const std::string& format, char marker,
                             const std::vector<std::string>& values) {
    std::string out;
    out.reserve(format.size());
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == marker && i + 1 < format.size() && format[i + 1] >= '1' && format[i + 1] <= '9') {
            const std::size_t k = static_cast<std::size_t>(format[i + 1] - '0');
            if (k <= values.size()) {
                out += values[k - 1];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

std::string translated(const std::string& text, bool translate) {
    std::string result;
    if (translate && refhost::LookUpTranslation("", text, result)) {
        return result;
    }
    return text;
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
    mSubstituted = false;
}

void OmComposite::End() {}

// The reference host has no conditional formats: the tree and the option change nothing.
void OmComposite::Substitute(OmParseTreeNode** /*tree*/, bool /*option*/) {
    mResult = fillPlaceholders(mFormat, '^', mCells);
    mSubstituted = true;
}

std::string OmComposite::AsString() const {
    return mSubstituted ? mResult : fillPlaceholders(mFormat, '^', mCells);
}

BpFormatSpec BpProcedure::Count() {
    return BpFormatSpec{1};
}

BpCellText::~BpCellText() = default;

BpString::BpString(std::string text, bool translate)
    : mText(std::move(text)), mTranslate(translate) {}

std::string BpString::AsString() const {
    return translated(mText, mTranslate);
}

// The reference host writes every number the same way, so the format is not kept.
BpNumber::BpNumber(double value, BpFormatSpec /*format*/) : mValue(value) {}

// Plain decimal whatever the format: whole numbers without a fraction, others with up to
// 15 significant digits and no trailing zeros, never in exponent form.
std::string BpNumber::AsString() const {
    if (std::isnan(mValue)) {
        return "nan";
    }
    if (std::isinf(mValue)) {
        return mValue < 0 ? "-inf" : "inf";
    }
    int decimals = 0;
    if (mValue != std::floor(mValue)) {
        const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(mValue))));
        decimals = 14 - magnitude;
        if (decimals < 1) {
            decimals = 1;
        }
    }
    const int length = std::snprintf(nullptr, 0, "%.*f", decimals, mValue);
    if (length <= 0) {
        return std::string();
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(&text[0], text.size(), "%.*f", decimals, mValue);
    text.resize(static_cast<std::size_t>(length));
    if (decimals > 0) {
        while (!text.empty() && text.back() == '0') {
            text.pop_back();
        }
        if (!text.empty() && text.back() == '.') {
            text.pop_back();
        }
    }
    if (text == "-0") {
        text = "0";
    }
    return text;
}

BpComposite::BpComposite(std::string const& format, bool translate)
    : mFormat(format), mTranslate(translate) {}

void BpComposite::Add(BpCellText const& cell) {
    if (mInSublist) {
        mEntries.back().items.push_back({cell.AsString()});
        return;
    }
    Entry entry;
    entry.text = cell.AsString();
    mEntries.push_back(std::move(entry));
}

// Sublists do not nest: a second Sublist() before EndSublist() is ignored.
void BpComposite::Sublist() {
    if (mInSublist) {
        return;
    }
    Entry entry;
    entry.isList = true;
    mEntries.push_back(std::move(entry));
    mInSublist = true;
}

void BpComposite::EndSublist() {
    mInSublist = false;
}

// The reference host has no split-file groups, so the list gets no items.
void BpComposite::SplitList() {}

void BpComposite::Finish() {
    mInSublist = false;
}

namespace {

struct ListPatterns {
    std::string first;  // components as %1, %2
    std::string later;  // components as ^1, ^2
};

std::string renderList(const std::vector<std::vector<std::string>>& items,
                       const ListPatterns& patterns) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        out += i == 0 ? fillPlaceholders(patterns.first, '%', items[i])
                      : fillPlaceholders(patterns.later, '^', items[i]);
    }
    return out;
}

// A list cell named by a plain ^k: items separated by commas, components by blanks.
std::string joinList(const std::vector<std::vector<std::string>>& items) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            out += ", ";
        }
        for (std::size_t j = 0; j < items[i].size(); ++j) {
            if (j > 0) {
                out += ' ';
            }
            out += items[i][j];
        }
    }
    return out;
}

// A bracket group "[P:Q:]k" at format[start]: on success sets the patterns, k (saturated, so
// a huge number cannot overflow) and the index just past the group.
bool parseBracketGroup(const std::string& format, std::size_t start, ListPatterns& patterns,
                       std::size_t& k, std::size_t& end) {
    const std::size_t colon = format.find(':', start + 1);
    if (colon == std::string::npos) {
        return false;
    }
    const std::size_t close = format.find(":]", colon + 1);
    if (close == std::string::npos) {
        return false;
    }
    std::size_t pos = close + 2;
    if (pos >= format.size() || format[pos] < '0' || format[pos] > '9') {
        return false;
    }
    constexpr std::size_t kLimit = 1000000;
    k = 0;
    while (pos < format.size() && format[pos] >= '0' && format[pos] <= '9') {
        if (k < kLimit) {
            k = k * 10 + static_cast<std::size_t>(format[pos] - '0');
        }
        ++pos;
    }
    patterns.first = format.substr(start + 1, colon - start - 1);
    patterns.later = format.substr(colon + 1, close - colon - 1);
    end = pos;
    return true;
}

}  // namespace

std::string BpComposite::AsString() const {
    const std::string format = translated(mFormat, mTranslate);
    std::string out;
    out.reserve(format.size());
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '[') {
            ListPatterns patterns;
            std::size_t k = 0;
            std::size_t end = 0;
            if (parseBracketGroup(format, i, patterns, k, end)) {
                if (k >= 1 && k <= mEntries.size()) {
                    const Entry& entry = mEntries[k - 1];
                    out += entry.isList ? renderList(entry.items, patterns)
                                        : renderList({{entry.text}}, patterns);
                } else {
                    out.append(format, i, end - i);  // no such cell: the group stays as written
                }
                i = end - 1;
                continue;
            }
        } else if (c == '^' && i + 1 < format.size() && format[i + 1] >= '1' &&
                   format[i + 1] <= '9') {
            const std::size_t k = static_cast<std::size_t>(format[i + 1] - '0');
            if (k <= mEntries.size()) {
                const Entry& entry = mEntries[k - 1];
                out += entry.isList ? joinList(entry.items) : entry.text;
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

void BpError(BpCellText const& cell, BpErrorShow show, BpErrorLevel level) {
    refhost::EmitMessage(static_cast<int>(level), static_cast<int>(show), cell.AsString());
}
