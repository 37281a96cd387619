#pragma once

// The page "Scan settings" of the settings dialog: the address ranges a scan
// walks, the two ports, the pause between datagrams and the broadcast and
// old-protocol switches.

#include <QWidget>

class IPv4Edit;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;
class TSettings;

class SettingsScanPage : public QWidget {
    Q_OBJECT
public:
    SettingsScanPage(TSettings& settings, QWidget* parent);

    QCheckBox* CBBroadcast = nullptr;
    QCheckBox* CBOld = nullptr;
    QTreeWidget* LWranges = nullptr;
    QPushButton* SpeedButton1 = nullptr;  // "Move up"
    QPushButton* SpeedButton2 = nullptr;  // "Move down"
    IPv4Edit* IPE1 = nullptr;
    IPv4Edit* IPE2 = nullptr;
    QPushButton* SpeedButton3 = nullptr;  // "0..255"
    QPushButton* SBAdd = nullptr;
    QPushButton* SBDel = nullptr;
    QLineEdit* CSport = nullptr;
    QLineEdit* HLTVport = nullptr;
    QSpinBox* SEDelay = nullptr;

    // Appends a row of the ranges list as Load and "Add" make it.
    QTreeWidgetItem* appendRange(const QString& from, const QString& to, bool checked);

public slots:
    void SBAddClick();
    void SBDelClick();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void TS2Show();

private:
    void swapWithRow(int offset);

    TSettings& m_settings;
};
