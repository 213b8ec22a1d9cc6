#include "app/SystemDataBox.h"
#include "playback/MediaCommands.h"
#include "playback/TextColour.h"
#include "playback/TimeText.h"

#include <QLocale>
#include <gtest/gtest.h>

TEST(TimeText, FormatsHoursMinutesAndSecondsWithTwoDigitsAtLeast)
{
    SystemDataBox box;
    EXPECT_EQ(TimeText(205000, box), QStringLiteral("00:03:25"));
    EXPECT_EQ(TimeText(3723000, box), QStringLiteral("01:02:03"));
    EXPECT_EQ(box.TimeHour, 1);
    EXPECT_EQ(box.TimeMinute, 2);
    EXPECT_EQ(box.TimeSecond, 3);
    EXPECT_EQ(TimeText(0, box), QStringLiteral("00:00:00"));
    EXPECT_EQ(TimeText(999, box), QStringLiteral("00:00:00"));
    EXPECT_EQ(TimeText(59999, box), QStringLiteral("00:00:59"));
}

TEST(TimeText, VeryLongTimesKeepCorrectMinutesAndGroupThousands)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    SystemDataBox box;
    // 1000 hours, 1 minute, 1 second: the minute is right beyond 546 hours too.
    EXPECT_EQ(TimeText((1000.0 * 3600 + 61) * 1000, box), QStringLiteral("1,000:01:01"));
    EXPECT_EQ(TimeText(600.0 * 3600 * 1000 + 59 * 60000, box), QStringLiteral("600:59:00"));
    QLocale::setDefault(previous);
}

TEST(TextColour, TableEntriesColourNumbersAndTheStandardColour)
{
    EXPECT_EQ(textColourOf(QString()), QColor(255, 192, 128));
    EXPECT_EQ(textColourOf(QStringLiteral("0")), QColor(255, 192, 128));
    EXPECT_EQ(textColourOf(QStringLiteral("4")), QColor(0, 255, 0));
    EXPECT_EQ(textColourOf(QStringLiteral("8")), QColor(128, 0, 255));
    EXPECT_EQ(textColourOf(QStringLiteral("255")), QColor(255, 0, 0))
        << "a plain colour number, red in the low byte";
    EXPECT_EQ(textColourOf(QStringLiteral("16711680")), QColor(0, 0, 255));
    for (const char *unusable : {"blue", "-1", "16777216", "4.5", " "}) {
        EXPECT_EQ(textColourOf(QString::fromLatin1(unusable)), QColor(255, 192, 128)) << unusable;
    }
}

TEST(MediaReplies, OnlyTheDigitsBeforeTheNulCount)
{
    QByteArray reply(16, 'x');
    std::memcpy(reply.data(), "205000\0", 7);
    EXPECT_EQ(MediaCommands::replyNumber(reply), 205000.0);
    EXPECT_EQ(MediaCommands::replyNumber(QByteArray(16, '\0')), std::nullopt);
    EXPECT_EQ(MediaCommands::replyNumber(QByteArray("12ab\0", 5)), std::nullopt);
    EXPECT_EQ(MediaCommands::fixedText(42), QByteArray("42              "));
}
