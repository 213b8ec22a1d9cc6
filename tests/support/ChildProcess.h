#pragma once

#include <QProcess>

// A program the test starts (a server, a tray host, a bus), ended by its PID when the test
// is done with it, however the test ends.
class ChildProcess : public QProcess {
public:
    ~ChildProcess() override
    {
        terminate();
        if (!waitForFinished(5000)) {
            kill(); // a program that hangs is not left to the tests after this one
            waitForFinished(5000);
        }
    }
};
