#pragma once

#include <QString>

struct SystemDataBox;

// "hh:mm:ss" of a count of milliseconds; records the parts in TimeHour,
// TimeMinute and TimeSecond. Each part has at least two digits and takes the
// locale's thousands separator from 1000 on.
QString TimeText(double ms, SystemDataBox &box);

// One time part in the "#,00" number format.
QString timePartText(int value);
