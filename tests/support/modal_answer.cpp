#include "tests/support/modal_answer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTimer>

ModalAnswerer::ModalAnswerer(QMessageBox::StandardButton answer)
    : m_answer(answer), m_timer(new QTimer(this))
{
    m_timer->setInterval(5);
    connect(m_timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    m_timer->start();
}

ModalAnswerer::~ModalAnswerer() = default;

void ModalAnswerer::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr)
        return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        texts.append(box->text());
        captions.append(box->windowTitle());
        if (QAbstractButton* b = box->button(m_answer)) {
            b->click();
            return;
        }
        box->reject();
        return;
    }
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        captions.append(dialog->windowTitle());
        texts.append(QString());
        if (onDialog)
            onDialog(dialog);
        else
            dialog->reject();
    }
}
