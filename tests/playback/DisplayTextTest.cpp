#include "core/SystemDataBox.h"
#include "playback/TextColour.h"
#include "playback/TimeText.h"

#include <QLocale>
#include <gtest/gtest.h>

TEST(TimeText, TwoDigitsAtLeastCorrectMinutesBeyond546HoursAndGroupedThousands)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    const std::pair<double, const char *> rows[] = {{205000, "00:03:25"},
                                                    {3723000, "01:02:03"},
                                                    {0, "00:00:00"},
                                                    {999, "00:00:00"},
                                                    {59999, "00:00:59"},
                                                    {(1000.0 * 3600 + 61) * 1000, "1,000:01:01"},
                                                    {600.0 * 3600 * 1000 + 59 * 60000, "600:59:00"}};
    TimeParts box;
    for (const auto &[ms, text] : rows) {
        EXPECT_EQ(TimeText(ms, box), QString::fromLatin1(text)) << ms;
    }
    QLocale::setDefault(previous);
}

TEST(TextColour, TableEntriesColourNumbersAndTheStandardColour)
{
    const QColor standard(255, 192, 128);
    // A plain colour number has red in the low byte.
    const std::pair<const char *, QColor> rows[] = {
        {"", standard},     {"0", standard},  {"4", QColor(0, 255, 0)},   {"8", QColor(128, 0, 255)},
        {"blue", standard}, {"-1", standard}, {"255", QColor(255, 0, 0)}, {"16711680", QColor(0, 0, 255)},
        {"4.5", standard},  {" ", standard},  {"16777216", standard}};
    for (const auto &[text, colour] : rows) {
        EXPECT_EQ(textColourOf(QString::fromLatin1(text)), colour) << text;
    }
}
