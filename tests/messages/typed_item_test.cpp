// What the author types into the message editor: names that become keys, texts that become values,
// and typed work that a command would drop.
#include "messages/typed_text.h"
#include "tests/messages/message_editor_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zelmora::messages::testing {
namespace {

using platform::Answer;
using Strings = std::vector<std::string>;

TEST(TypedText, NamesThatCannotBecomeKeysSayWhichCharacterAndWhy) {
  struct Case {
    const char* name;
    const char* refusal;  // empty: accepted
  };
  for (const Case& c : {
           Case{"Cave", ""},
           Case{"Dark Cave", ""},
           Case{"Bad=1", "A name cannot contain \"=\": it ends the name of a key in the file."},
           Case{"Tun*nel", "A name cannot contain \"*\": it starts a code when the script is read."},
           Case{"Pit^EN", "A name cannot contain \"^\": it starts an upgrade code when the script is read."},
           Case{" Cave", "A name cannot begin or end with a blank: the file's reader drops it."},
           Case{"Cave ", "A name cannot begin or end with a blank: the file's reader drops it."},
       }) {
    EXPECT_EQ(KeyNameProblem(c.name).value_or(""), c.refusal) << c.name;
  }
  // A box that stores each keystroke lets a blank through at the end: the next word may follow.
  EXPECT_FALSE(KeyNameProblem("Dark ", true));
  EXPECT_TRUE(KeyNameProblem("Dark=", true));
}

TEST(TypedText, TextsAreRefusedWhereTheirReaderWouldCutThem) {
  struct Case {
    const char* text;
    TextUse use;
    const char* refused;  // the quoted character the refusal names; empty: accepted
  };
  for (const Case& c : {
           Case{"Enter the hall*SFA", TextUse::MessageText, "\"*\""},
           Case{"Enter the hall*SFA", TextUse::RoomText, "\"*\""},
           Case{"Power^EN up", TextUse::MessageText, "\"^\""},
           Case{"Power^EN up", TextUse::RoomText, ""},  // a room's text keeps its upgrade codes
           Case{"%AN greet you", TextUse::MessageText, ""},
           Case{"%AN greet you", TextUse::RoomText, "\"%\""},
           Case{"%AN greet you", TextUse::ResponseText, "\"%\""},
           Case{"$5 a barrel$ is the price", TextUse::ResponseText, "\"$\""},
           Case{"$5 a barrel$ is the price", TextUse::RoomText, ""},
           Case{"Port $5", TextUse::Title, "\"$\""},
           Case{"Star*Base", TextUse::Title, "\"*\""},
           Case{"Verdance Port", TextUse::Title, ""},
           // a line break would end the value and start a key of its own in the file
           Case{"Hello\r\nMessages=99", TextUse::MessageText, "line break"},
           Case{"Two\nlines", TextUse::RoomText, "line break"},
           Case{"Two\nlines", TextUse::Info, "line break"},
           Case{"Tab\tand *^$ kept", TextUse::Info, ""},  // the information text holds no codes
       }) {
    const auto problem = TextProblem(c.text, c.use);
    if (*c.refused == '\0') {
      EXPECT_FALSE(problem) << c.text;
    } else {
      ASSERT_TRUE(problem) << c.text;
      EXPECT_NE(problem->find(c.refused), std::string::npos) << *problem;
    }
  }
}

struct TypedItemTest : ::testing::Test, EditorFixture {
  std::string Descriptor() const { return demo.game.ReadDescriptor("4Tessaly", ".edt"); }
};

TEST_F(TypedItemTest, MessagesStartingLikeACodeReadBackAsTyped) {
  editor.Open(2, true);
  editor.TypeGroup("Trade");
  ASSERT_TRUE(editor.AddGroup());
  for (const std::string text : {"%AN greet you", "$5 a barrel$ is the price"}) {
    editor.New();
    editor.TypeText(text);
    ASSERT_TRUE(editor.Save());
  }
  // Read back from the file, whose reader trims what it stores: the editor opened afresh.
  editor.Close();
  editor.Open(1, true);
  editor.Close();
  editor.Open(2, true);
  editor.TypeGroup("Trade");
  ASSERT_TRUE(editor.AddGroup());
  EXPECT_EQ(editor.Lines(), (Strings{"%AN greet you", "$5 a barrel$ is the price"}));
  for (int line : {0, 1}) {
    editor.SelectLine(line);
    EXPECT_EQ(editor.Text(), editor.Lines()[static_cast<std::size_t>(line)]);
    EXPECT_EQ(editor.Pane().display, 0);  // still the standard title
    EXPECT_TRUE(editor.Actions().lines.empty());
  }
  const std::string stored = Key("MessageTrade1");
  editor.SelectLine(0);
  editor.Edit();
  editor.Save();
  EXPECT_EQ(Key("MessageTrade1"), stored);  // saving unchanged changes nothing
}

TEST_F(TypedItemTest, TextsThatWouldTurnIntoCodesAreRefusedOnSaving) {
  editor.Open(2, true);
  const std::string before = Descriptor();
  editor.New();
  editor.TypeText("Enter the hall*SFA");
  EXPECT_FALSE(editor.Save());
  EXPECT_EQ(demo.prompter.Texts().back(), "A text cannot contain \"*\": it starts a code when the script is read.");
  EXPECT_EQ(Descriptor(), before);
  EXPECT_EQ(editor.EditState(), -1);

  // A response has no title to shield a leading "%"; behind a box marker it is kept.
  editor.Cancel();
  editor.SelectDirection(Direction::Response);
  editor.New();
  editor.TypeText("%AN, we come in peace.");
  EXPECT_FALSE(editor.Save());
  EXPECT_NE(demo.prompter.Texts().back().find("\"%\""), std::string::npos);
  editor.SetDisplay(DisplayKind::Box);
  EXPECT_TRUE(editor.Save());
}

TEST_F(TypedItemTest, TypedChangesAreNotDroppedWithoutAQuestion) {
  editor.Open(2, true);
  const std::string before = Descriptor();
  // Cancel keeps the edit and the window; No drops it as before; Yes saves it.
  editor.New();
  editor.TypeText("We have a deal.");
  demo.prompter.Answer(Answer::Cancel);
  EXPECT_FALSE(editor.Close());
  EXPECT_FALSE(view.hidden);
  EXPECT_EQ(editor.Text(), "We have a deal.");
  EXPECT_EQ(demo.prompter.Calls().back().text, "Save the changes to this item?");
  EXPECT_EQ(demo.prompter.Calls().back().buttons, platform::Buttons::YesNoCancel);

  demo.prompter.Answer(Answer::Cancel);
  EXPECT_FALSE(editor.SelectDirection(Direction::Response));
  EXPECT_EQ(view.frame.direction, Direction::Message);
  demo.prompter.Answer(Answer::Cancel);
  EXPECT_FALSE(editor.ChooseGroup(GroupIndex("Peace")));
  EXPECT_EQ(view.groupBox.text, "INIT");
  demo.prompter.Answer(Answer::Cancel);
  editor.TypeGroup("Peace");
  EXPECT_EQ(view.groupBox.text, "INIT");
  demo.prompter.Answer(Answer::Cancel);
  editor.GoToItem(Direction::Message, "Peace", 1);
  EXPECT_EQ(editor.Text(), "We have a deal.");
  EXPECT_EQ(Descriptor(), before);

  demo.prompter.Answer(Answer::Yes);
  EXPECT_TRUE(editor.ChooseGroup(GroupIndex("Peace")));
  EXPECT_EQ(Key("Message" + std::to_string(std::stoi(Key("Messages")))), "We have a deal.");
  EXPECT_EQ(view.frame.caption, "Message Level: Peace");

  editor.SelectLine(0);
  editor.Edit();
  editor.TypeText("Changed.");
  demo.prompter.Answer(Answer::No);
  const std::string saved = Descriptor();
  EXPECT_TRUE(editor.Close());
  EXPECT_TRUE(view.hidden);
  EXPECT_EQ(Descriptor(), saved);

  // Nothing typed: nothing asked, as before.
  const std::size_t asked = demo.prompter.Calls().size();
  editor.Open(2, true);
  editor.New();
  editor.SelectDirection(Direction::Response);
  editor.SelectLine(0);
  editor.Edit();
  editor.TypeText("Changed, then changed back.");
  editor.TypeText(editor.Lines()[0]);
  EXPECT_TRUE(editor.Close());
  EXPECT_EQ(demo.prompter.Calls().size(), asked);
}

TEST_F(TypedItemTest, GoToAnswerWaitsForASelectedLine) {
  editor.Open(2, true);
  editor.SelectLine(0);
  EXPECT_TRUE(view.buttons.go);
  editor.New();
  EXPECT_FALSE(view.buttons.go);
  editor.TypeAnswer("Lore");
  editor.GoToAnswer();  // not offered: nothing happens to the typed item
  EXPECT_EQ(view.frame.direction, Direction::Message);
  EXPECT_EQ(editor.EditState(), -1);
}

TEST_F(TypedItemTest, AddGroupReadsWhatTheFileHoldsUnderTheName) {
  Put("MessagesOrphan", "2");
  Put("MessageOrphan1", "Nobody leads here.");
  Put("MessageOrphan2", "Go deeper.*RDeep");
  Put("ResponsesDeep", "1");
  Put("ResponseDeep1", "Dig.*MBottom");
  editor.Open(2, true);
  EXPECT_EQ(GroupIndex("Orphan"), -1);
  editor.TypeGroup("Orphan");
  ASSERT_TRUE(editor.AddGroup());
  EXPECT_EQ(view.lines, (Strings{"Nobody leads here.", "Go deeper."}));
  const auto& registry = editor.Registry();
  auto entry = [&](const std::string& name) {
    auto it = std::find_if(registry.begin(), registry.end(), [&](const GroupEntry& g) { return g.Name == name; });
    return it == registry.end() ? std::optional<GroupEntry>() : std::optional<GroupEntry>(*it);
  };
  ASSERT_TRUE(entry("Deep"));
  EXPECT_TRUE(entry("Deep")->IsResponseGroup);
  ASSERT_TRUE(entry("Bottom"));
  EXPECT_TRUE(entry("Bottom")->IsMessageGroup);
  EXPECT_TRUE(entry("Orphan")->IsResponseGroup);  // its first message offers its own responses
  // The answer box offers the groups found behind it.
  const auto& answers = editor.AnswerBox().items;
  EXPECT_NE(std::find(answers.begin(), answers.end(), "Deep"), answers.end());
}

TEST(MessageEditorNames, EveryDoorRefusesANameThatCannotBeAKey) {
  std::vector<std::string> roomsOpened;
  MessageEditorWindows windows;
  windows.editRoom = [&](int, const std::string& room) -> std::optional<std::string> {
    roomsOpened.push_back(room);
    return room;
  };
  EditorFixture f(windows);
  f.editor.Open(2, true);
  const std::string before = f.demo.game.ReadDescriptor("4Tessaly", ".edt");
  const char* kEquals = "A name cannot contain \"=\": it ends the name of a key in the file.";

  f.editor.TypeGroup("Bad=1");
  EXPECT_TRUE(f.editor.Buttons().editRoom);
  f.editor.EditRoom();
  EXPECT_TRUE(roomsOpened.empty());
  EXPECT_EQ(f.demo.prompter.Texts().back(), kEquals);
  EXPECT_FALSE(f.editor.AddGroup());
  EXPECT_EQ(f.demo.prompter.Texts().back(), kEquals);
  // A room reached from the issues list goes through the same door.
  f.editor.OpenRoom("Cave*SFA");
  EXPECT_TRUE(roomsOpened.empty());
  EXPECT_NE(f.demo.prompter.Texts().back().find("\"*\""), std::string::npos);
  EXPECT_EQ(f.demo.game.ReadDescriptor("4Tessaly", ".edt"), before);

  f.editor.TypeGroup("CaveSearch");
  f.editor.EditRoom();
  EXPECT_EQ(roomsOpened, Strings{"Cave"});
}

}  // namespace
}  // namespace zelmora::messages::testing

namespace zelmora::messages::testing {
namespace {

// Pasted lines would each become a line of the file, the second read as a key of its own.
TEST(TypedText, APastedLineBreakIsRefusedOnSaving) {
  EditorFixture f;
  f.editor.Open(2, true);
  const std::string before = f.demo.game.ReadDescriptor("4Tessaly", ".edt");
  f.editor.New();
  f.editor.TypeText("Two lines\nMessages=99");
  EXPECT_FALSE(f.editor.Save());
  EXPECT_EQ(f.demo.game.ReadDescriptor("4Tessaly", ".edt"), before);
  ASSERT_FALSE(f.demo.prompter.Calls().empty());
  EXPECT_NE(f.demo.prompter.Calls().back().text.find("line break"), std::string::npos);
}

}  // namespace
}  // namespace zelmora::messages::testing
