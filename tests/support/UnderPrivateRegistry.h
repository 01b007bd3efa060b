// A test with a registry of its own, so that no test ever reaches the user's hive.
#pragma once

#include "Tessel/Rtl/FileRegistryBackend.h"
#include "Tessel/Rtl/Registry.h"
#include "support/TEnvironment.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// WRENFOLD_REGISTRY_DIR names a fresh temporary folder while the test runs and registry objects use
// the registry files there. Every registry test derives from this; it stops the test at once when
// the registry would be anywhere else.
class UnderPrivateRegistry : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FDir.isValid());
        FEnvironment.Set("WRENFOLD_REGISTRY_DIR", FDir.path());
        Tessel::SetRegistryBackend(nullptr);
        ASSERT_EQ(Tessel::RegistryFolder(), FDir.path());
    }
    void TearDown() override { Tessel::SetRegistryBackend(nullptr); }

    QString RegistryDir() const { return FDir.path(); }
    QString HiveFile(Tessel::HKEY ARoot) const {
        return Tessel::TFileRegistryBackend(FDir.path()).HiveFileName(ARoot);
    }

private:
    QTemporaryDir FDir;
    TEnvironment FEnvironment; // put back before the folder goes
};
