#pragma once

// Answers the modal boxes a test provokes: while it lives, every modal dialog
// that opens is recorded and closed with the chosen button.

#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <functional>

class QDialog;

class QTimer;

class ModalAnswerer : public QObject {
    Q_OBJECT
public:
    explicit ModalAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok);
    ~ModalAnswerer() override;

    void setAnswer(QMessageBox::StandardButton answer) { m_answer = answer; }
    // Answers a dialog that is not a message box (a file dialog, say); without
    // it such a dialog is cancelled.
    std::function<void(QDialog*)> onDialog;
    // The text and caption of every box answered, in order.
    QStringList texts;
    QStringList captions;

private:
    void poll();
    QMessageBox::StandardButton m_answer;
    QTimer* m_timer;
};
