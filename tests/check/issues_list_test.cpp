// The message editor's issues list over the checker.
#include "check/issues_list.h"
#include "tests/check/check_fixture.h"

#include <gtest/gtest.h>

namespace zelmora::check {
namespace {

using testing::CheckFixture;
using IssuesListTest = CheckFixture;

TEST_F(IssuesListTest, RowsAreMostSevereFirstAndSayWhereTheEditorFindsThem) {
  Write({"Messages=1", "Message1=Hello.*RTrade", "Responses=2", "Response1=Go.*MNowhere", "Response2=Stay."});
  IssuesList list;
  list.Refresh(Script(), catalogue, options);
  ASSERT_FALSE(list.Rows().empty());
  for (std::size_t i = 1; i < list.Rows().size(); ++i) {
    EXPECT_LE(static_cast<int>(list.Rows()[i - 1].finding.severity), static_cast<int>(list.Rows()[i].finding.severity));
  }
  const auto missing = std::find_if(list.Rows().begin(), list.Rows().end(),
                                    [](const IssueRow& r) { return r.finding.kind == FindingKind::MissingMessages; });
  ASSERT_NE(missing, list.Rows().end());
  EXPECT_EQ(missing->severity, "error");
  EXPECT_EQ(missing->where, "Response Level: INIT, item 1");
  EXPECT_NE(list.Summary().find("error"), std::string::npos);

  // Mended, the list says so.
  Write({"Messages=1", "Message1=Hello.", "Responses=1", "Response1=Stay."});
  list.Refresh(Script(), catalogue, options);
  EXPECT_TRUE(list.Rows().empty());
  EXPECT_EQ(list.Summary(), "No issues found.");
}

TEST_F(IssuesListTest, NotesAskedForAreCountedAndListedAfterTheCheckersOwn) {
  Write({"Messages=1", "Message1=Hello.*RTrade", "Responses=1", "Response1=Stay."});
  IssuesList list;
  list.Refresh(Script(), catalogue, options);
  const std::size_t checked = list.Rows().size();
  int notes = 0;
  for (const auto& row : list.Rows()) notes += row.finding.severity == Severity::Note ? 1 : 0;
  Finding note;
  note.kind = FindingKind::Spelling;
  note.group = "INIT";
  note.list = ItemList::Messages;
  note.item = 1;
  note.message = "\"Helo\" is not in the dictionary";
  Finding error = note;
  error.severity = Severity::Error;  // rows stay most severe first, whoever found them
  list.AddNotes({note, error});
  ASSERT_EQ(list.Rows().size(), checked + 2);
  const auto& rows = list.Rows();
  const auto ours = std::find_if(rows.begin(), rows.end(), [&](const IssueRow& r) { return r.finding == error; });
  ASSERT_NE(ours, rows.end());
  EXPECT_TRUE(std::all_of(rows.begin(), ours, [](const IssueRow& r) { return r.finding.severity == Severity::Error; }));
  EXPECT_EQ(rows.back().finding, note);
  EXPECT_EQ(list.Rows().back().where, "Message Level: INIT, item 1");
  const std::string counted = " and " + std::to_string(notes + 1) + (notes == 0 ? " note." : " notes.");
  EXPECT_NE(list.Summary().find(counted), std::string::npos) << list.Summary();
  // A fresh check starts without them.
  list.Refresh(Script(), catalogue, options);
  EXPECT_EQ(list.Rows().size(), checked);
}

TEST(IssuesWhere, RoomsKeysAndThePlanet) {
  Finding f;
  f.room = "Area11";
  EXPECT_EQ(WhereText(f), "Room Area11");
  f = {};
  f.key = "Info";
  EXPECT_EQ(WhereText(f), "Info");
  f = {};
  EXPECT_EQ(WhereText(f), "Planet");
  f.group = "Hail";
  f.list = ItemList::Responses;
  EXPECT_EQ(WhereText(f), "Response Level: Hail");
}

}  // namespace
}  // namespace zelmora::check
