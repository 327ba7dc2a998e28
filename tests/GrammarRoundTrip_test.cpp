// Grammar files against the C++ declarations they come from. The sample grammars and the fuzz
// grammars (every value type, subcommand form and group kind between them) survive writing and
// reading byte for byte; the grammars read from files parse every sample command and every
// input of the parser's fuzz corpus exactly as the declared ones; and the generic procedure
// validates variable lists as the sample procedures do, except where a sample checks more than
// a file can declare.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzGrammars.h"
#include "examples/generic/FileProcedure.h"
#include "examples/generic/SampleGrammars.h"
#include "grammar/grammar.h"
#include "refhost/refhost.h"
#include "support/ParseCommand.h"

namespace {

std::string SourceDir() {
    const char* dir = std::getenv("UPARSER_SOURCE_DIR");
    return dir != nullptr ? dir : "..";
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

upgrammar::GrammarFile Read(const std::string& text) {
    upgrammar::GrammarFile grammar;
    upgrammar::GrammarError error;
    EXPECT_TRUE(upgrammar::ReadGrammar(text, "g.json", grammar, error)) << error.text();
    return grammar;
}

// The commands of the demo file and every input of the command-text fuzz corpus.
const std::vector<std::string>& CommandTexts() {
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> all;
        for (const refhost::CommandText& command :
             refhost::SplitCommands(ReadFile(SourceDir() + "/examples/demo.syntax"))) {
            all.push_back(command.text);
        }
        for (const auto& entry :
             std::filesystem::directory_iterator(SourceDir() + "/fuzz/corpus/parse_command")) {
            all.push_back(ReadFile(entry.path().string()));
        }
        // Parentheses where the grammar forbids them, which the corpus does not reach.
        all.push_back("SKETCH age /FORMAT DIGITS(2).");
        return all;
    }();
    return texts;
}

std::string Texts(const ParamObj& value) {
    std::vector<TokenInfoObj> tokens;
    value.getTokenList(tokens);
    std::string text;
    for (const TokenInfoObj& token : tokens) {
        text += " " + std::to_string(token.getType()) + ":" + token.getString();
    }
    return text;
}

std::string Dump(ParamObj value) {
    return value.getParamName() + "/" + std::to_string(value.getType()) +
           (value.areParenUsed() ? "()" : "") + (value.areBracketsUsed() ? "[]" : "") +
           Texts(value);
}

// Everything the parse put into the tree, as text.
std::string Dump(const CommandSpec& spec) {
    std::ostringstream out;
    for (unsigned g = 0; g < spec.getGroupListSize(); ++g) {
        const GroupComObj& group = *spec.getGroupObj(g);
        out << (group.isGroupGlobal() ? "\nglobal" : "\ngroup");
        for (unsigned s = 0; s < group.getSubComListSize(); ++s) {
            const SubComObj& sub = *group.getSubComObj(s);
            out << "\n /" << sub.getSubComExtName() << " #" << sub.getSubComCount()
                << (sub.areParenUsed() ? " ()" : "") << (sub.isEqualUsed() ? " =" : "") << " "
                << Dump(*sub.exportParamObj());
            for (unsigned p = 0; p < sub.getParamListSize(); ++p) {
                out << "\n  " << Dump(*sub.getParamObj(p));
            }
        }
    }
    return out.str();
}

std::string Outcome(const std::string& text, const CommandDescriptor& grammar) {
    const testsupport::ParseOutcome parsed = testsupport::ParseCommand(text, &grammar);
    std::string outcome = std::to_string(parsed.code) + Dump(parsed.spec);
    for (const std::string& message : parsed.texts()) {
        outcome += "\n" + message;
    }
    return outcome;
}

upgrammar::GrammarFile FuzzGrammarFile() {
    upgrammar::GrammarFile file;
    for (const CommandDescriptor& grammar : fuzzsupport::FuzzGrammars()) {
        file.commands.push_back({grammar, "", {}});
    }
    return file;
}

TEST(GrammarRoundTrip, ShippedFilesAreUpToDateAndWriteBackByteForByte) {
    for (const examples::Procedure* procedure : examples::AllProcedures()) {
        SCOPED_TRACE(procedure->name());
        const std::string file =
            ReadFile(SourceDir() + "/" + examples::SampleGrammarPath(*procedure));
        EXPECT_EQ(upgrammar::WriteGrammar(examples::SampleGrammar(*procedure)), file)
            << "regenerate with: upgrammar --samples .";
    }
    for (const auto& entry :
         std::filesystem::directory_iterator(SourceDir() + "/examples/grammars")) {
        const std::string file = ReadFile(entry.path().string());
        EXPECT_EQ(upgrammar::WriteGrammar(Read(file)), file) << entry.path();
    }
    const std::string fuzz = upgrammar::WriteGrammar(FuzzGrammarFile());
    EXPECT_EQ(upgrammar::WriteGrammar(Read(fuzz)), fuzz);
}

TEST(GrammarRoundTrip, FileGrammarsParseEveryCommandAsTheDeclaredOnes) {
    std::vector<const CommandDescriptor*> declared;
    std::vector<upgrammar::GrammarFile> files;
    for (const examples::Procedure* procedure : examples::AllProcedures()) {
        declared.push_back(&procedure->grammar());
        files.push_back(
            Read(ReadFile(SourceDir() + "/" + examples::SampleGrammarPath(*procedure))));
    }
    for (const CommandDescriptor& grammar : fuzzsupport::FuzzGrammars()) {
        declared.push_back(&grammar);
    }
    files.push_back(Read(upgrammar::WriteGrammar(FuzzGrammarFile())));
    std::vector<const CommandDescriptor*> read;
    for (const upgrammar::GrammarFile& file : files) {
        for (const upgrammar::CommandGrammar& command : file.commands) {
            read.push_back(&command.descriptor);
        }
    }
    ASSERT_EQ(read.size(), declared.size());

    std::map<int, int> codes;
    for (const std::string& text : CommandTexts()) {
        for (std::size_t g = 0; g < declared.size(); ++g) {
            const std::string expected = Outcome(text, *declared[g]);
            ASSERT_EQ(Outcome(text, *read[g]), expected)
                << declared[g]->getCommandName() << " on: " << text;
            ++codes[std::stoi(expected)];
        }
    }
    // The comparison saw successes and the failures of every rule of the engine.
    for (int code : {0, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}) {
        EXPECT_GT(codes[code], 0) << "no parse ended with code " << code;
    }
}

const refhost::Dictionary& Sample() {
    static const refhost::Dictionary data =
        refhost::Dictionary::fromCsv(SourceDir() + "/examples/data/sample.csv");
    return data;
}

// What a run leaves for the user: its stage, messages, stop and accepted lists.
std::string RunOutcome(const examples::Procedure& procedure, const std::string& text) {
    refhost::TextTokenSequence tokens(text);
    refhost::MessageLog log;
    const examples::RunResult result = procedure.run(tokens, Sample());
    std::ostringstream out;
    out << result.parseCode << " stage " << static_cast<int>(result.stage) << " stop "
        << result.stopToken.getLineNumber() << ":" << result.stopToken.getColumn() << " "
        << result.stopToken.getString() << " in /" << result.stopSubCommand << " "
        << result.stopParameter;
    for (const refhost::Emitted& message : log.messages()) {
        out << "\n" << message.level << " " << message.text;
    }
    for (const examples::VariableList& list : result.variables) {
        out << "\nlist /" << list.subCommand << " " << list.parameter << ":";
        for (const std::string& name : list.names) {
            out << " " << name;
        }
        for (const auto& [qualifier, value] : list.qualifiers) {
            out << " " << qualifier << "=" << value;
        }
    }
    return out.str();
}

bool StartsWith(const std::string& text, const char* start) {
    return text.rfind(start, 0) == 0;
}

// Where a sample procedure checks more than a grammar file can declare: a command that shows
// it, and how the two outcomes differ there.
struct NamedDifference {
    const char* procedure;
    const char* example;
    bool (*explains)(const std::string& sample, const std::string& generic);
};

const NamedDifference kDifferences[] = {
    // SPROUT names the CODING list after its subcommand as if it were a parameter; the file's
    // check belongs to the subcommand's nameless value, so its messages name no parameter.
    {"SPROUT", "SPROUT spend BY region /CODING nosuch (EFFECT).",
     [](const std::string& sample, const std::string& generic) {
         std::string renamed = sample;
         const std::string from = "parameter CODING of subcommand ";
         for (std::size_t at = renamed.find(from); at != std::string::npos;
              at = renamed.find(from, at)) {
             renamed.replace(at, from.size(), "subcommand ");
         }
         return renamed == generic;
     }},
    // Parameters that exclude each other, and one that may not be below another, are rules
    // of the procedure that no grammar file declares.
    {"BUCKET", "BUCKET zone /MAP region ; 1 10 /OTHERWISE VALUE = 1 COPY.",
     [](const std::string& sample, const std::string& generic) {
         return sample.find(
                    "Parameter COPY of subcommand OTHERWISE cannot be used with "
                    "parameter VALUE") != std::string::npos &&
                StartsWith(generic, "0 stage 0");
     }},
    {"TRACE", "TRACE score1 /RANGE LOW(5) HIGH(1).",
     [](const std::string& sample, const std::string& generic) {
         return sample.find("Parameter HIGH cannot be less than LOW, subcommand RANGE") !=
                    std::string::npos &&
                StartsWith(generic, "0 stage 0");
     }},
};

TEST(GrammarRoundTrip, FileProceduresValidateAsTheSampleProcedures) {
    std::vector<std::string> texts = CommandTexts();
    for (const NamedDifference& difference : kDifferences) {
        texts.push_back(difference.example);
    }
    std::map<std::string, int> explained;
    std::map<int, int> stages;
    for (const examples::Procedure* sample : examples::AllProcedures()) {
        const examples::FileProcedure generic(
            Read(ReadFile(SourceDir() + "/" + examples::SampleGrammarPath(*sample)))
                .commands.front());
        for (const std::string& text : texts) {
            const std::string expected = RunOutcome(*sample, text);
            const std::string found = RunOutcome(generic, text);
            ++stages[std::stoi(expected.substr(expected.find("stage ") + 6))];
            if (found == expected) {
                continue;
            }
            bool named = false;
            for (const NamedDifference& difference : kDifferences) {
                if (sample->name() == difference.procedure &&
                    difference.explains(expected, found)) {
                    named = true;
                    ++explained[difference.procedure];
                }
            }
            EXPECT_TRUE(named) << sample->name() << " on: " << text << "\nsample:  " << expected
                               << "\ngeneric: " << found;
        }
    }
    for (const NamedDifference& difference : kDifferences) {
        EXPECT_GT(explained[difference.procedure], 0) << difference.example;
    }
    // Both validated and refused commands were compared.
    EXPECT_GT(stages[static_cast<int>(examples::Stage::Done)], 30);
    EXPECT_GT(stages[static_cast<int>(examples::Stage::Validation)], 500);
}

}  // namespace
