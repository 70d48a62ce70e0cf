// The port panel's rules: line boxes, LPT choice, enabling rule, pin at rest and LPTx.
#include <gtest/gtest.h>

#include <memory>

#include "platform/LinuxOneShotTimer.h"
#include "support/FakePortAccess.h"
#include "support/ManualClock.h"
#include "support/ManualDispatcher.h"
#include "support/ManualTimer.h"
#include "support/RecordingLines.h"
#include "transmitter/PortConfiguration.h"

namespace kelvaro {
namespace {

using test::FakePortAccess;

class PortConfigurationTest : public ::testing::Test {
protected:
    test::RecordingLines Lines;
    FakePortAccess Port;
    test::ManualTimer TxDelay;
    test::ManualDispatcher Window;
    test::ManualClock Clock;
    TransmitterKeyer Keyer{Lines, Port, std::make_unique<LinuxOneShotTimer>(), TxDelay, Window, Clock};
    std::unique_ptr<PortConfiguration> Config;

    void Make(bool driverFound = true) {
        Config = std::make_unique<PortConfiguration>(Keyer, driverFound);
        Config->ReadLptAddresses();
    }
};

TEST_F(PortConfigurationTest, ALineServesPttOrCwNeverBoth) {
    Make();
    EXPECT_EQ(Config->PttLineMask(), 3);
    EXPECT_FALSE(Config->CwBoxEnabled(kDtrBit));
    EXPECT_FALSE(Config->CwBoxEnabled(kRtsBit));
    Config->SetPttLine(kRtsBit, false);
    EXPECT_TRUE(Config->CwBoxEnabled(kRtsBit));
    EXPECT_FALSE(Config->CwBoxEnabled(kDtrBit));
    Config->SetCwLine(kRtsBit, true);
    EXPECT_FALSE(Config->PttBoxEnabled(kRtsBit));
    EXPECT_TRUE(Config->PttBoxEnabled(kDtrBit));
    EXPECT_EQ(Config->PttLineMask(), kDtrBit);
    EXPECT_EQ(Config->CwLineMask(), kRtsBit);
    EXPECT_EQ(Keyer.Route().CwLineMask, kRtsBit);
    EXPECT_EQ(Keyer.Route().PttLineMask, kDtrBit);
}

TEST_F(PortConfigurationTest, LptWithAddressZeroIsRefusedAndKeepsThePreviousChoice) {
    Make();
    ASSERT_EQ(Config->ChooseLpt(1), PortConfiguration::LptChoiceResult::Taken);
    EXPECT_EQ(Config->ChooseLpt(2), PortConfiguration::LptChoiceResult::AddressZero);
    EXPECT_EQ(Config->LptChoice(), 1);
    EXPECT_EQ(Config->ActivePortAddress(), 0x378);
}

TEST_F(PortConfigurationTest, LptWithoutTheDriverIsRefused) {
    Make(false);
    EXPECT_EQ(Config->ChooseLpt(1), PortConfiguration::LptChoiceResult::DriverMissing);
    EXPECT_EQ(Config->LptChoice(), 0);
    EXPECT_TRUE(Port.Calls.empty());
}

TEST_F(PortConfigurationTest, EnablingRuleEnablesOnceAndSwapsOnChange) {
    Make();
    Config->ChooseLpt(1);
    Config->ChoosePin(0);  // same base: nothing more to enable
    Config->ChooseLpt(3);
    Config->ChooseLpt(0);
    std::vector<std::string> enables;
    for (const std::string& call : Port.Calls) {
        if (call.rfind("In", 0) != 0) {
            enables.push_back(call);
        }
    }
    EXPECT_EQ(enables, (std::vector<std::string>{"Enable 888 888", "Disable 888 888", "Enable 956 956",
                                                 "Disable 956 956"}));
    EXPECT_EQ(Config->EnabledLptBase(), 0);
    EXPECT_EQ(Config->ActivePortAddress(), 0);
    EXPECT_FALSE(Keyer.KeyingConfigured());
}

TEST_F(PortConfigurationTest, ChoosingAPortPutsTheChosenPinAtRest) {
    Make();
    Port.Registers[0x37A] = 0x0F;
    Config->ChooseLpt(1);  // pin 1, negative logic: rest clears bit 0
    ASSERT_FALSE(Port.Writes.empty());
    EXPECT_EQ(Port.Writes.back(), std::make_pair(std::uint16_t{0x37A}, std::uint16_t{0x0E}));
    EXPECT_TRUE(Keyer.KeyingConfigured());
    EXPECT_EQ(Keyer.Route().LptControl, 0x0F);

    Config->SetNegativeLogic(2, false);  // not the chosen pin: nothing written
    EXPECT_EQ(Port.Writes.size(), 1U);
    Config->ChoosePin(2);  // pin 16 without negative logic rests with bit 2 clear
    EXPECT_EQ(Port.Writes.back().second, 0x0A);
}

TEST_F(PortConfigurationTest, PinWriteWithoutSuccessIsReported) {
    Make();
    Config->ChooseLpt(1);
    Port.FailWrites = true;
    EXPECT_FALSE(Config->SetNegativeLogic(0, false));
    Port.FailWrites = false;
    EXPECT_TRUE(Config->SetNegativeLogic(0, true));
}

TEST_F(PortConfigurationTest, AddressBoxTextReplacesTheAddress) {
    Make();
    EXPECT_TRUE(Config->AcceptLptAddressText(2, "[37Ah]"));
    EXPECT_EQ(Config->LptAddress(2), 0x37A);
    EXPECT_EQ(Config->ActivePortAddress(), 0x37A);
    EXPECT_EQ(Config->EnabledLptBase(), 0x37A);
    EXPECT_FALSE(Config->AcceptLptAddressText(2, "[37A]"));
    EXPECT_EQ(Config->LptAddress(2), 0x37A);
    EXPECT_EQ(Config->ChooseLpt(2), PortConfiguration::LptChoiceResult::Taken);
}

TEST_F(PortConfigurationTest, LptxChecksItsText) {
    Make();
    EXPECT_EQ(Config->TickLptx("378"), PortConfiguration::LptxResult::NotFourCharacters);
    EXPECT_FALSE(Config->LptxOn());
    EXPECT_EQ(Config->TickLptx("03Z8"), PortConfiguration::LptxResult::NotHexadecimal);
    EXPECT_FALSE(Config->LptxOn());
    EXPECT_EQ(Config->TickLptx("BC00"), PortConfiguration::LptxResult::Taken);
    EXPECT_TRUE(Config->LptxOn());
    EXPECT_EQ(Config->ActivePortAddress(), 0xBC00);
    EXPECT_EQ(Config->EnabledLptBase(), 0xBC00);
    EXPECT_TRUE(Keyer.KeyingConfigured());
    EXPECT_TRUE(Port.Writes.empty());  // the pin is not put at rest by the tick itself
}

TEST_F(PortConfigurationTest, StartUpSettlesOverrideAndPin) {
    Make();
    ASSERT_TRUE(Config->RestoreLptChoice(3));
    EXPECT_FALSE(Config->RestoreLptChoice(2));
    EXPECT_TRUE(Port.Calls.empty());
    EXPECT_TRUE(Config->FinishStartUp(0x2BC));
    EXPECT_EQ(Config->LptAddress(3), 0x2BC);
    EXPECT_EQ(Config->LastLptChoice(), 3);
    EXPECT_EQ(Config->EnabledLptBase(), 0x2BC);
    ASSERT_FALSE(Port.Writes.empty());
    EXPECT_EQ(Port.Writes.back().first, 0x2BE);
    Config->Release();
    EXPECT_EQ(Config->EnabledLptBase(), 0);
    EXPECT_EQ(Port.Calls.back(), "Disable 700 700");
}

}  // namespace
}  // namespace kelvaro
