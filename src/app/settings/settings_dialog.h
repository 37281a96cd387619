#pragma once

// The settings dialog. It holds the live settings of the program in its
// controls and in the fields beside them, which every other window reads at
// the moment it needs a value; it loads them from zarnek.ini when it is
// created (hidden, at start-up) and writes them back when it is destroyed at
// program end. Closing it only hides it.

#include "app/settings/favorites_page.h"
#include "app/settings/main_page.h"
#include "app/settings/scan_page.h"
#include "app/settings/settings_file_path.h"
#include "core/settings/settings_file.h"
#include "core/settings/settings_model.h"

// The controls' own headers, since other windows read the live values
// straight from them.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QList>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QString>
#include <QTabWidget>
#include <QTreeWidget>
#include <functional>

class SettingsFavoritesPage;
class SettingsMainPage;
class SettingsScanPage;
class TForm1;

class TSettings : public QDialog {
    Q_OBJECT
public:
    // Opens the settings file at iniPath and loads every setting into the
    // controls (and the main window: its size, the scan-port choice, the
    // favourites timer and its status panel). Sets form1.Settings to this
    // dialog first, so that the scan-port choice Load makes is stored as a
    // user's would be.
    TSettings(TForm1& form1, const QString& iniPath, QWidget* parent = nullptr);
    // Writes every setting back (one replacement of the file) and closes it.
    ~TSettings() override;

    // The columns of the two lists.
    enum RangeColumn { RangeFromColumn = 0, RangeToColumn = 1 };  // check box on column 0
    enum FavColumn { FavAddressColumn = 0, FavPortColumn = 1 };

    // The pages, each with its controls and handlers.
    QTabWidget* PageControl1 = nullptr;
    SettingsMainPage* TS1 = nullptr;
    SettingsScanPage* TS2 = nullptr;
    SettingsFavoritesPage* TS3 = nullptr;

    // The controls other windows read the live settings from, as the pages
    // hold them.
    QComboBox* CBGame = nullptr;
    QLineEdit* EditExe = nullptr;
    QLineEdit* EditParam = nullptr;
    QComboBox* CBParams = nullptr;
    QPushButton* BBSave = nullptr;
    QCheckBox* CBDclick = nullptr;
    QCheckBox* CBTrans = nullptr;
    QSlider* TBTrans = nullptr;
    QCheckBox* CBBroadcast = nullptr;
    QCheckBox* CBOld = nullptr;
    QTreeWidget* LWranges = nullptr;
    QLineEdit* CSport = nullptr;
    QLineEdit* HLTVport = nullptr;
    QSpinBox* SEDelay = nullptr;
    QTreeWidget* LVFav = nullptr;
    QCheckBox* CBAutoUpdate = nullptr;
    QSpinBox* SEUpdInterval = nullptr;

    // The executable and parameters in force per game index; the page's edits
    // reach them only through "Save".
    QString ExePath[6];
    QString Param[6];
    // Translucency of the program's windows: on or off, and the alpha (255
    // opaque).
    bool Trans = false;
    quint8 TransLevel = 255;

    // Writes the ranges list into [Ranges] at once.
    void SaveRanges();
    // Writes [Settings] GameType at once; RGClick of the main window calls it.
    void storeGameType(int index);
    // Opens the dialog without blocking the main window.
    void showNonModal();
    // A window that turns opaque at once when translucency is switched off
    // and takes a new level at once (the password prompt, the about box).
    void followTranslucency(QWidget* window);

    // The open settings file, for the windows that keep a section of their own
    // in it (the password prompt).
    const zarnek::settings::SettingsFile& settingsFile() const { return m_file; }
    // Runs one operation of writes on the file; a failure shows "Unable to
    // write to <path>" and leaves the file as it was. False on failure and
    // once the file is closed.
    bool writeSettings(const std::function<void(zarnek::settings::IniDocument&)>& edit);
    // From now on a failed write is reported on standard error instead of in
    // a box: the program is ending on a termination signal, and nobody may be
    // there to answer a box, which would hold the end up.
    void reportWriteFailuresOnStandardError() { m_failuresToStandardError = true; }
    // The program is ending: the password prompt's section and the save at
    // exit are written one after the other, and a file that cannot take the
    // first cannot take the second; its failure is reported once.
    void beginEnding() { m_ending = true; }

    // Translucency on or off for the main window and this dialog; off also
    // for the windows that follow the switch.
    void switchTranslucency(bool on);
    // The level of every translucent window that follows it.
    void setTranslucencyLevel(int level);

    // The system's beep, for the characters the port fields refuse; a test
    // counts it instead.
    std::function<void()> beep;

public slots:
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Load();
    void SaveAtExit();
    zarnek::settings::SettingsValues liveValues() const;
    QList<QWidget*> translucencyFollowers() const;

    TForm1& m_form1;
    zarnek::settings::SettingsFile m_file;
    bool m_centred = false;
    QList<QPointer<QWidget>> m_followers;
    bool m_failuresToStandardError = false;
    bool m_ending = false;
    bool m_endingFailureReported = false;
};
