// The surroundings every test program runs in, the same for all of them.
#pragma once

#include <QTemporaryDir>

// Made first thing in main, before the application object: time zone UTC, locale C.UTF-8 for the
// system and English (United Kingdom) for QLocale's default, the offscreen platform unless one is
// named, and a home folder and registry folder of the program's own. So no test depends on the
// machine's locale, time zone, display, home folder or hive.
class TSuiteEnvironment {
public:
    TSuiteEnvironment();
    TSuiteEnvironment(const TSuiteEnvironment&) = delete;
    TSuiteEnvironment& operator=(const TSuiteEnvironment&) = delete;

private:
    QTemporaryDir FHome;
    QTemporaryDir FRegistry;
};
