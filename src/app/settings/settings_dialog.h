#pragma once

// The settings dialog. It holds the live settings of the program in its
// controls and in the fields beside them, which every other window reads at
// the moment it needs a value; it loads them from zarnek.ini when it is
// created (hidden, at start-up) and writes them back when it is destroyed at
// program end. Closing it only hides it.

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

    // Page "Main".
    QTabWidget* PageControl1 = nullptr;
    QWidget* TS1 = nullptr;
    QComboBox* CBGame = nullptr;
    QLineEdit* EditExe = nullptr;
    QPushButton* SBExe = nullptr;
    QLineEdit* EditParam = nullptr;
    QComboBox* CBParams = nullptr;
    QPushButton* BitBtn2 = nullptr;  // "Append param"
    QPushButton* BitBtn1 = nullptr;  // "Default"
    QPushButton* BBSave = nullptr;
    QCheckBox* CBDclick = nullptr;
    QCheckBox* CBTrans = nullptr;
    QSlider* TBTrans = nullptr;

    // Page "Scan settings".
    QWidget* TS2 = nullptr;
    QCheckBox* CBBroadcast = nullptr;
    QCheckBox* CBOld = nullptr;
    QTreeWidget* LWranges = nullptr;
    QLineEdit* CSport = nullptr;
    QLineEdit* HLTVport = nullptr;
    QSpinBox* SEDelay = nullptr;

    // Page "Favorites".
    QWidget* TS3 = nullptr;
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

public slots:
    void CBGameChange(int index);
    void CBTransClick(bool checked);
    void TBTransChange(int position);
    void CBAutoUpdateClick(bool checked);
    void SEUpdIntervalChange(int value);
    void TS1Show();
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildMainPage();
    void buildScanPage();
    void buildFavoritesPage();
    void Load();
    void SaveAtExit();
    zarnek::settings::SettingsValues liveValues() const;
    QList<QWidget*> translucencyFollowers() const;

    TForm1& m_form1;
    zarnek::settings::SettingsFile m_file;
    bool m_centred = false;
    QList<QPointer<QWidget>> m_followers;
    bool m_failuresToStandardError = false;
};
