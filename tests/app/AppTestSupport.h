// SPDX-License-Identifier: GPL-3.0-or-later
// Fakes and helpers for the window tests.
#pragma once

#include "Fakes.h"
#include "Platform.h"
#include "Unt_Main.h"
#include "Widgets.h"
#include "WindowOwner.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>

// A fresh XDG_CONFIG_HOME and fake launcher and error box for each test.
class AppFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(config_.isValid());
        ::setenv("XDG_CONFIG_HOME", QFile::encodeName(config_.path()).constData(), 1);
    }
    void TearDown() override {
        // A test that failed half-way may leave a modal dialog open: close it.
        while (QWidget* modal = QApplication::activeModalWidget())
            delete modal;
    }
    QByteArray hive() const {
        QFile f(config_.path() + QStringLiteral("/velmora/user.reg"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeHive(const QByteArray& text) const {
        QDir().mkpath(config_.path() + QStringLiteral("/velmora"));
        QFile f(config_.path() + QStringLiteral("/velmora/user.reg"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    QTemporaryDir config_;
    std::shared_ptr<FakeLauncher> launcher_ = std::make_shared<FakeLauncher>();
    std::shared_ptr<FakeErrorBox> errors_ = std::make_shared<FakeErrorBox>();
    Platform::ScopedService<Platform::Launcher> launcherScope_{launcher_};
    Platform::ScopedService<Platform::ErrorBox> errorScope_{errors_};
};

// A shown main window whose quit requests are counted instead of ending the test's loop.
class MainWindowFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        window_ = std::make_unique<TFrmmain>();
        window_->RequestQuit = [this] { ++quits_; };
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }
    void TearDown() override {
        Platform::DestroyOwnedWindows();
        window_.reset();
        AppFixture::TearDown();
    }

    std::unique_ptr<TFrmmain> window_;
    int quits_ = 0;
};
