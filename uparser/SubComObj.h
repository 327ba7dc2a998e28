#ifndef UPARSER_SUBCOMOBJ_H
#define UPARSER_SUBCOMOBJ_H

#include <string>
#include <vector>

#include "uparser/Export.h"
#include "uparser/ParamObj.h"
#include "uparser/TokenInfoObj.h"
#include "uparser/detail/InlineList.h"

// One parsed subcommand: its name (upper case, empty for the unnamed leading part of a
// command), which occurrence of a repeatable subcommand it is, its parameters in written order
// and the tokens of its unnamed leading value, kept in the export parameter.
class UPARSER_API SubComObj {
  public:
    SubComObj();
    explicit SubComObj(const std::string& name);
    SubComObj(const SubComObj& other);
    // Inline with the destructor: a regrowing group list moves and destroys every subcommand.
    SubComObj(SubComObj&& other) noexcept = default;
    SubComObj& operator=(const SubComObj& other);
    SubComObj& operator=(SubComObj&& other) noexcept;
    ~SubComObj() {
        if (mPlainParams && mParamList.size() > 1) {
            mParamList.pop_back();
            mParamList.releaseUndestroyed();
        }
    }

    const std::string& getSubComName() const;
    // The name messages use: the name, or for a counted occurrence the name, a blank and the
    // count.
    const std::string& getSubComExtName() const;
    int getSubComCount() const;
    // A count above 0 makes the extended name "NAME n" ("n" alone for the unnamed part); the
    // export parameter follows the new name.
    void setSubComCount(int count);

    void setParenUsed();
    void unsetParenUsed();
    bool areParenUsed() const;
    void setEqualUsed();
    void unsetEqualUsed();
    bool isEqualUsed() const;

    void addParamObj(const ParamObj& param);
    void addParamObj(ParamObj&& param);
    unsigned int getParamListSize() const;
    bool isValidParamIndex(unsigned int index) const;
    const ParamObj* getParamObj(unsigned int index) const;
    // The first parameter of that name, compared ignoring case.
    const ParamObj* getParamObj(const std::string& name) const;

    // The unnamed leading value.
    void addParamExportToken(const TokenInfoObj& token);
    void addParamExportToken(TokenInfoObj&& token);
    unsigned int getTokenListSize() const;
    bool isValidTokenIndex(unsigned int index) const;
    const TokenInfoObj* getTokenObj(unsigned int index) const;
    // Never null.
    const ParamObj* exportParamObj() const;

  private:
    // The parser builds each parameter where it will stay (see GroupComObj).
    friend class UniversalParser;
    ParamObj& emplaceParamObj(const TokenInfoObj& keyword, const std::string& extName);
    void judgeLastParam();
    // Whether destroying the subcommand would free nothing: no heap block in its name, its
    // parameters or its leading value. A group judges each finished subcommand so.
    friend class GroupComObj;
    bool freesNothing() const;

    std::string mSubComName;
    int mSubComCount = 0;
    bool mParenUsed = false;
    bool mEqualUsed = false;
    // Whether every parameter but the last frees nothing when destroyed: the list of a
    // subcommand with many parameters is then released without visiting each. The last may
    // still be being filled, so it is judged only once another follows it, and always
    // destroyed.
    bool mPlainParams = true;
    // Most subcommands given have one parameter or none: the first is held inside.
    uparser_detail::InlineList<ParamObj> mParamList;
    // Its name is the subcommand's extended name, held only there.
    ParamObj mExportParam;
};

#endif
