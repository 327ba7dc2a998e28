#ifndef UPARSER_DETAIL_MEMORYSHORTAGE_H
#define UPARSER_DETAIL_MEMORYSHORTAGE_H

// Said in place of a report that could not be built because memory ran out, so that no
// failure goes unexplained. It goes straight to the error service, as building anything more
// may fail again; it never throws.
void ReportMemoryShortage() noexcept;

#endif
