#include "SaveCommand.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace zephlan {
namespace {

using TextPair = std::pair<std::string, std::string>;

// Records what the command shows and asks, and answers the save question.
class SaveCommand : public ::testing::Test
{
protected:
    SaveOutcome save(const SaveInputs &inputs)
    {
        const SaveFrontEnd frontEnd{
            [this](const std::string &prompt, const std::string &title) { m_messages.emplace_back(prompt, title); },
            [this](const std::string &filter, const std::string &name) {
                m_questions.emplace_back(filter, name);
                return m_answer;
            }};
        return runSaveCommand(inputs, m_remembered, frontEnd);
    }

    test::TempFolder m_folder;
    std::filesystem::path m_plans = m_folder.path() / "FlightPlans.txt";
    std::optional<std::filesystem::path> m_answer = m_plans;
    RememberedRules m_remembered;
    std::vector<TextPair> m_messages;
    std::vector<TextPair> m_questions;
};

TEST_F(SaveCommand, TwoSavesGiveTwoLinesInOrder)
{
    SaveInputs second = test::exampleInputs();
    second.flightNoText = "0999";
    second.aircraftIndex = 0;
    EXPECT_EQ(save(test::exampleInputs()), SaveOutcome::Saved);
    EXPECT_EQ(save(second), SaveOutcome::Saved);

    EXPECT_EQ(test::readBytes(m_plans), test::kExampleLine + "\r\n"
                  + "AC#1,N541SP,50%,24Hr,IFR,12:00:00,00:00:00,050,R,0999,DEST,16:00:00,00:00:00,050,R,1000,HOME\r\n");
    const TextPair question{"FlightPlans(*.txt)|*.txt", "FlightPlans_Zephlan .txt"};
    EXPECT_EQ(m_questions, std::vector<TextPair>(2, question));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(SaveCommand, MissingInputAndCancelWriteNothing)
{
    SaveInputs missing = test::exampleInputs();
    missing.destTngChecked = true;
    EXPECT_EQ(save(missing), SaveOutcome::MissingInput);
    EXPECT_EQ(m_messages, (std::vector<TextPair>{{"Please Enter TNG Time", "Enter Time"}}));
    EXPECT_TRUE(m_questions.empty());

    m_answer.reset();
    EXPECT_EQ(save(test::exampleInputs()), SaveOutcome::Cancelled);
    EXPECT_EQ(m_questions.size(), 1u);
    EXPECT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(std::filesystem::is_empty(m_folder.path()));
}

TEST_F(SaveCommand, WriteFailureNamesTheFileAndTheReason)
{
    // ü and € have Windows-1252 bytes, the last letter has none.
    m_answer = m_folder.path() / "Fl\u00fcge \u20ac\u65e5" / "plans.txt";
    EXPECT_EQ(save(test::exampleInputs()), SaveOutcome::WriteFailed);

    const std::string prompt = "Could not save the flight plan to " + m_folder.path().string()
        + "/Fl\xfcge \x80?/plans.txt: " + std::generic_category().message(ENOENT);
    EXPECT_EQ(m_messages, (std::vector<TextPair>{{prompt, "Save Flight Plan"}}));
    EXPECT_TRUE(std::filesystem::is_empty(m_folder.path()));
}

struct TouchAndGoCase
{
    const char *name;
    bool departChecked;
    bool destChecked;
    std::string outboundArrival;    // field 7
    std::string returnArrival;      // field 13
};

void PrintTo(const TouchAndGoCase &row, std::ostream *out)
{
    *out << row.name;
}

class TouchAndGo : public SaveCommand, public ::testing::WithParamInterface<TouchAndGoCase>
{
};

TEST_P(TouchAndGo, OnlyTheArrivalFieldsCarryIt)
{
    SaveInputs inputs = test::exampleInputs();
    inputs.departTngChecked = GetParam().departChecked;
    inputs.destTngChecked = GetParam().destChecked;
    inputs.departTngText = "06:30:00";
    inputs.destTngText = "17:15:00";
    ASSERT_EQ(save(inputs), SaveOutcome::Saved);

    std::vector<std::string> fields = test::fieldsOf(test::readBytes(m_plans));
    ASSERT_EQ(fields.size(), 17u);
    EXPECT_EQ(fields[6], GetParam().outboundArrival);
    EXPECT_EQ(fields[12], GetParam().returnArrival);
    fields[6] = fields[12] = "00:00:00";
    EXPECT_EQ(fields, test::fieldsOf(test::kExampleLine + "\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Boxes, TouchAndGo,
                         ::testing::Values(TouchAndGoCase{"None", false, false, "00:00:00", "00:00:00"},
                                           TouchAndGoCase{"Departure", true, false, "TNG06:30:00", "00:00:00"},
                                           TouchAndGoCase{"Destination", false, true, "00:00:00", "TNG17:15:00"},
                                           TouchAndGoCase{"Both", true, true, "TNG06:30:00", "00:00:00"}),
                         [](const auto &info) { return std::string(info.param.name); });

// Flight rules and call mode are taken once both touch-and-go checks have passed.
struct RulesCase
{
    const char *name;
    RememberedRules before;
    bool vfr, ifr, callSign, flightNumber;
    void (*unfill)(SaveInputs &);
    RememberedRules after;
};

void PrintTo(const RulesCase &row, std::ostream *out)
{
    *out << row.name;
}

class RememberedRulesAndMode : public SaveCommand, public ::testing::WithParamInterface<RulesCase>
{
};

TEST_P(RememberedRulesAndMode, FollowTheOptionButtons)
{
    const RulesCase &row = GetParam();
    SaveInputs inputs = test::exampleInputs();
    inputs.vfrSelected = row.vfr;
    inputs.ifrSelected = row.ifr;
    inputs.callSignModeSelected = row.callSign;
    inputs.flightNumberModeSelected = row.flightNumber;
    if (row.unfill)
        row.unfill(inputs);
    m_remembered = row.before;

    EXPECT_EQ(save(inputs), row.unfill ? SaveOutcome::MissingInput : SaveOutcome::Saved);
    EXPECT_EQ(m_remembered.flightRules, row.after.flightRules);
    EXPECT_EQ(m_remembered.atcId, row.after.atcId);
    if (!row.unfill) {
        const std::vector<std::string> fields = test::fieldsOf(test::readBytes(m_plans));
        EXPECT_EQ(fields[4] + fields[8] + fields[14], row.after.flightRules + row.after.atcId + row.after.atcId);
    }
}

void unfillCheck1(SaveInputs &in) { in.departTngChecked = true; }
void unfillCheck2(SaveInputs &in) { in.destTngChecked = true; }
void unfillCheck3(SaveInputs &in) { in.departureText.clear(); }
void unfillCheck12(SaveInputs &in) { in.percentText.clear(); }

INSTANTIATE_TEST_SUITE_P(
    Options, RememberedRulesAndMode,
    ::testing::Values(RulesCase{"VfrByCallSign", {}, true, false, true, false, nullptr, {"VFR", "R"}},
                      RulesCase{"IfrByNumber", {"VFR", "R"}, false, true, false, true, nullptr, {"IFR", "F"}},
                      RulesCase{"NoneKeepsLast", {"IFR", "F"}, false, false, false, false, nullptr, {"IFR", "F"}},
                      RulesCase{"NoneEver", {}, false, false, false, false, nullptr, {"", ""}},
                      RulesCase{"RulesOnly", {"IFR", "F"}, true, false, false, false, nullptr, {"VFR", "F"}},
                      RulesCase{"Check1Fails", {"IFR", "F"}, true, false, true, false, unfillCheck1, {"IFR", "F"}},
                      RulesCase{"Check2Fails", {"IFR", "F"}, true, false, true, false, unfillCheck2, {"IFR", "F"}},
                      RulesCase{"Check3Fails", {"IFR", "F"}, true, false, true, false, unfillCheck3, {"VFR", "R"}},
                      RulesCase{"Check12Fails", {}, false, true, false, true, unfillCheck12, {"IFR", "F"}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zephlan
