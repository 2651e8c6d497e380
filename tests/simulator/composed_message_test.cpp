// Values written by the editor's composer play the way its item pane shows them.
#include "messages/message_parts.h"
#include "messages/script_keys.h"
#include "messages/special_actions.h"
#include "tests/simulator/sim_fakes.h"

#include <gtest/gtest.h>

namespace zelmora::simulator {
namespace {

using fakes::Simulation;

class ComposedMessages : public ::testing::Test {
 protected:
  // The value after the item has been opened in the pane and saved into `group`.
  std::string Saved(std::string_view value, std::string_view group) const {
    const auto parts = messages::ParseMessage(value, catalogue);
    return messages::ComposeMessage(parts, messages::AttachedActions(parts, catalogue), messages::ItemKind::Message,
                                    group);
  }
  // The group the pane shows as the item's answer group.
  std::string ShownAnswer(std::string_view value, std::string_view group) const {
    return messages::ParseMessage(value, catalogue).AnswerGroup.value_or(std::string(group));
  }
  // Plays the only message of `level` and answers the response level it leaves.
  std::string Play(Simulation& sim, const std::string& level, const std::string& value) {
    sim.script.keys = {{"Messages" + level, "1"}, {"Message" + level + "1", value}};
    sim.Enter(150);
    sim.panel.State().MessageLevel = level;
    sim.Ticks(1);
    return sim.panel.State().ResponseLevel;
  }

  messages::SpecialActionList catalogue = messages::LoadSpecialActions(ZELMORA_SOURCE_DIR "/demo");
};

TEST_F(ComposedMessages, AConditionAndAWaitOfThreeShowThreeTicksAfterChoosing) {
  messages::MessageParts parts;
  parts.Text = "Late words.";
  parts.WaitSeconds = 3;
  const std::string value =
      messages::ComposeMessage(parts, {"%F - Requires flag set [A]"}, messages::ItemKind::Message, "INIT");
  Simulation sim;
  store::SetFlagBit(sim.planet(), 0, true);
  sim.script.keys = {{"Messages", "1"}, {"Message1", value}};
  sim.Enter(150);
  sim.panel.State().MessageLevel = "";
  sim.Ticks(1);
  EXPECT_EQ(sim.panel.State().CurrentMessage, 1);
  sim.Ticks(2);
  EXPECT_FALSE(sim.panel.Display().Visible());
  sim.Ticks(1);
  EXPECT_TRUE(sim.panel.Display().Visible());
  EXPECT_EQ(sim.panel.Display().Text(), "Late words.");
}

// Every wait and chance the pane offers, written, read back and played: a message is shown `wait`
// ticks after the tick that chose it, and only when the draw times ten is at most the chance.
TEST_F(ComposedMessages, EveryWaitAndChanceRoundTripsAndPlaysAsShown) {
  for (int wait = 0; wait <= 9; ++wait) {
    for (int chance = 0; chance <= 10; ++chance) {
      messages::MessageParts parts;
      parts.Text = "Hello.";
      parts.WaitSeconds = wait;
      parts.ChanceTenths = chance;
      const std::string value = messages::ComposeMessage(parts, {}, messages::ItemKind::Message, "INIT");
      const std::string expected = (wait ? "%W" + std::to_string(wait) : "") +
                                   (chance < 10 ? "%0" + std::to_string(chance) : "") + "Hello.";
      const std::string label = "wait " + std::to_string(wait) + ", chance " + std::to_string(chance);
      EXPECT_EQ(value, expected) << label;
      const messages::MessageParts back = messages::ParseMessage(value, catalogue);
      EXPECT_EQ(back.WaitSeconds, wait) << label;
      EXPECT_EQ(back.ChanceTenths, chance) << label;
      EXPECT_TRUE(back.PrefixCodes.empty()) << label;

      // A draw of exactly chance / 10 still holds; one just above it does not ("%00" never holds).
      for (bool lucky : {true, false}) {
        if (chance == 10 && !lucky) continue;
        Simulation sim;
        const double draw = chance == 10 ? 0.99 : chance / 10.0 + (lucky ? 0.0 : 0.01);
        sim.random = fakes::QueuedRandom({draw, 0.0});
        sim.script.keys = {{"Messages", "1"}, {"Message1", value}};
        sim.Enter(150);
        sim.panel.State().MessageLevel = "";
        const bool sent = lucky && chance > 0;
        for (int tick = 1; tick <= wait; ++tick) {
          sim.Ticks(1);
          EXPECT_FALSE(sim.panel.Display().Visible()) << label << ", tick " << tick;
        }
        sim.Ticks(1);
        EXPECT_EQ(sim.panel.Display().Visible(), sent) << label << ", draw " << draw;
        EXPECT_EQ(sim.panel.Display().Text(), sent ? "Hello." : "") << label;
        EXPECT_EQ(sim.prompter.Texts(),
                  sent ? std::vector<std::string>{} : std::vector<std::string>{"*** COMMUNICATION TERMINATED ***"})
            << label;
      }
    }
  }
}

TEST_F(ComposedMessages, RepairConditionsLeaveTheResponseGroupThePaneShows) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Our shields are down.*RTrade*RS1", ""},  // as typed by hand: "S1" would win in play
      {"Our shields are down.*RS1", "Bridge"},  // the own group, which the condition would replace
      {"Our shields are down.*RS1*SFB", ""},
      {"Our shields are down.*R!S2*RS1*R", "Bridge"}};
  for (const auto& [typed, level] : cases) {
    const std::string group = messages::ShownName(level);
    const std::string value = Saved(typed, group);
    Simulation sim;
    sim.ship.SystemDamage[1] = 3.0f;
    sim.ship.SystemDamage[2] = 7.0f;
    EXPECT_EQ(messages::ShownName(Play(sim, level, value)), ShownAnswer(typed, group)) << typed << " -> " << value;
    EXPECT_EQ(sim.panel.Display().Text(), "Our shields are down.") << value;
  }
}

TEST_F(ComposedMessages, RepairConditionsStillDecideWhetherTheMessageIsSent) {
  const std::string value = Saved("Our shields are down.*RTrade*RS1", "INIT");
  Simulation sound;
  Play(sound, "", value);
  EXPECT_FALSE(sound.panel.Display().Visible());
  EXPECT_EQ(sound.prompter.Texts().back(), "*** COMMUNICATION TERMINATED ***");

  Simulation damaged;
  damaged.ship.SystemDamage[1] = 3.0f;
  EXPECT_EQ(Play(damaged, "", value), "Trade");

  // An answer group named like a condition is one in play, on a system that is never damaged.
  Simulation shop;
  ASSERT_TRUE(messages::AnswerPlaysAsCondition("Shop"));
  Play(shop, "", Saved("Welcome.*RShop", "INIT"));
  EXPECT_FALSE(shop.panel.Display().Visible());
}

}  // namespace
}  // namespace zelmora::simulator
