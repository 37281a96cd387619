#include "app/joining/auto_connect_dialog.h"

#include "app/joining/joining_look.h"
#include "app/settings/translucency.h"
#include "display/display_text.h"
#include "app/shell/main_window.h"
#include "app/shell/server_list_view.h"
#include "app/shell/window_placement.h"
#include "core/joining/join_text.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QTimer>

namespace joining = zarnek::joining;

namespace {

template <typename Widget>
Widget* bold(Widget* widget)
{
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
    return widget;
}

}  // namespace

TFormAuto::TFormAuto(TForm1& form1, QWidget* parent) : QDialog(parent), m_form1(form1)
{
    setObjectName(QStringLiteral("FormAuto"));
    setWindowTitle(QStringLiteral("Auto connect to "));
    setModal(false);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(paintAutoConnectPicture(32));
    Image1->setFixedSize(32, 32);
    Label1 = bold(new QLabel(QStringLiteral("Connect then players:"), this));
    Label1->setObjectName(QStringLiteral("Label1"));
    CB = bold(new QComboBox(this));
    CB->setObjectName(QStringLiteral("CB"));
    CB->addItems({QStringLiteral("<="), QStringLiteral(">")});
    CB->setCurrentIndex(0);
    CB->setFocusPolicy(Qt::ClickFocus);  // not a tab stop
    SPNeed = new QSpinBox(this);
    SPNeed->setObjectName(QStringLiteral("SPNeed"));
    SPNeed->setRange(0, 64);
    SPNeed->setValue(9);
    CBAsk = bold(new QCheckBox(QStringLiteral("Ask me before connect"), this));
    CBAsk->setObjectName(QStringLiteral("CBAsk"));
    CBPass = bold(new QCheckBox(QStringLiteral("Password:"), this));
    CBPass->setObjectName(QStringLiteral("CBPass"));
    EditPass = new QLineEdit(this);
    EditPass->setObjectName(QStringLiteral("EditPass"));
    EditPass->setEnabled(false);
    makeOkCancel(*this, BitBtn1, BitBtn2);

    auto* condition = new QHBoxLayout;
    condition->addWidget(CB);
    condition->addWidget(SPNeed, 1);
    auto* password = new QHBoxLayout;
    password->addWidget(CBPass);
    password->addWidget(EditPass, 1);
    auto* fields = new QVBoxLayout;
    fields->addWidget(Label1);
    fields->addLayout(condition);
    fields->addWidget(CBAsk);
    fields->addLayout(password);
    layOutJoiningDialog(*this, Image1, fields, BitBtn1, BitBtn2);

    connect(CBPass, &QCheckBox::toggled, this, &TFormAuto::CBPassClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormAuto::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFormAuto::BitBtn2Click);
    // Esc and the title bar's close hide the dialog, as Cancel does.
}

void TFormAuto::showEvent(QShowEvent* event)
{
    centreOnFirstShow(*this, m_centred);
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

// The level in force when it opens; while it is open the settings do not
// reach it.
void TFormAuto::FormShow() { applyTranslucencyOnShow(*this, m_form1.Settings, false); }

void TFormAuto::openForSelection()
{
    showInFront(*this);
    const int row = m_form1.LWItemIndex();
    if (row < 0)
        return;  // keeps the caption and values of the last opening
    const auto& server = m_form1.serverRows()[static_cast<std::size_t>(row)];
    setWindowTitle(QStringLiteral("Auto connect to ") + displayText(server.address));
    std::string invalid;
    const auto box = joining::NeedBoxFor(server.players, &invalid);
    if (!box) {
        QMessageBox::critical(this, QStringLiteral("Error"),
                              QStringLiteral("'%1' is not a valid integer value")
                                  .arg(displayText(invalid)),
                              QMessageBox::Ok);
        return;
    }
    SPNeed->setMaximum(box->maximum);
    SPNeed->setValue(box->value);
}

void TFormAuto::CBPassClick(bool checked) { EditPass->setEnabled(checked); }

void TFormAuto::BitBtn2Click() { hide(); }

void TFormAuto::BitBtn1Click()
{
    // Arming needs a row to watch; without one the dialog stays as it is.
    const int row = m_form1.LWItemIndex();
    if (row < 0)
        return;
    TForm1& f = m_form1;
    f.setTrayCycling(false);
    f.TimerAuto->stop();
    f.SBScanAll->setEnabled(false);
    f.SBRefresh->setEnabled(false);
    f.AutoConnectOn = false;

    const auto& server = f.serverRows()[static_cast<std::size_t>(row)];
    f.AutoTarget = displayText(server.address);
    f.AutoPort = displayText(server.port);
    f.TimerAuto->start();
    f.AutoMissed = 0;
    f.AutoNeed = SPNeed->value();
    if (EditPass->isEnabled() && !EditPass->text().isEmpty()) {
        f.PassGiven = true;
        f.PassArg = QString::fromStdString(joining::PasswordArgument(wireText(EditPass->text())));
    }

    f.AutoConnectOn = true;
    f.setAutoButtonArmed(true);
    f.setTrayCycling(true);
    hide();
    f.setStatusText(2, QString::fromStdString(joining::AutoConnectWaitingText(
                           wireText(f.AutoTarget), wireText(CB->currentText()),
                           wireText(SPNeed->text()))));
}
