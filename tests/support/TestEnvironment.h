#pragma once

#include <QString>
#include <gtest/gtest.h>

// Every test program runs with its own XDG config, data and runtime folders.
namespace TestEnvironment {

void prepareDirectories();
void removeDirectories();

QString configHome();
QString dataHome();

// Empties the folders and puts every shared state and platform stand-in back.
void resetAll();

// A message box nobody expected fails the test instead of waiting for a click.
void refuseMessageBoxes();

// Runs posted events, deferred deletes included.
void flushEvents();

} // namespace TestEnvironment

// Stores one of the user's settings, as the options window does.
void setSetting(const QString &name, const QString &value);

// A test that starts from a clean state: no settings, no files, no windows.
class CleanStateTest : public ::testing::Test {
protected:
    void SetUp() override { TestEnvironment::resetAll(); }
    void TearDown() override { TestEnvironment::resetAll(); }
};
