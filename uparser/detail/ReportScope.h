#ifndef UPARSER_DETAIL_REPORTSCOPE_H
#define UPARSER_DETAIL_REPORTSCOPE_H

#include "uparser/ParserMessage.h"

// Opened first thing by every reporting method with the method's name. Only the outermost
// scope names the report and, when it ends, drops a range that At set for it, so that a
// report that emitted nothing does not leave its range to the next one.
class ParserMessage::ReportScope {
  public:
    ReportScope(const ParserMessage& message, char const* id) noexcept
        : mMessage(message), mOutermost(message.mReportId == nullptr) {
        if (mOutermost) {
            mMessage.mReportId = id;
        }
    }
    ReportScope(const ReportScope&) = delete;
    ReportScope& operator=(const ReportScope&) = delete;
    ~ReportScope() {
        if (mOutermost) {
            mMessage.mReportId = nullptr;
            mMessage.mHasPendingRange = false;
        }
    }

  private:
    const ParserMessage& mMessage;
    bool mOutermost;
};

#endif
