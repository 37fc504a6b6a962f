#pragma once

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

// Gives the running test its own configuration file and data folders, never the user's.
// Call from initTestCase(); keep the returned folder alive for the whole test.
inline std::unique_ptr<QTemporaryDir> UseTemporaryConfig()
{
    auto dir = std::make_unique<QTemporaryDir>();
    QStandardPaths::setTestModeEnabled(true);
    qputenv("PENDWICK_CONFIG", dir->filePath(QStringLiteral("registry.ini")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", dir->filePath(QStringLiteral("config")).toLocal8Bit());
    return dir;
}
