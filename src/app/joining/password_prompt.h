#pragma once

// The password prompt: shown instead of starting the game when the user joins
// a password-protected server without a password. OK records the password
// for this and every later join and joins again; Cancel abandons the join.
// The last text typed and whether it was shown in clear live in [Password] of
// the settings file from one run to the next.

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TForm1;
class TSettings;

class TFormPass : public QDialog {
    Q_OBJECT
public:
    // Reads [Password] of the settings file, which the settings dialog has
    // opened.
    TFormPass(TForm1& form1, TSettings& settings, QWidget* parent = nullptr);
    // Writes [Password] (erased, then LastPass and ShowPass) while the
    // settings file is still open.
    ~TFormPass() override;

    // Shows the prompt without blocking the main window.
    void showPrompt();

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* MEPass = nullptr;
    QCheckBox* CBShowPass = nullptr;
    QPushButton* BitBtn1 = nullptr;  // OK
    QPushButton* BitBtn2 = nullptr;  // Cancel

public slots:
    void CBShowPassClick(bool checked);
    void BitBtn1Click();
    void BitBtn2Click();

protected:
    void showEvent(QShowEvent* event) override;
    // Esc is the Cancel button; the title bar's close only hides.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormDestroy();

    TForm1& m_form1;
    TSettings& m_settings;
    bool m_centred = false;
};
