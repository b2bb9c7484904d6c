#pragma once

#include <QString>

// The program's version record: what the version window and the command line
// show. The build sets it once; tests make records of their own.
struct VersionInfo {
    QString title;
    int major = 0;
    int minor = 0;
    int revision = 0;
    QString comment;
    QString company;
    QString copyright;

    // The record of this build.
    static VersionInfo program();

    // "major.minor.revision", each in plain decimal: 2.0.0, or 2.0.12.
    QString number() const;
};
