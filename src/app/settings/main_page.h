#pragma once

// The page "Main" of the settings dialog: per game the executable to start
// and its parameters, the double-click switch and the translucency of the
// program's windows.

#include <QWidget>

class QCheckBox;
class QComboBox;
class QFileDialog;
class QLineEdit;
class QPushButton;
class QSlider;
class TSettings;

class SettingsMainPage : public QWidget {
    Q_OBJECT
public:
    SettingsMainPage(TSettings& settings, QWidget* parent);

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
    // The file dialog of "...": it keeps its filter from one use to the next.
    QFileDialog* OD = nullptr;

    // The name filters of "..." for a game index: the executables of the
    // game, then all files (a game started through Steam).
    static QStringList executableFilters(int game);

public slots:
    void CBGameChange(int index);
    void SBExeClick();
    void EditParamKeyPress();
    void BBSaveClick();
    void BitBtn1Click();
    void BitBtn2Click();
    void CBTransClick(bool checked);
    void TBTransChange(int position);
    void TS1Show();

private:
    TSettings& m_settings;
};
