#pragma once

#include "core/Form.h"

class QLabel;

// The splash window. Its load is the whole start-up of the program.
class OpenForm : public Form {
    Q_OBJECT
public:
    OpenForm();

    void Form_Load() override;

    QLabel *SplashImage = nullptr;
    QLabel *VersionLabel = nullptr;
    QLabel *Label1 = nullptr;

    // Days since the last version check after which start-up checks again.
    static constexpr int CheckIntervalDays = 20;

    // Keeps a failed automatic check from coming back before the interval is over.
    static void recordFailedCheck();

private:
    bool refuseSecondInstance();
    void recordLogonName();
    void seedRandom();
    void noticeFirstRunOfRevision();
    void takeWayOn();
    bool versionCheckDue();
    void startPlayer();
    template <class UpdateWindow> UpdateWindow &handOverTo(const QString &reason);
};
