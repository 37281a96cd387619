#pragma once

// The program's windows with fake adapters and a settings file of the test's
// own, with helpers to list servers and select them.

#include "app/joining/auto_connect_dialog.h"
#include "app/joining/password_prompt.h"
#include "app/settings/settings_dialog.h"
#include "app/shell/main_window.h"
#include "app/shell/server_list_view.h"
#include "tests/support/info_answers.h"
#include "tests/support/test_program.h"

#include <QTemporaryDir>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

class JoiningTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        start();
    }
    void TearDown() override { end(); }

    QString iniPath() const { return dir.filePath(QStringLiteral("zarnek.ini")); }

    // A run of the program: the windows in their order, the main window shown.
    void start()
    {
        program = std::make_unique<TestProgram>(iniPath());
        settings().CBOld->setChecked(false);
        settings().ExePath[2] = QStringLiteral("/games/hl/hl_linux");
        form().show();
    }
    // The end of the run, in reverse order, so the files are written.
    void end()
    {
        if (!program)
            return;
        program->end();
        program.reset();
    }

    TForm1& form() const { return program->form(); }
    TSettings& settings() const { return *program->settings; }
    FakeGameLauncher& launcher() const { return *program->fakes.launcher; }
    FakeUdpEndpoint& udp() const { return *program->fakes.udp; }
    TFormPass& prompt() const { return *program->windows.FormPass; }
    TFormAuto& dialog() const { return *program->windows.FormAuto; }

    // An answer from address:port, listed as a row.
    void answer(const QString& address, int port, GoldSrcAnswer info = {})
    {
        info.stated = (address + QLatin1Char(':') + QString::number(port)).toLatin1();
        udp().inject(goldSrcInfo(info), address, port);
    }
    void select(int row) { form().LW->setCurrentItem(form().LW->topLevelItem(row)); }
    int rows() const { return form().LW->topLevelItemCount(); }

    QTemporaryDir dir;
    std::unique_ptr<TestProgram> program;
};
