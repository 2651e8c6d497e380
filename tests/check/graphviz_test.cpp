// Graphviz as the script map uses it: laid out with our own text measure, never with the text
// plugin it would load from disk, and still able to write SVG.
#include "check/graphviz.h"

#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <string>

namespace zelmora::check {
namespace {

std::string MappedFiles() {
  std::ifstream maps("/proc/self/maps");
  std::stringstream text;
  text << maps.rdbuf();
  return text.str();
}

// Every text the given width and 12 points high.
DotTextMeasure Fixed(double width) {
  return [width](const DotFont&, std::string_view) { return DotTextSize{width, 12}; };
}

const DotEdge* EdgeWithId(const DotLayout& layout, const std::string& id) {
  for (const DotEdge& e : layout.edges) {
    if (e.id == id) return &e;
  }
  return nullptr;
}

const DotNode* NodeNamed(const DotLayout& layout, const std::string& name) {
  for (const DotNode& n : layout.nodes) {
    if (n.name == name) return &n;
  }
  return nullptr;
}

constexpr std::string_view kLabelled =
    "digraph { a [label=\"Gate\"]; b [label=\"None\"]; a -> b [id=\"l0\", label=\"A !B / +C\"]; }";

TEST(GraphvizTest, LayoutsAndDrawingsNeverLoadGraphvizsOwnTextPlugin) {
  std::string error;
  // The second layout of a process is where that plugin read a font name it had freed.
  for (int run = 0; run < 2; ++run) {
    ASSERT_TRUE(LayoutWithDot(kLabelled, &error).has_value()) << error;
    ASSERT_TRUE(LayoutWithDot(kLabelled, &error, Fixed(40)).has_value()) << error;
  }
  const std::string svg = RenderWithDot(kLabelled, "svg", &error);
  EXPECT_NE(svg.find("<svg"), std::string::npos) << error;
  EXPECT_NE(svg.find("A !B / +C"), std::string::npos);
  // A format only another plugin writes is refused, not handed to a plugin that would load it.
  EXPECT_TRUE(RenderWithDot(kLabelled, "png", &error).empty());
  EXPECT_NE(error.find("png"), std::string::npos);

  const std::string maps = MappedFiles();
  EXPECT_NE(maps.find("libgvplugin_dot_layout"), std::string::npos) << "the check would see nothing";
  EXPECT_EQ(maps.find("libgvplugin_pango"), std::string::npos);
}

TEST(GraphvizTest, TheRoomLeftForATextGrowsWithTheMeasure) {
  double lastLabel = 0, lastNode = 0, lastWidth = 0;
  for (double width : {10.0, 80.0, 300.0}) {
    SCOPED_TRACE(width);
    std::string error;
    const auto layout = LayoutWithDot(kLabelled, &error, Fixed(width));
    ASSERT_TRUE(layout.has_value()) << error;
    const DotEdge* edge = EdgeWithId(*layout, "l0");
    ASSERT_NE(edge, nullptr);
    ASSERT_TRUE(edge->label.has_value());
    EXPECT_GE(edge->labelWidth, width);
    EXPECT_GT(edge->labelWidth, lastLabel);
    EXPECT_GE(edge->labelHeight, 12);
    // A box sized by its label (not fixed) grows too, beyond Graphviz's least width.
    const DotNode* node = NodeNamed(*layout, "a");
    ASSERT_NE(node, nullptr);
    EXPECT_GE(node->width, lastNode);
    if (width > 100) {
      EXPECT_GT(node->width, width);
    }
    EXPECT_GT(layout->width, lastWidth);
    lastLabel = edge->labelWidth;
    lastNode = node->width;
    lastWidth = layout->width;
  }
}

TEST(GraphvizTest, TheMeasureIsToldTheFontAndTheTextInUtf8) {
  std::vector<std::string> fonts, texts;
  std::vector<double> sizes;
  const DotTextMeasure record = [&](const DotFont& font, std::string_view text) {
    fonts.emplace_back(font.name);
    sizes.push_back(font.points);
    texts.emplace_back(text);
    return DotTextSize{20, 10};
  };
  // A graph in the game's code page: "caf" and e acute.
  const std::string dot =
      "digraph { charset=\"latin1\"; a [label=\"\"]; b [label=\"\"]; "
      "a -> b [label=\"caf\xE9\", fontname=\"Probe\", fontsize=9]; }";
  std::string error;
  ASSERT_TRUE(LayoutWithDot(dot, &error, record).has_value()) << error;
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0], "caf\xC3\xA9");
  EXPECT_EQ(fonts[0], "Probe");
  EXPECT_EQ(sizes[0], 9);
}

TEST(GraphvizTest, AMeasureThatFailsFallsBackToTheEstimate) {
  const DotTextMeasure throwing = [](const DotFont&, std::string_view) -> DotTextSize {
    throw std::runtime_error("no font");
  };
  const DotTextMeasure nonsense = [](const DotFont&, std::string_view) {
    return DotTextSize{-5, std::numeric_limits<double>::quiet_NaN()};
  };
  for (const DotTextMeasure* measure : {&throwing, &nonsense}) {
    std::string error;
    const auto layout = LayoutWithDot(kLabelled, &error, *measure);
    ASSERT_TRUE(layout.has_value()) << error;
    const DotEdge* edge = EdgeWithId(*layout, "l0");
    ASSERT_NE(edge, nullptr);
    EXPECT_GE(edge->labelWidth, 0);
    EXPECT_GT(edge->labelHeight, 0);
    EXPECT_EQ(edge->labelHeight, edge->labelHeight) << "not a number";
  }
}

TEST(GraphvizTest, TheEstimateWidensWithTheSizeAndTheLettersAndCountsCharactersNotBytes) {
  const DotFont nine{"Sans", 9}, eighteen{"Sans", 18};
  EXPECT_GT(EstimateDotText(nine, "WWWW").width, EstimateDotText(nine, "iiii").width);
  EXPECT_DOUBLE_EQ(EstimateDotText(eighteen, "Gate").width, 2 * EstimateDotText(nine, "Gate").width);
  EXPECT_GT(EstimateDotText(eighteen, "Gate").height, EstimateDotText(nine, "Gate").height);
  // "é" is two bytes of UTF-8 but one letter.
  EXPECT_LT(EstimateDotText(nine, "caf\xC3\xA9").width, EstimateDotText(nine, "cafee").width);
  EXPECT_EQ(EstimateDotText(nine, "").width, 0);
}

}  // namespace
}  // namespace zelmora::check
