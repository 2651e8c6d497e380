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
