#include "model/Terminal.h"

#include <gtest/gtest.h>

TEST(Terminal, NewAndCopy) {
    Terminal terminal;
    EXPECT_TRUE(terminal.partialSerialNumber().isEmpty() &&
                !terminal.partialSerialNumber().isNull());
    EXPECT_EQ(terminal.fullSerialNumber(), "");
    EXPECT_EQ(terminal.type(), "");
    EXPECT_TRUE(terminal.typeName().isNull());
    EXPECT_TRUE(terminal.iconURL().isEmpty());

    terminal.setPartialSerialNumber("MPOS123");
    terminal.setFullSerialNumber("FULL-1");
    terminal.setType("dspread_pinpad");
    terminal.setTypeName("QPOS mini");
    terminal.setIconURL(QUrl("https://cdn/icon.png"));
    const auto copy = terminal.copy();
    EXPECT_EQ(copy->partialSerialNumber(), "MPOS123");
    EXPECT_EQ(copy->fullSerialNumber(), "FULL-1");
    EXPECT_EQ(copy->type(), "dspread_pinpad");
    EXPECT_EQ(copy->typeName(), "QPOS mini");
    EXPECT_EQ(copy->iconURL(), QUrl("https://cdn/icon.png"));
    copy->setPartialSerialNumber("other");
    copy->setFullSerialNumber("other");
    EXPECT_EQ(terminal.partialSerialNumber(), "MPOS123");
    EXPECT_EQ(terminal.fullSerialNumber(), "FULL-1");
}

TEST(Terminal, FromReaderDescription) {
    const auto full = Terminal::fromDictionary(
        {{"type", "QPOS"}, {"icon", "not a valid address"}, {"serialNumber", "SN-9"}});
    EXPECT_EQ(full->typeName(), "QPOS");
    EXPECT_TRUE(full->iconURL().isEmpty());
    EXPECT_EQ(full->partialSerialNumber(), "SN-9");
    EXPECT_EQ(full->type(), "");

    const auto withIcon = Terminal::fromDictionary({{"icon", "https://cdn/r.png"}});
    EXPECT_EQ(withIcon->iconURL(), QUrl("https://cdn/r.png"));

    const auto empty = Terminal::fromDictionary({});
    EXPECT_TRUE(empty->typeName().isNull());
    EXPECT_TRUE(empty->iconURL().isEmpty());
    EXPECT_TRUE(empty->partialSerialNumber().isNull());
    EXPECT_FALSE(empty->fullSerialNumber().isNull());
    EXPECT_EQ(empty->type(), "");
}
