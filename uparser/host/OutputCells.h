#ifndef UPARSER_HOST_OUTPUTCELLS_H
#define UPARSER_HOST_OUTPUTCELLS_H

#include <cstdint>
#include <string>
#include <vector>

#include "uparser/Export.h"

// Text cells: the host's substitution of ^k placeholders in plain text.

// A parsed conditional format of the host. The library never has one and passes null.
class OmParseTreeNode;

class UPARSER_HOST_API OmCellText {
  public:
    virtual ~OmCellText();
    virtual std::string AsString() const = 0;
};

// One string.
class UPARSER_HOST_API OmStringCell : public OmCellText {
  public:
    explicit OmStringCell(std::string text);
    std::string AsString() const override;

  private:
    std::string mText;
};

// A format cell whose ^k placeholders take the cells added in order (the first is ^1).
class UPARSER_HOST_API OmComposite : public OmCellText {
  public:
    explicit OmComposite(OmCellText const& format);

    void Add(OmCellText const& cell);
    // Ends the list of added cells.
    void End();
    // Fills the placeholders. tree selects conditional parts (null: none); option is a host
    // setting that the library leaves false.
    void Substitute(OmParseTreeNode** tree, bool option);
    // The format with ^k replaced by the k-th added cell; a placeholder without a cell stays.
    std::string AsString() const override;

  private:
    std::string mFormat;
    std::vector<std::string> mCells;
    std::string mResult;
    bool mSubstituted = false;
};

// Output cells: what the host's error service shows.

// A number format of the output service.
struct BpFormatSpec {
    int32_t kind;
};

class UPARSER_HOST_API BpProcedure {
  public:
    // The format in which procedures show counts.
    static BpFormatSpec Count();
};

class UPARSER_HOST_API BpCellText {
  public:
    virtual ~BpCellText();
    // The cell as the user sees it.
    virtual std::string AsString() const = 0;
};

// A string; translate asks the output service to translate it (it is an English key).
class UPARSER_HOST_API BpString : public BpCellText {
  public:
    BpString(std::string text, bool translate);
    std::string AsString() const override;

  private:
    std::string mText;
    bool mTranslate;
};

class UPARSER_HOST_API BpNumber : public BpCellText {
  public:
    BpNumber(double value, BpFormatSpec format);
    std::string AsString() const override;

  private:
    double mValue;
};

// A format with ^k placeholders filled by the added cells. Between Sublist() and EndSublist()
// the added cells form one list cell, which fills a bracket group [P:Q:]k of the format: the
// first item through pattern P (%1, %2 its components), every later one through Q (^1, ^2).
class UPARSER_HOST_API BpComposite : public BpCellText {
  public:
    BpComposite(std::string const& format, bool translate);

    void Add(BpCellText const& cell);
    void Sublist();
    void EndSublist();
    // Adds the items of the current split-file group to the open sublist.
    void SplitList();
    // Ends the composite; an open sublist is closed.
    void Finish();

    std::string AsString() const override;

  private:
    // One added cell, rendered when added: a plain text, or a list of items of one or more
    // components.
    struct Entry {
        bool isList = false;
        std::string text;
        std::vector<std::vector<std::string>> items;
    };

    std::string mFormat;
    bool mTranslate;
    std::vector<Entry> mEntries;
    bool mInSublist = false;
};

// How prominently the error service shows a message.
enum BpErrorShow : int32_t { BpShowHidden = 0, BpShowLogged = 1, BpShowDisplayed = 2 };

// The weight of a message; the library uses warnings and errors.
enum BpErrorLevel : int32_t { BpLevelNote = 1, BpLevelWarning = 2, BpLevelError = 3 };

// The host's error service: shows the cell to the user.
UPARSER_HOST_API void BpError(BpCellText const& cell, BpErrorShow show, BpErrorLevel level);

#endif
