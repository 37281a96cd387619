#include "app/joining/password_prompt.h"

#include "app/joining/joining_look.h"
#include "app/settings/settings_dialog.h"
#include "app/settings/translucency.h"
#include "display/display_text.h"
#include "app/shell/main_window.h"
#include "app/shell/window_placement.h"
#include "core/joining/join_text.h"
#include "core/settings/settings_model.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace settings = zarnek::settings;

TFormPass::TFormPass(TForm1& form1, TSettings& settingsDialog, QWidget* parent)
    : QDialog(parent), m_form1(form1), m_settings(settingsDialog)
{
    setObjectName(QStringLiteral("FormPass"));
    setWindowTitle(QStringLiteral("Password"));
    setModal(false);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(paintPadlockPicture(32));
    Image1->setFixedSize(32, 32);
    Label1 = new QLabel(QStringLiteral("Enter password:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    MEPass = new QLineEdit(this);
    MEPass->setObjectName(QStringLiteral("MEPass"));
    // Masked with "*" rather than the style's dot.
    MEPass->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    MEPass->setEchoMode(QLineEdit::Password);
    MEPass->setMinimumWidth(170);
    Label1->setBuddy(MEPass);
    CBShowPass = new QCheckBox(QStringLiteral("Show password"), this);
    CBShowPass->setObjectName(QStringLiteral("CBShowPass"));
    makeOkCancel(*this, BitBtn1, BitBtn2);

    auto* fields = new QVBoxLayout;
    fields->addWidget(Label1);
    fields->addWidget(MEPass);
    fields->addWidget(CBShowPass);
    layOutJoiningDialog(*this, Image1, fields, BitBtn1, BitBtn2);

    connect(CBShowPass, &QCheckBox::toggled, this, &TFormPass::CBShowPassClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormPass::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFormPass::BitBtn2Click);

    FormCreate();
}

TFormPass::~TFormPass() { FormDestroy(); }

void TFormPass::FormCreate()
{
    const settings::PasswordValues stored =
        settings::readPassword(m_settings.settingsFile().document());
    CBShowPass->setChecked(stored.showPass);
    // Centred on its first show, once its frame is known: see showEvent.
    MEPass->setText(displayText(stored.lastPass));
}

void TFormPass::FormDestroy()
{
    settings::PasswordValues values;
    values.lastPass = wireText(MEPass->text());
    values.showPass = CBShowPass->isChecked();
    m_settings.writeSettings(
        [&values](settings::IniDocument& doc) { settings::writePassword(doc, values); });
}

void TFormPass::showPrompt()
{
    showInFront(*this);
}

void TFormPass::showEvent(QShowEvent* event)
{
    centreOnFirstShow(*this, m_centred);
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFormPass::FormShow()
{
    applyTranslucencyOnShow(*this, &m_settings);
    MEPass->setFocus();
    MEPass->selectAll();
}

void TFormPass::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        BitBtn2->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFormPass::CBShowPassClick(bool checked)
{
    MEPass->setEchoMode(checked ? QLineEdit::Normal : QLineEdit::Password);
}

void TFormPass::BitBtn1Click()
{
    if (MEPass->text().isEmpty()) {
        MEPass->setFocus();
        return;
    }
    // The list may have been emptied while the prompt was open: then there is
    // no row to join, and the prompt stays with its text until one is chosen.
    if (m_form1.LWItemIndex() < 0)
        return;
    m_form1.PassArg =
        QString::fromStdString(zarnek::joining::PasswordArgument(wireText(MEPass->text())));
    m_form1.PassGiven = true;
    hide();
    m_form1.SBPlayClick();
}

void TFormPass::BitBtn2Click()
{
    hide();
    m_form1.PassGiven = false;
}
