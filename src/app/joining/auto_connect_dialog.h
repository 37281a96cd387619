#pragma once

// The auto-connect dialog: the server to watch comes from the selected row,
// the condition from here ("<=" or ">" a number of players), with an optional
// question before joining and an optional password. OK arms auto-connect.
// Created once and reused, so its controls keep their values between
// openings; while auto-connect is armed it stays hidden, and the check on
// each answer reads its comparison and its question box.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TForm1;

class TFormAuto : public QDialog {
    Q_OBJECT
public:
    explicit TFormAuto(TForm1& form1, QWidget* parent = nullptr);

    // The Auto button while disarmed: shows the dialog, then takes the caption
    // and the threshold's bounds from the selected row, if there is one.
    void openForSelection();

    QLabel* Label1 = nullptr;
    QComboBox* CB = nullptr;
    QSpinBox* SPNeed = nullptr;
    QCheckBox* CBAsk = nullptr;
    QCheckBox* CBPass = nullptr;
    QLineEdit* EditPass = nullptr;
    QPushButton* BitBtn1 = nullptr;  // OK: arm
    QPushButton* BitBtn2 = nullptr;  // Cancel
    QLabel* Image1 = nullptr;

public slots:
    void BitBtn1Click();
    void BitBtn2Click();
    void CBPassClick(bool checked);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();

    TForm1& m_form1;
    bool m_centred = false;
};
