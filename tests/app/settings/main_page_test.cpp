// The page "Main" as a user works it: choosing a game's executable, editing
// and committing its parameters, and when "Save" is enabled.
#include "app/settings/main_page.h"
#include "tests/app/settings/settings_fixture.h"
#include "tests/support/modal_answer.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using MainPageTest = SettingsFixture;

// Answers the file dialog with one file, or cancels it.
void answerFileDialog(ModalAnswerer& answer, const QString& file)
{
    answer.onDialog = [file](QDialog* dialog) {
        auto* od = qobject_cast<QFileDialog*>(dialog);
        if (!od || file.isEmpty()) {
            dialog->reject();
            return;
        }
        // As if typed: selectFile() leaves a focused name field alone.
        if (auto* name = od->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            name->setText(file);
        dialog->accept();  // QFileDialog::accept, through the public base
    };
}

}  // namespace

TEST_F(MainPageTest, AChosenExecutableCountsOnlyOnceSaved)
{
    const QString hl = dir.filePath(QStringLiteral("hl_linux"));
    QFile(hl).open(QIODevice::WriteOnly);
    start();
    SettingsMainPage& page = *settings->TS1;
    // The test answers Qt's own dialog; the desktop's may stand in for it.
    page.OD->setOption(QFileDialog::DontUseNativeDialog);
    page.OD->setDirectory(dir.path());

    // Cancelled: nothing changes.
    {
        ModalAnswerer answer;
        answerFileDialog(answer, QString());
        page.SBExe->click();
    }
    EXPECT_EQ(page.EditExe->text(), QString());
    EXPECT_FALSE(page.BBSave->isEnabled());

    // Chosen, then another game selected without "Save": the choice is lost.
    {
        ModalAnswerer answer;
        answerFileDialog(answer, hl);
        page.SBExe->click();
    }
    EXPECT_EQ(page.EditExe->text(), hl);
    EXPECT_TRUE(page.BBSave->isEnabled());
    page.CBGame->setCurrentIndex(4);
    EXPECT_EQ(page.EditExe->text(), QString());
    EXPECT_EQ(page.EditParam->text(), QStringLiteral("-steam -game cstrike -console"));
    EXPECT_TRUE(page.BBSave->isEnabled());  // selecting a game leaves "Save" as it was
    page.CBGame->setCurrentIndex(0);
    EXPECT_EQ(settings->ExePath[0], QString());
    EXPECT_EQ(page.EditExe->text(), QString());

    // Chosen and saved: in force, and "Save" has nothing left to commit.
    {
        ModalAnswerer answer;
        answerFileDialog(answer, hl);
        page.SBExe->click();
    }
    page.BBSave->click();
    EXPECT_EQ(settings->ExePath[0], hl);
    EXPECT_FALSE(page.BBSave->isEnabled());
}

TEST_F(MainPageTest, TheFileDialogOffersTheGamesExecutablesAndAllFiles)
{
    const struct {
        int game;
        QString shown;
        QString patterns;
    } cases[] = {
        {0, QStringLiteral("Half-Life (hl.exe)"), QStringLiteral("hl.exe hl.sh hl_linux")},
        {3, QStringLiteral("Half-Life (hl.exe)"), QStringLiteral("hl.exe hl.sh hl_linux")},
        {4, QStringLiteral("Half-Life2 (hl2.exe)"), QStringLiteral("hl2.exe hl2.sh hl2_linux")},
        {5, QStringLiteral("Half-Life2 (hl2.exe)"), QStringLiteral("hl2.exe hl2.sh hl2_linux")},
    };
    start();
    SettingsMainPage& page = *settings->TS1;
    page.OD->setOption(QFileDialog::DontUseNativeDialog);
    for (const auto& c : cases) {
        page.CBGame->setCurrentIndex(c.game);
        ModalAnswerer answer;
        QStringList seen;
        answer.onDialog = [&seen](QDialog* dialog) {
            seen = static_cast<QFileDialog*>(dialog)->nameFilters();
            seen.append(static_cast<QFileDialog*>(dialog)->selectedNameFilter());
            dialog->reject();
        };
        page.SBExe->click();
        const QString first = QStringLiteral("%1 (%2)").arg(c.shown, c.patterns);
        // Listed with their patterns, shown by their names only.
        EXPECT_EQ(seen.join(QLatin1Char('|')).toStdString(),
                  QStringList({first, QStringLiteral("All files (*)"), c.shown}).join(QLatin1Char('|')).toStdString())
            << c.game;
        EXPECT_TRUE(page.OD->testOption(QFileDialog::HideNameFilterDetails));
    }
}

TEST_F(MainPageTest, ParameterEditsEnableSave)
{
    start();
    SettingsMainPage& page = *settings->TS1;
    page.CBGame->setCurrentIndex(1);
    EXPECT_EQ(page.EditParam->text(), QStringLiteral("-game cstrike -console"));

    // "Default" on the default text: "Save" stays as it was.
    page.BitBtn1->click();
    EXPECT_FALSE(page.BBSave->isEnabled());

    // Append: one space and the chosen parameter, each time; none chosen: nothing.
    page.EditParam->setText(QStringLiteral("-game cstrike"));
    page.BitBtn2->click();
    EXPECT_EQ(page.EditParam->text(), QStringLiteral("-game cstrike"));
    EXPECT_FALSE(page.BBSave->isEnabled());
    page.CBParams->setCurrentIndex(page.CBParams->findText(QStringLiteral("-freq 100")));
    page.BitBtn2->click();
    page.BitBtn2->click();
    EXPECT_EQ(page.EditParam->text(), QStringLiteral("-game cstrike -freq 100 -freq 100"));
    EXPECT_TRUE(page.BBSave->isEnabled());
    page.EditParam->clear();
    page.BitBtn2->click();
    EXPECT_EQ(page.EditParam->text(), QStringLiteral(" -freq 100"));

    // "Default" that changes the text enables "Save".
    page.BBSave->click();
    EXPECT_EQ(settings->Param[1], QStringLiteral(" -freq 100"));
    page.BitBtn1->click();
    EXPECT_EQ(page.EditParam->text(), QStringLiteral("-game cstrike -console"));
    EXPECT_TRUE(page.BBSave->isEnabled());

    // A key typed enables it.
    page.BBSave->click();
    QTest::keyClicks(page.EditParam, QStringLiteral(" -dev"));
    EXPECT_TRUE(page.BBSave->isEnabled());
    EXPECT_EQ(settings->Param[1], QStringLiteral("-game cstrike -console"));

    // Reopened after an unsaved edit: "Save" disabled, the edit as it was left.
    settings->showNonModal();
    settings->hide();
    settings->showNonModal();
    EXPECT_FALSE(page.BBSave->isEnabled());
    EXPECT_EQ(page.EditParam->text(), QStringLiteral("-game cstrike -console -dev"));
    settings->hide();
}
