#pragma once

// A run of the program for the settings tests: the real main window with
// fake adapters and the settings dialog on a settings file in a private
// folder; start() and exit() are the program's start and end.

#include "app/settings/settings_dialog.h"
#include "tests/support/test_form.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Texts read as texts in a failure message.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

class SettingsFixture : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(QStringLiteral("zarnek.ini")); }
    void put(const QByteArray& text)
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QByteArray contents() const
    {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    // A run of the program: the main window, then the dialog that loads.
    void start()
    {
        form = makeTestForm();
        settings = std::make_unique<TSettings>(*form.form, path());
    }
    // Its end: the dialog is destroyed first and saves.
    void exit()
    {
        settings.reset();
        form.form.reset();
    }
    void TearDown() override { exit(); }

    QTemporaryDir dir;
    TestForm form;
    std::unique_ptr<TSettings> settings;
};
