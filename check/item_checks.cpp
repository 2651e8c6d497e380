// One item at a time: codes the catalogue lacks, pieces play stumbles on, and the groups its
// answer code names.
#include "check/planet_checker.h"
#include "messages/message_parts.h"
#include "messages/script_keys.h"
#include "simulator/script_rules.h"
#include "ui/platform/text_rules.h"

namespace zelmora::check {

namespace {

using simulator::ActionRule;
using simulator::ConditionRule;

bool IsPlaceholder(std::string_view code) {
  for (std::string_view p : messages::kPlaceholders) {
    if (platform::EqualsNoCase(code, p)) return true;
  }
  return false;
}

// The pieces play applies when the item is chosen: a message's after its display marker.
std::vector<std::string> PlayedPieces(const std::string& value, ItemList list) {
  return messages::StarPieces(messages::PlayedCodes(
      value, list == ItemList::Responses ? messages::ItemKind::Response : messages::ItemKind::Message));
}

// The three-character prefix codes at the front of a value.
std::vector<std::string> PrefixCodes(std::string_view value) {
  std::vector<std::string> codes;
  while (!value.empty() && value[0] == '%') {
    codes.emplace_back(value.substr(0, 3));
    value.remove_prefix(std::min<std::size_t>(3, value.size()));
  }
  return codes;
}

}  // namespace

void PlanetChecker::CheckItems() {
  for (const Item& item : items_) {
    CheckCodes(item);
    CheckPieces(item);
    CheckAnswers(item);
  }
}

void PlanetChecker::CheckCodes(const Item& item) {
  if (catalogue_.empty()) return;
  const messages::MessageParts parts = messages::ParseMessage(item.value, catalogue_);
  for (const std::string& line : messages::AttachedActions(parts, catalogue_)) {
    if (!messages::IsUnknownCodeLine(line)) continue;
    const std::string code = messages::UnknownCode(line);
    if (code == "*") continue;  // an empty piece between two "*": play skips it
    // A sign without a code is reported as what play makes of it.
    if (code[0] == '*' && simulator::ClassifyAction(code.substr(1)).kind == ActionRule::SupplySyntaxError) continue;
    if (IsPlaceholder(code)) {
      // The response chooser puts the placeholders in before it tests the prefix codes.
      if (item.list->list == ItemList::Responses) continue;
      Add(Severity::Warning, FindingKind::UnknownCode, item.key,
          "the text begins with " + code + ", which is read as a prefix code: the placeholder is not shown",
          "put a word before " + code);
    } else {
      Add(Severity::Warning, FindingKind::UnknownCode, item.key,
          "code " + code + " is not in SPECIAL.LST: the game may not know it either",
          "add it to SPECIAL.LST or remove it");
    }
  }
}

void PlanetChecker::CheckPieces(const Item& item) {
  const ItemList kind = item.list->list;
  const std::vector<std::string> prefix = PrefixCodes(item.value);
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    const std::string& code = prefix[i];
    if (code.size() == 3 && (code[1] == 'F' || code[1] == 'f') && simulator::FlagNumberOfLetter(code[2]) < 0) {
      Add(Severity::Warning, FindingKind::InvalidFlag, item.key,
          code + " names no flag (flags are A to Z and 0 to 9): " +
              (code[1] == 'F' ? "the item is never used" : "the condition always holds"),
          "use a flag letter");
    }
    if (i > 0 && kind == ItemList::Messages && code.size() >= 2 && (code[1] == 'W' || code[1] == 'w')) {
      Add(Severity::Warning, FindingKind::WaitNotFirst, item.key,
          "the wait " + code + " follows the prefix code " + prefix.front() +
              ": the game only waits when it comes first",
          "move " + code + " to the front of the item");
    }
  }
  for (const std::string& piece : PlayedPieces(item.value, kind)) {
    const ActionRule rule = simulator::ClassifyAction(piece);
    if (rule.kind == ActionRule::SupplySyntaxError) {
      Add(Severity::Error, FindingKind::SupplySyntax, item.key,
          "the piece *" + piece +
              " has no code after its sign: the game shows \"There is a syntax error in the message file\"",
          "write a code after the sign, such as *" + piece.substr(0, 1) + "PT" + piece.substr(1));
    } else if (rule.kind == ActionRule::NoFlag) {
      Add(Severity::Warning, FindingKind::InvalidFlag, item.key,
          "*" + piece + " names no flag (flags are A to Z and 0 to 9): it does nothing", "use a flag letter");
    }
  }
}

void PlanetChecker::CheckAnswers(const Item& item) {
  const std::string upperKey = platform::ToUpper1252(item.key);
  if (doorKeys_.count(upperKey)) return;  // the rooms' doors are checked as doors
  const bool message = item.list->list == ItemList::Messages;
  std::optional<std::string> next, answer;  // the last "M" and "R" pieces
  std::string answerPiece;
  for (const std::string& piece : PlayedPieces(item.value, item.list->list)) {
    const ActionRule rule = simulator::ClassifyAction(piece);
    if (rule.kind == ActionRule::MessageLevel) next = rule.text;
    if (rule.kind == ActionRule::ResponseLevel) {
      answer = rule.text;
      answerPiece = "*" + piece;
    }
  }

  const bool repair =
      message && answer && (messages::IsRepairCondition(answerPiece, catalogue_) || messages::IsRepairCondition(answerPiece));
  if (message && answer && !repair && messages::AnswerPlaysAsCondition(*answer)) {
    // The chooser tests every "RS" and "R!S" piece of a message as the state of a ship's system.
    const auto need = simulator::RequirementOf(answerPiece.substr(1));
    Add(Severity::Error, FindingKind::AnswerReadAsCondition, item.key,
        "the answer code " + answerPiece + " is read by play as a repair condition (system " +
            std::to_string(need.number) +
            (need.kind == simulator::PieceRequirement::SystemDestroyed ? " destroyed" : " damaged") +
            "): the message is sent only then",
        "rename group " + messages::ShownName(*answer) + " so that its name does not begin with " +
            (answer->starts_with("!") ? "!S" : "S"));
  }
  if (message && answer && *answer != kNoneGroup) {
    const ItemListInfo& responses = index_.ResponsesOf(*answer);
    if (responses.count == 0) {
      const bool exists = index_.MessagesOf(*answer).count > 0;
      std::string text = "the answer code " + answerPiece + " names group " + messages::ShownName(*answer) +
                         (exists ? ", which has no responses: the player cannot answer"
                                 : ", which has no responses and no messages");
      std::string fix = exists ? "add responses to " + messages::ShownName(*answer) + ", or answer with *RNone"
                               : "correct the group's name or write the group";
      if (messages::IsRepairCondition(answerPiece, catalogue_) || messages::IsRepairCondition(answerPiece)) {
        text = "the repair condition " + answerPiece + " comes last, so play also reads it as the answer code: "
               "the responses offered next are those of group " + *answer + ", which has none";
        fix = "put the answer code after " + answerPiece;
      }
      Add(exists ? Severity::Warning : Severity::Error, FindingKind::MissingResponses, item.key, std::move(text),
          std::move(fix));
    }
  }

  if (!message && !next) {
    // Without an answer code the conversation goes on with the response's own group.
    const std::string& own = item.list->level;
    if (index_.MessagesOf(own).count == 0 && !item.list->group.empty()) {
      Add(Severity::Warning, FindingKind::MissingMessages, item.key,
          "the response has no answer code, so play goes on with the messages of its own group " +
              messages::ShownName(own) + ", which has none: nothing follows",
          "add an answer code (*M and a group) to the response");
    }
    return;
  }
  if (!next || *next == kNoneGroup) return;
  if (*next == kBeamUpRoom) {
    if (index_.MessagesOf(*next).count == 0 && reportedKeys_.insert("BEAMUP").second) {
      Add(Severity::Note, FindingKind::MissingMessages, item.key,
          "group BeamUp has no messages: after beaming up, play shows nothing",
          "write a BeamUp message such as \"Beam up sucessful.*RNone\"");
    }
    return;
  }
  if (index_.MessagesOf(*next).count > 0) return;
  std::string text = "the answer code *M" + *next + " names group " + messages::ShownName(*next) +
                     ", which has no messages: play waits for a message that never comes";
  std::string fix = "correct the group's name or write its messages";
  if (*next == messages::kInitGroup) {
    text = "*MINIT plays the messages of a group named INIT (key MessagesINIT), not INIT's own";
    fix = "write *M with no name to go on with INIT's messages";
  } else if (*next == messages::kBeamGroup) {
    text = "*MBeam plays the messages of key MessagesBeam, not the Beam group's (BeamMessages)";
    fix = "name another group for what follows";
  }
  Add(Severity::Error, FindingKind::MissingMessages, item.key, std::move(text), std::move(fix));
}

}  // namespace zelmora::check
