#include "uparser/ParserMessage.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "refhost/refhost.h"
#include "support/Messages.h"

namespace {

using ParserMessageTest = testsupport::MessageTest;

TEST_F(ParserMessageTest, DefaultsAndSetters) {
    ParserMessage message;
    EXPECT_STREQ(message.GetCommandName(), "");
    EXPECT_STREQ(message.GetProcedureTitle(), "");
    EXPECT_EQ(message.GetGroupIndex(), -1);
    EXPECT_STREQ(message.GetGroupMsgText(), "");
    EXPECT_STREQ(message.GetGroupSepName(), "");

    message.SetCommandName("GAUGE");
    message.SetGroupSepName("TABLES");
    message.SetGroupMsgText("Table ^1...");
    message.SetProcedureTitle("Gauge");
    message.SetCommandName(nullptr);
    message.SetGroupMsgText(nullptr);
    message.SetGroupSepName(nullptr);
    message.SetProcedureTitle(nullptr);
    EXPECT_STREQ(message.GetCommandName(), "");
    EXPECT_STREQ(message.GetGroupMsgText(), "");
    EXPECT_STREQ(message.GetGroupSepName(), "");
    EXPECT_STREQ(message.GetProcedureTitle(), "");

    EXPECT_EQ(ParserMessage(4).GetGroupIndex(), 4);
    EXPECT_STREQ(ParserMessage(1, nullptr).GetGroupMsgText(), "");
}

TEST_F(ParserMessageTest, NullTextEmitsNothing) {
    ParserMessage message;
    message.SimpleMessage(nullptr, false, "a");
    message.SimpleError(nullptr);
    message.GenericMessage(nullptr, true, "a");
    message.GenericWarning(nullptr);
    EXPECT_TRUE(log.messages().empty());
}

TEST_F(ParserMessageTest, DirectRouteLevelsAndArguments) {
    ParserMessage message;
    message.SimpleError("Got ^1 and ^2...", "x", "y");
    expect(3, "Got x and y...");
    message.SimpleWarning("No arguments...");
    expect(2, "No arguments...");

    // An argument is a value: its own placeholders stay as they are.
    message.SimpleMessage("^1 then ^2...", true, "^2", "b");
    EXPECT_EQ(only().text, "^2 then b...");
}

TEST_F(ParserMessageTest, NullArgumentEndsTheList) {
    ParserMessage message;
    message.SimpleError("Got ^1 and ^2...", nullptr, "y");
    EXPECT_EQ(only().text, "Got ^1 and ^2...");
    message.SimpleError("^1 ^2 ^3 ^4 ^5...", "1", "2", nullptr, "4", "5");
    EXPECT_EQ(only().text, "1 2 ^3 ^4 ^5...");
    message.SimpleError("^1 ^2 ^3 ^4 ^5...", "1", "2", "3", "4", "5");
    EXPECT_EQ(only().text, "1 2 3 4 5...");
    EXPECT_EQ(message.GetTranslatedText("^1 ^2 ^3...", "1", nullptr, "3"), "1 ^2 ^3...");
    EXPECT_EQ(message.GetTranslatedText(nullptr, "1"), "");
}

TEST_F(ParserMessageTest, OutsideAGroupGenericIsSimple) {
    ParserMessage message;
    message.SetGroupSepName("TABLES");
    message.GenericError("Got ^1...", "x");
    const refhost::Emitted generic = only();
    message.SimpleError("Got ^1...", "x");
    const refhost::Emitted simple = only();
    EXPECT_EQ(generic.text, simple.text);
    EXPECT_EQ(generic.level, simple.level);
    EXPECT_EQ(generic.show, simple.show);
}

// The direct route leaves translation to the output service, which knows only the common
// table; the group-aware route translates through the object's own procedure.
TEST_F(ParserMessageTest, RoutesTranslateDifferently) {
    refhost::SetTranslation("", "Common ^1...", "Gemein ^1...");
    refhost::SetTranslation("Gauge", "Own ^1...", "Eigen ^1...");
    ParserMessage message;
    message.SetProcedureTitle("Gauge");

    message.SimpleError("Common ^1...", "x");
    EXPECT_EQ(only().text, "Gemein x...");
    message.SimpleError("Own ^1...", "x");
    EXPECT_EQ(only().text, "Own x...");
    EXPECT_EQ(message.GetTranslatedText("Own ^1...", "x"), "Eigen x...");
    EXPECT_EQ(message.GetTranslatedText("Common ^1...", "x"), "Gemein x...");

    // A default-constructed object has named no procedure: it reads the common table.
    ParserMessage plain;
    EXPECT_EQ(plain.GetTranslatedText("Own ^1...", "x"), "Own x...");
}

TEST_F(ParserMessageTest, LaterGroupGetsTheSeparatorPrefixOnce) {
    refhost::SetTranslation("Gauge", "^1 block ^2...", "Block ^2 von ^1");
    refhost::SetTranslation("", "Subcommand ^1 required...", "Unterbefehl ^1 fehlt...");
    ParserMessage message(2);
    message.SetProcedureTitle("Gauge");
    message.SetGroupSepName("TABLES");

    EXPECT_EQ(message.TranslateGroupMsgText(), "Block 2 von TABLES");
    message.GenericError("Subcommand ^1 required...", "CELLS");
    expect(3, "Block 2 von TABLES. Unterbefehl CELLS fehlt...");

    message.GenericWarning("Plain...");
    EXPECT_EQ(only().level, 2);

    refhost::ClearTranslations();
    message.GenericError("Subcommand ^1 required...", "CELLS");
    EXPECT_EQ(only().text, "TABLES block 2.... Subcommand CELLS required...");
}

TEST_F(ParserMessageTest, FirstGroupOfAKindHasNoSeparatorPrefix) {
    ParserMessage message(0);
    message.SetGroupSepName("TABLES");
    EXPECT_EQ(message.TranslateGroupMsgText(), "");
    message.GenericError("Text...");
    EXPECT_EQ(only().text, "Text...");

    message.SetGroupIndex(1);
    message.SetGroupSepName("");
    EXPECT_EQ(message.TranslateGroupMsgText(), "");
}

TEST_F(ParserMessageTest, DeclaredGroupTextAppliesFromTheFirstGroup) {
    refhost::SetTranslation("", "Model ^1...", "Modell ^1...");
    ParserMessage message(0, "Model ^1...");
    message.SetGroupSepName("MODEL");  // a declared text wins over the separator
    EXPECT_EQ(message.TranslateGroupMsgText(), "Modell 0...");

    message.SetGroupMsgText("Design part...");
    EXPECT_EQ(message.TranslateGroupMsgText(), "Design part...");

    message.SetGroupIndex(-1);
    EXPECT_EQ(message.TranslateGroupMsgText(), "");
}

TEST_F(ParserMessageTest, GroupTextWithOtherPlaceholdersIsReplaced) {
    const std::string invalid =
        "This group info message has invalid format an cannot be displayed...";
    refhost::SetTranslation("", invalid, "translated anyway");  // the fixed text is not looked up
    for (const char* text : {"Model ^2...", "Model ^1 of ^2...", "Caret ^^1..."}) {
        ParserMessage message(3, text);
        EXPECT_EQ(message.TranslateGroupMsgText(), invalid) << text;
    }
    ParserMessage message(3, "Model ^1...");
    message.SetGroupMsgText("Oops ^3");  // recomputed on every change
    message.GenericError("Text...");
    EXPECT_EQ(only().text, invalid + ". Text...");

    // A caret at the very end is never examined.
    EXPECT_EQ(ParserMessage(3, "Model ^").TranslateGroupMsgText(), "Model ^");
}

// Read literally, the group-aware route still emits the prefix when the text is null.
TEST_F(ParserMessageTest, NullTextWithPrefixEmitsThePrefix) {
    ParserMessage message(1, "Group ^1");
    message.GenericError(nullptr, "x");
    EXPECT_EQ(only().text, "Group 1. ");
}

TEST_F(ParserMessageTest, LocationPhrases) {
    refhost::SetTranslation("", "subcommand ^1...", "Unterbefehl ^1");
    ParserMessage message;
    message.SetCommandName("GAUGE");
    EXPECT_EQ(message.GetLocString("P", "S"), "parameter P of subcommand S...");
    EXPECT_EQ(message.GetLocString("", "S"), "Unterbefehl S");
    EXPECT_EQ(message.GetLocString("P", nullptr), "parameter P...");
    EXPECT_EQ(message.GetLocString(nullptr, ""), "command line of GAUGE command...");
    EXPECT_EQ(message.GetLocStringCap("P", "S"), "Parameter P of subcommand S...");
    EXPECT_EQ(message.GetLocStringCap(nullptr, "S"), "Subcommand S...");
    EXPECT_EQ(message.GetLocStringCap("P", ""), "Parameter P...");
    EXPECT_EQ(message.GetLocStringCap("", nullptr), "Command line of GAUGE command...");
}

TEST_F(ParserMessageTest, NameTests) {
    ParserMessage message;
    EXPECT_FALSE(message.IsName(nullptr));
    EXPECT_FALSE(message.IsName(""));
    EXPECT_TRUE(message.IsName("a"));

    EXPECT_TRUE(message.EqualName(nullptr, ""));
    EXPECT_TRUE(message.EqualName(nullptr, nullptr));
    EXPECT_FALSE(message.EqualName("abc", nullptr));
    EXPECT_FALSE(message.EqualName("", "abc"));
    EXPECT_TRUE(message.EqualName("abc", "ABC"));
    EXPECT_FALSE(message.EqualName("abc", "abd"));
    EXPECT_FALSE(message.EqualName("ABC", "ABC "));

    EXPECT_TRUE(message.EqualLocation("p", nullptr, "P", ""));
    EXPECT_FALSE(message.EqualLocation("p", "s", "p", "t"));
    EXPECT_FALSE(message.EqualLocation("p", "s", "q", "s"));
}

TEST_F(ParserMessageTest, CopiesOwnTheirDictionaries) {
    refhost::SetTranslation("A", "Key...", "from A");
    refhost::SetTranslation("B", "Key...", "from B");
    auto original = std::make_unique<ParserMessage>(5, "Group ^1");
    original->SetCommandName("CMD");
    original->SetGroupSepName("SEP");
    original->SetProcedureTitle("A");

    ParserMessage copy(*original);
    EXPECT_STREQ(copy.GetCommandName(), "CMD");
    EXPECT_EQ(copy.GetGroupIndex(), 5);
    EXPECT_STREQ(copy.GetGroupMsgText(), "Group ^1");
    EXPECT_STREQ(copy.GetGroupSepName(), "SEP");
    EXPECT_EQ(copy.GetTranslatedText("Key..."), "from A");

    copy.SetProcedureTitle("B");
    EXPECT_EQ(copy.GetTranslatedText("Key..."), "from B");
    EXPECT_EQ(original->GetTranslatedText("Key..."), "from A");

    ParserMessage assigned;
    assigned = *original;
    EXPECT_EQ(assigned.GetTranslatedText("Key..."), "from A");
    EXPECT_EQ(assigned.TranslateGroupMsgText(), "Group 5");

    original.reset();
    EXPECT_EQ(copy.GetTranslatedText("Key..."), "from B");
    EXPECT_EQ(assigned.GetTranslatedText("Key..."), "from A");

    ParserMessage& self = assigned;
    assigned = self;
    EXPECT_STREQ(assigned.GetCommandName(), "CMD");
    EXPECT_EQ(assigned.GetTranslatedText("Key..."), "from A");
}

}  // namespace
