// Token lists through the variable-list validators over a small dictionary, the fuzzer's own or
// one it builds (names, measurement levels, formats and string widths of any value): every
// validator must answer, keep its list and its membership flags in step, stay inside the
// dictionary and never stop the host. The host's value conversion now and then fails, writes
// what it should not or throws, and so does the dictionary: what a host service throws passes
// through and leaks nothing. A long list costs work in proportion to its length.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "FuzzCheck.h"
#include "FuzzSupport.h"
#include "refhost/Dictionary.h"
#include "refhost/MessageLog.h"
#include "refhost/ValueConversion.h"
#include "support/ConversionFaults.h"
#include "support/HostFaults.h"
#include "uparser/ParamDescriptor.h"
#include "uparser/ParamObj.h"
#include "uparser/VarSpecObj.h"

namespace {

using namespace UPSpecTypes;
using fuzzsupport::ByteReader;
using testsupport::Conversion;

// Dictionary calls and allocations of one list, per token and per variable of the dictionary:
// far above what a validator needs and far below what rescanning the list costs.
constexpr long kWorkPerTokenAndVariable = 64;

// The accepted list and the membership flags agree, every index names a variable, and only
// RepeatVarsKeep may hold an index twice.
void CheckList(const VarSpecObj& spec, const TAVO_DataSource& dictionary, bool mayRepeat) {
    const int columns = static_cast<int>(dictionary.ColumnCount());
    const std::vector<int>& list = spec.GetValidVarList();
    std::vector<bool> seen(static_cast<std::size_t>(columns), false);
    std::size_t distinct = 0;
    for (const int index : list) {
        FUZZ_CHECK(index >= 0 && index < columns);
        FUZZ_CHECK(spec.IsValidVariable(index));
        if (seen[static_cast<std::size_t>(index)]) {
            FUZZ_CHECK(mayRepeat);
        } else {
            seen[static_cast<std::size_t>(index)] = true;
            ++distinct;
        }
    }
    std::size_t flagged = 0;
    for (int index = 0; index < columns; ++index) {
        flagged += spec.IsValidVariable(index) ? 1 : 0;
    }
    FUZZ_CHECK(flagged == distinct);
    FUZZ_CHECK(!spec.IsValidVariable(-1) && !spec.IsValidVariable(columns));
    FUZZ_CHECK(spec.GetNValidVars() == static_cast<int>(list.size()));
    FUZZ_CHECK(spec.GetValidVarInd() == (list.size() == 1 ? list[0] : -1));
}

VarSpecObj MakeSpec(ByteReader& in, const TAVO_DataSource* dictionary) {
    VarSpecObj spec(in.chance(80) ? "VARIABLES" : "", in.chance(80) ? "TABLES" : "", "FUZZ",
                    dictionary, in.chance(30));
    spec.SetAllowQualifiers(in.chance(60));
    spec.SetErrorReport(in.chance(85));
    spec.SetAllVarsByDefault(in.chance(25));
    if (in.chance(20)) {
        spec.SetNoVarsMessage("Nothing is left of ^1...");
    }
    return spec;
}

RepeatVarOptions ReadRepeat(ByteReader& in) {
    return static_cast<RepeatVarOptions>(in.pick(4));
}

MessageLevels ReadLevel(ByteReader& in) {
    // Any value other than 0 and 2 acts as an error.
    return static_cast<MessageLevels>(in.chance(90) ? in.pick(3) : in.pick(200));
}

// Split the qualifier list of a list that has variables, by a few distinct names.
void SplitQualifiers(const VarSpecObj& spec, ByteReader& in) {
    if (spec.GetNValidVars() == 0) {
        return;
    }
    static const std::vector<std::string> all = {"x", "Y", "level", "Q", "VALUE"};
    std::vector<std::string> names;
    for (const std::string& name : all) {
        if (in.chance(60)) {
            names.push_back(name);
        }
    }
    if (names.empty()) {
        names.push_back("x");
    }
    std::vector<TokenInfoObj> values;
    spec.SplitQualValues(names, values);
    FUZZ_CHECK(values.size() == names.size());
}

void ReadCategoryValue(const VarSpecObj& spec, ByteReader& in) {
    if (spec.GetValidVarList().size() != 1) {
        return;
    }
    static const std::vector<std::string> texts = {
        "3", "2.5", "ABCDE", "", "-1e3", "abc", "12345678901234567890123456789012345678901"};
    const std::string text =
        in.chance(70) ? texts[in.pick(static_cast<unsigned>(texts.size()))] : in.bytes(48);
    // The buffer is the caller's whatever happens, a conversion that throws included.
    struct Cells {
        OBS* obs = nullptr;
        ~Cells() { VarSpecObj::ReleaseOBS(obs); }
    } cells;
    TAVO_Format format{};
    spec.ValidateCatValue(text, cells.obs, format);
    spec.ValidateCatValue(text, cells.obs, format);  // the second call releases the first buffer
    VarSpecObj::ReleaseOBS(cells.obs);
    FUZZ_CHECK(cells.obs == nullptr);
}

void Compare(VarSpecObj& left, const VarSpecObj& right, ByteReader& in,
             const TAVO_DataSource& dictionary) {
    std::vector<int> common;
    const int count = left.GetCommonVars(right, common);
    FUZZ_CHECK(count == static_cast<int>(common.size()));
    FUZZ_CHECK(left.CheckCommonVars(right) == (count == 0 || &left == &right));
    left.CheckVarListSubset(right);
    if (in.chance(50)) {
        left.ExcludeCommonVars(right, ReadLevel(in));
        for (const int index : right.GetValidVarList()) {
            FUZZ_CHECK(&left == &right || !left.IsValidVariable(index));
        }
    }
    left.ReorderValidVarList();
    FUZZ_CHECK(std::is_sorted(left.GetValidVarList().begin(), left.GetValidVarList().end()));
    CheckList(left, dictionary, true);
}

// The host's value conversion as the bytes choose, for the life of the object.
class ConversionFaults {
  public:
    explicit ConversionFaults(ByteReader& in) {
        switch (in.pick(24)) {
            case 0:
                testsupport::SetToString(Conversion::Fails);
                break;
            case 1:
                testsupport::SetToString(Conversion::WritesStars);
                break;
            case 2:
                testsupport::SetConversionText(in.bytes(5));
                testsupport::SetToString(Conversion::WritesText);
                break;
            case 3:
                testsupport::SetToString(Conversion::Throws);
                break;
            case 4:
                testsupport::SetFromString(Conversion::Fails);
                break;
            case 5:
                testsupport::SetFromString(Conversion::Throws);
                break;
            case 6:
                refhost::SetDecimalCharacter(",;*x"[in.pick(4)]);
                break;
            default:
                break;
        }
    }
    ~ConversionFaults() {
        testsupport::SetToString(Conversion::Host);
        testsupport::SetFromString(Conversion::Host);
        refhost::SetDecimalCharacter('.');
    }
    ConversionFaults(const ConversionFaults&) = delete;
    ConversionFaults& operator=(const ConversionFaults&) = delete;
};

void CheckLinearWork(ByteReader& in, const std::vector<TokenInfoObj>& tokens,
                     const testsupport::FaultyDataSource& source) {
    VarSpecObj spec = MakeSpec(in, &source);
    const long calls = source.calls();
    const fuzzsupport::AllocationCounter allocations;
    spec.ValidateVariables(tokens, ReadRepeat(in));
    const long work = source.calls() - calls + allocations.count();
    const long size = static_cast<long>(tokens.size() + 1) * (source.ColumnCount() + 1);
    FUZZ_CHECK(work <= kWorkPerTokenAndVariable * size);
}

void Exercise(ByteReader& in, const std::vector<TokenInfoObj>& tokens,
              const TAVO_DataSource& source, const refhost::Dictionary& dictionary) {
    const int count = static_cast<int>(tokens.size());
    // The plain list under every repeat option, then from a position with a keyword.
    std::vector<VarSpecObj> lists;
    for (int repeat = RepeatVarsError; repeat <= RepeatVarsKeep; ++repeat) {
        VarSpecObj spec = MakeSpec(in, &source);
        spec.ValidateVariables(tokens, static_cast<RepeatVarOptions>(repeat));
        CheckList(spec, dictionary, repeat == RepeatVarsKeep);
        SplitQualifiers(spec, in);
        ReadCategoryValue(spec, in);
        lists.push_back(spec);
    }
    {
        VarSpecObj spec = MakeSpec(in, &source);
        int pos = static_cast<int>(in.pick(static_cast<unsigned>(count) + 1));
        static const char* const words[] = {nullptr, "", "BY", "WITH"};
        const RepeatVarOptions repeat = ReadRepeat(in);
        spec.ValidateVariables(tokens, repeat, pos, words[in.pick(4)], in.chance(50));
        FUZZ_CHECK(pos >= 0 && pos <= count);
        CheckList(spec, dictionary, repeat == RepeatVarsKeep);
    }

    // Other lists of the command that exclude variables: some of the lists above, the object
    // itself and null entries.
    std::vector<const VarSpecObj*> others;
    for (const VarSpecObj& list : lists) {
        if (in.chance(25)) {
            others.push_back(&list);
        }
    }
    if (in.chance(10)) {
        others.push_back(nullptr);
    }

    // dependents BY factors WITH covariates, both forms.
    for (int form = 0; form < 3; ++form) {
        VarSpecObj dependents = MakeSpec(in, &source);
        VarSpecObj factors = MakeSpec(in, &source);
        VarSpecObj covariates = MakeSpec(in, &source);
        std::vector<const VarSpecObj*> mine = others;
        if (in.chance(10)) {
            mine.push_back(&dependents);
        }
        const RepeatVarOptions repeat = ReadRepeat(in);
        if (form == 0) {
            dependents.ValidateRegrMDVarList(tokens, factors, covariates, repeat, mine);
        } else if (form == 1) {
            std::vector<ParamObj> quals;
            const ParamDescriptor qualDesc = fuzzsupport::ReadDescriptor(in, 1);
            dependents.ValidateRegrMDVarList(tokens, factors, covariates, repeat, mine, quals,
                                             in.chance(50) ? &qualDesc : nullptr);
            if (dependents.GetValidVarList().size() == quals.size()) {
                CheckList(dependents, dictionary, false);
            }
        } else if (!tokens.empty()) {
            dependents.ValidateRegrVarList(tokens, factors, covariates, repeat,
                                           mine.empty() ? nullptr : mine.front());
        }
        const bool keep = repeat == RepeatVarsKeep;
        CheckList(dependents, dictionary, keep);
        CheckList(factors, dictionary, keep);
        CheckList(covariates, dictionary, keep);
        // Factors, covariates or both; never neither, which the caller may not ask.
        const unsigned which = in.pick(3);
        dependents.CheckFactAndCovar(which != 1 ? &factors : nullptr,
                                     which != 0 ? &covariates : nullptr);
        // BY and WITH now end lists on these objects; a plain list must still hold together.
        int pos = 0;
        factors.ValidateVariables(tokens, repeat, pos, "BY", true);
        CheckList(factors, dictionary, keep);
        SplitQualifiers(factors, in);
    }

    // Blocks, and single variables each with their own qualifiers.
    if (!tokens.empty()) {
        const VarSpecObj spec = MakeSpec(in, &source);
        std::vector<VarSpecObj> blocks;
        spec.ValidateVarBlocksAndQuals(tokens, blocks, others);
        FUZZ_CHECK(spec.GetNValidVars() == 0);
        std::vector<int> owner(dictionary.ColumnCount(), -1);
        for (std::size_t b = 0; b < blocks.size(); ++b) {
            FUZZ_CHECK(blocks[b].GetNValidVars() > 0);
            CheckList(blocks[b], dictionary, false);
            for (const int index : blocks[b].GetValidVarList()) {
                // A variable named in two blocks stays only in the later one.
                FUZZ_CHECK(owner[static_cast<std::size_t>(index)] < 0);
                owner[static_cast<std::size_t>(index)] = static_cast<int>(b);
            }
            SplitQualifiers(blocks[b], in);
        }
    }
    {
        VarSpecObj spec = MakeSpec(in, &source);
        std::vector<ParamObj> quals;
        const ParamDescriptor qualDesc = fuzzsupport::ReadDescriptor(in, 1);
        if (in.chance(50)) {
            spec.ValidateVarsAndQuals(tokens, quals, others, in.chance(50) ? &qualDesc : nullptr);
        } else {
            spec.ValidateVarsAndQuals(tokens, quals, in.chance(50) ? &qualDesc : nullptr,
                                      others.empty() ? nullptr : others.front());
        }
        CheckList(spec, dictionary, false);
        FUZZ_CHECK(quals.size() == spec.GetValidVarList().size());
    }

    // The whole dictionary, the set operations between lists, copies and new names.
    {
        VarSpecObj all = MakeSpec(in, &source);
        VarSpecObj continuous = all;
        switch (in.pick(3)) {
            case 0:
                all.ValidateAllVars(others, ReadLevel(in));
                break;
            case 1:
                all.ValidateAllVars(in.chance(50), others, ReadLevel(in));
                break;
            default:
                all.ValidateAllVars(continuous, others, ReadLevel(in));
                break;
        }
        CheckList(all, dictionary, false);
        CheckList(continuous, dictionary, false);
        VarSpecObj& left = lists[in.pick(static_cast<unsigned>(lists.size()))];
        Compare(left, all, in, dictionary);
        Compare(all, left, in, dictionary);
        Compare(left, left, in, dictionary);
        VarSpecObj copy;
        copy = left;
        CheckList(copy, dictionary, true);
    }
    if (!tokens.empty()) {
        const VarSpecObj spec = MakeSpec(in, &source);
        const TavoVarName root(tokens[0].getString());
        TavoVarName name;
        if (spec.NewVarNameByRoot(root, name)) {
            FUZZ_CHECK(dictionary.FindVarIndex(name.c_str()) < 0);
        }
        std::vector<TavoVarName> names;
        const int wanted = static_cast<int>(in.pick(24));
        if (spec.NewVarNamesByRoot(root, wanted, names)) {
            FUZZ_CHECK(static_cast<int>(names.size()) == wanted);
            for (const TavoVarName& made : names) {
                FUZZ_CHECK(dictionary.FindVarIndex(made.c_str()) < 0);
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const refhost::Dictionary full = fuzzsupport::FuzzDictionary();
    static const refhost::Dictionary empty;

    ByteReader in(data, size);
    const unsigned which = in.pick(8);
    const refhost::Dictionary made =
        which == 1 || which == 2 ? fuzzsupport::ReadDictionary(in) : refhost::Dictionary();
    const refhost::Dictionary& dictionary = which == 0 ? empty : which <= 2 ? made : full;
    const ConversionFaults conversion(in);
    testsupport::FaultyDataSource source(dictionary);
    const long throwAt = in.pick(16) == 0 ? 1 + in.pick(255) : 0;
    const std::vector<TokenInfoObj> tokens =
        fuzzsupport::Snapshots(in.pick(8) == 0 ? fuzzsupport::ReadAllRawTokens(in, 40000)
                                               : fuzzsupport::ReadRawTokens(in, 32));
    refhost::MessageLog log;
    try {
        CheckLinearWork(in, tokens, source);
        source.throwAt(throwAt);
        Exercise(in, tokens, source, dictionary);
    } catch (const testsupport::HostFault&) {
        // Passed through unchanged; the objects it unwound must have left no leak.
    }
    return 0;
}
