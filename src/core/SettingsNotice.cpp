#include "core/SettingsNotice.h"

SettingsNotice &SettingsNotice::instance()
{
    static SettingsNotice notice;
    return notice;
}
