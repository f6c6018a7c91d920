#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingLine.h"
#include "app/ConfigureAction.h"
#include "app/DisplayProtocol.h"
#include "comport/ComPort.h"
#include "tests/support/PortFixture.h"

namespace {

class ScriptedChoices : public app::DisplayChoices {
public:
    ScriptedChoices(Journal& journal, std::string port, std::intptr_t rows, std::intptr_t columns,
                    std::intptr_t type)
        : journal(journal), port(std::move(port)), rows(rows), columns(columns), type(type)
    {
    }

    std::string_view PortText() override { return Read("port", port); }
    std::intptr_t RowsIndex() override { return Read("rows", rows); }
    std::intptr_t ColumnsIndex() override { return Read("columns", columns); }
    std::intptr_t TypeIndex() override { return Read("type", type); }

private:
    template <typename T>
    const T& Read(const char* list, const T& value)
    {
        journal.Add(std::string("read ") + list);
        return value;
    }

    Journal& journal;
    std::string port;
    std::intptr_t rows, columns, type;
};

const std::string Complete = "FE 58 43 6F 6D 70 6C 65 74 65 21";

class ConfigureAction : public PortOnFake<RecordingLine> {
protected:
    void Configure(std::string portText, std::intptr_t rows, std::intptr_t columns,
                   std::intptr_t type)
    {
        ScriptedChoices choices(journal, std::move(portText), rows, columns, type);
        app::ConfigureDisplay(*port, choices);
    }

    // The commands one action writes, with the journal started afresh.
    Strings WritesOf(std::string portText, std::intptr_t rows, std::intptr_t columns,
                     std::intptr_t type)
    {
        journal = Journal();
        Configure(std::move(portText), rows, columns, type);
        return journal.Writes();
    }

    // The fake line, and the journal its calls share with the choices.
    RecordingLine& line = platform;
    Journal& journal = platform.journal;
};

TEST_F(ConfigureAction, DefaultsConfigureCom1ForTwoRowsOfSixteenOfTypeLK162_12)
{
    Configure("Com1", 0, 1, 10);
    const Strings expected = {
        "read port", "open \\\\.\\COM1",
        "read rows", "write FE 04 02",
        "read columns", "write FE 03 10",
        "read type", "write FE 05 34",
        "write " + Complete,
        "close",
    };
    EXPECT_EQ(journal.Entries(), expected);
    EXPECT_FALSE(port->Connected());
}

TEST_F(ConfigureAction, FourRowsOfFortyOfTypeLK404_25GoToCom12AsPlainCounts)
{
    Configure("Com12", 1, 4, 14);
    const Strings expected = {"FE 04 04", "FE 03 28", "FE 05 73", Complete};
    EXPECT_EQ(journal.Writes(), expected);
    EXPECT_EQ(journal.Entries().at(1), "open \\\\.\\COM12");
    EXPECT_EQ(port->Port(), "COM12");
}

TEST_F(ConfigureAction, EveryItemOfEveryListSendsItsOwnByte)
{
    // The controller's values, written out here independently of the tables.
    const int rows[] = {0x02, 0x04};
    const int columns[] = {0x08, 0x10, 0x14, 0x18, 0x28};
    const int types[] = {0x01, 0x02, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A,
                         0x31, 0x33, 0x34, 0x35, 0x48, 0x4B, 0x73};
    auto hex = [](int code, int value) {
        char text[16];
        std::snprintf(text, sizeof text, "FE %02X %02X", code, value);
        return std::string(text);
    };
    for (std::intptr_t i = 0; i < 2; ++i)
        EXPECT_EQ(WritesOf("Com3", i, 0, 0).at(0), hex(4, rows[i])) << "rows index " << i;
    for (std::intptr_t i = 0; i < 5; ++i)
        EXPECT_EQ(WritesOf("Com3", 0, i, 0).at(1), hex(3, columns[i])) << "columns index " << i;
    for (std::intptr_t i = 0; i < 15; ++i)
        EXPECT_EQ(WritesOf("Com3", 0, 0, i).at(2), hex(5, types[i])) << "type index " << i;
}

TEST_F(ConfigureAction, ThePortIsClosedAfterEveryActionSoTheNextOneOpensAgain)
{
    Configure("Com2", 0, 1, 10);
    Configure("Com5", 0, 1, 10);
    Strings opens;
    for (const std::string& entry : journal.Entries())
        if (entry.rfind("open ", 0) == 0 || entry == "close")
            opens.push_back(entry);
    const Strings expected = {"open \\\\.\\COM2", "close", "open \\\\.\\COM5", "close"};
    EXPECT_EQ(opens, expected);
}

TEST_F(ConfigureAction, APressWhileThePortIsOpenChangesNothing)
{
    port->Open();
    journal = Journal();
    Configure("Com7", 1, 4, 14);
    EXPECT_TRUE(journal.Entries().empty());
    EXPECT_TRUE(port->Connected());
    EXPECT_EQ(port->Port(), "COM1");
    port->Close();
}

TEST_F(ConfigureAction, APortThatCannotBeOpenedEndsTheActionQuietlyAndClosed)
{
    line.OpenResult = INVALID_HANDLE_VALUE;
    Configure("Com16", 0, 1, 10);
    EXPECT_EQ(journal.Entries().front(), "read port");
    EXPECT_EQ(journal.Entries().at(1), "open \\\\.\\COM16");
    EXPECT_FALSE(port->Connected());
}

// A list's index can only leave its table through a fault elsewhere; the
// controller then gets no byte that was not chosen, and no "Complete!".
TEST_F(ConfigureAction, AnIndexOutsideItsListSendsNoCommandForItAndNoConfirmation)
{
    EXPECT_EQ(WritesOf("Com1", -1, 1, 10), (Strings{"FE 03 10", "FE 05 34"}));
    EXPECT_FALSE(port->Connected());
    EXPECT_EQ(WritesOf("Com1", 0, 5, 10), (Strings{"FE 04 02", "FE 05 34"}));
    EXPECT_EQ(WritesOf("Com1", 0, 1, 15), (Strings{"FE 04 02", "FE 03 10"}));
    EXPECT_TRUE(WritesOf("Com1", 2, -1, INTPTR_MAX).empty());
    EXPECT_EQ(journal.Entries().back(), "close");
    EXPECT_FALSE(port->Connected());
}

TEST(ChoiceByte, AnswersOnlyInsideTheList)
{
    EXPECT_EQ(app::ChoiceByte(app::RowsChoices, 1), 0x04);
    EXPECT_EQ(app::ChoiceByte(app::RowsChoices, 2), std::nullopt);
    EXPECT_EQ(app::ChoiceByte(app::TypeChoices, 14), 0x73);
    EXPECT_EQ(app::ChoiceByte(app::TypeChoices, -1), std::nullopt);
    EXPECT_EQ(app::ChoiceByte(app::ColumnsChoices, INTPTR_MIN), std::nullopt);
    EXPECT_EQ(app::ChoiceByte({}, 0), std::nullopt);
}

TEST(DisplayProtocol, TheConfirmationIsClearThenTheNineLettersWithNothingAfter)
{
    EXPECT_EQ(HexBytes(app::ClearAndShowComplete.data(),
                       static_cast<DWORD>(app::ClearAndShowComplete.size())),
              Complete);
}

} // namespace
