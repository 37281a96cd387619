#include "app/settings/main_page.h"

#include "app/settings/page_widgets.h"
#include "app/settings/settings_dialog.h"
#include "display/display_text.h"
#include "core/settings/settings_keys.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

using namespace settings_pages;

namespace {

QString latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

SettingsMainPage::SettingsMainPage(TSettings& settings, QWidget* parent)
    : QWidget(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("TS1"));

    CBGame = named(new QComboBox(this), "CBGame");
    for (auto game : zarnek::settings::kGameNames)
        CBGame->addItem(latin1(game).toUpper());
    EditExe = named(new QLineEdit(this), "EditExe");
    EditExe->setReadOnly(true);
    SBExe = named(new QPushButton(QStringLiteral("..."), this), "SBExe");
    SBExe->setToolTip(QStringLiteral("Find file"));
    SBExe->setAccessibleName(QStringLiteral("Find file"));
    SBExe->setFixedWidth(30);
    EditParam = named(new QLineEdit(this), "EditParam");
    CBParams = named(new QComboBox(this), "CBParams");
    CBParams->setEditable(false);
    BitBtn2 = named(new QPushButton(this), "BitBtn2");
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    BitBtn2->setToolTip(QStringLiteral("Append param"));
    BitBtn2->setAccessibleName(QStringLiteral("Append param"));
    BitBtn1 = named(new QPushButton(QStringLiteral("Default"), this), "BitBtn1");
    BitBtn1->setToolTip(QStringLiteral("Restore params ot default"));
    BBSave = named(new QPushButton(QStringLiteral("Save"), this), "BBSave");
    BBSave->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    BBSave->setEnabled(false);
    CBDclick = named(new QCheckBox(QStringLiteral("Connect on double click"), this), "CBDclick");
    CBTrans = named(new QCheckBox(QStringLiteral("Transparency"), this), "CBTrans");
    TBTrans = named(new QSlider(Qt::Horizontal, this), "TBTrans");
    TBTrans->setRange(50, 255);
    TBTrans->setValue(255);
    TBTrans->setTickInterval(3);
    TBTrans->setTickPosition(QSlider::TicksBelow);
    TBTrans->setEnabled(false);
    TBTrans->setAccessibleName(QStringLiteral("Transparency level"));

    OD = named(new QFileDialog(this), "OD");
    OD->setFileMode(QFileDialog::ExistingFile);
    OD->setAcceptMode(QFileDialog::AcceptOpen);
    // The entries read as the games' own names ("Half-Life (hl.exe)"), while
    // they also match the Linux launchers.
    OD->setOption(QFileDialog::HideNameFilterDetails);
    OD->setSizeGripEnabled(true);

    auto* grid = new QGridLayout;
    grid->addWidget(labelFor(CBGame, QStringLiteral("Game:")), 0, 0);
    grid->addWidget(CBGame, 0, 1, Qt::AlignLeft);
    grid->addWidget(labelFor(EditExe, QStringLiteral("Exe path:")), 1, 0);
    auto* exeRow = new QHBoxLayout;
    exeRow->addWidget(EditExe, 1);
    exeRow->addWidget(SBExe);
    grid->addLayout(exeRow, 1, 1);
    grid->addWidget(labelFor(EditParam, QStringLiteral("Parameters:")), 2, 0);
    grid->addWidget(EditParam, 2, 1);
    auto* paramRow = new QHBoxLayout;
    paramRow->addWidget(CBParams, 1);
    paramRow->addWidget(BitBtn2);
    paramRow->addWidget(BitBtn1);
    paramRow->addStretch();
    paramRow->addWidget(BBSave);
    grid->addLayout(paramRow, 3, 1);
    grid->setColumnStretch(1, 1);
    EditExe->setMinimumWidth(300);

    auto* transRow = new QHBoxLayout;
    transRow->addWidget(CBTrans);
    transRow->addWidget(TBTrans, 1);
    auto* page = new QVBoxLayout(this);
    page->addLayout(grid);
    page->addSpacing(6);
    page->addWidget(CBDclick);
    page->addLayout(transRow);
    page->addStretch();

    connect(CBGame, &QComboBox::currentIndexChanged, this, &SettingsMainPage::CBGameChange);
    connect(SBExe, &QPushButton::clicked, this, &SettingsMainPage::SBExeClick);
    connect(EditParam, &QLineEdit::textEdited, this, &SettingsMainPage::EditParamKeyPress);
    connect(BBSave, &QPushButton::clicked, this, &SettingsMainPage::BBSaveClick);
    connect(BitBtn1, &QPushButton::clicked, this, &SettingsMainPage::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &SettingsMainPage::BitBtn2Click);
    connect(CBTrans, &QCheckBox::toggled, this, &SettingsMainPage::CBTransClick);
    connect(TBTrans, &QSlider::valueChanged, this, &SettingsMainPage::TBTransChange);
}

QStringList SettingsMainPage::executableFilters(int game)
{
    const QString all = QStringLiteral("All files (*)");
    if (game >= 0 && game <= 3)
        return {QStringLiteral("Half-Life (hl.exe) (hl.exe hl.sh hl_linux)"), all};
    if (game == 4 || game == 5)
        return {QStringLiteral("Half-Life2 (hl2.exe) (hl2.exe hl2.sh hl2_linux)"), all};
    return {};
}

void SettingsMainPage::CBGameChange(int index)
{
    if (index < 0 || index >= zarnek::settings::kGameCount)
        return;
    EditExe->setText(m_settings.ExePath[index]);
    EditParam->setText(m_settings.Param[index]);
}

void SettingsMainPage::SBExeClick()
{
    const QStringList filters = executableFilters(CBGame->currentIndex());
    if (!filters.isEmpty()) {
        OD->setNameFilters(filters);
        OD->selectNameFilter(filters.first());
    }
    if (OD->exec() != QDialog::Accepted || OD->selectedFiles().isEmpty())
        return;
    EditExe->setText(OD->selectedFiles().first());
    BBSave->setEnabled(true);
}

void SettingsMainPage::EditParamKeyPress() { BBSave->setEnabled(true); }

void SettingsMainPage::BBSaveClick()
{
    const int game = CBGame->currentIndex();
    if (game >= 0 && game < zarnek::settings::kGameCount) {
        m_settings.ExePath[game] = EditExe->text();
        m_settings.Param[game] = EditParam->text();
    }
    BBSave->setEnabled(false);
}

void SettingsMainPage::BitBtn1Click()
{
    const QString before = EditParam->text();
    const int game = CBGame->currentIndex();
    if (game >= 0 && game < zarnek::settings::kGameCount)
        EditParam->setText(latin1(zarnek::settings::kDefaultGameParams[static_cast<std::size_t>(game)]));
    if (EditParam->text() != before)
        BBSave->setEnabled(true);
}

void SettingsMainPage::BitBtn2Click()
{
    if (CBParams->currentIndex() < 0)
        return;
    EditParam->setText(EditParam->text() + QLatin1Char(' ') + CBParams->currentText());
    BBSave->setEnabled(true);
}

void SettingsMainPage::CBTransClick(bool checked)
{
    m_settings.switchTranslucency(checked);
    TBTrans->setEnabled(checked);
}

void SettingsMainPage::TBTransChange(int position) { m_settings.setTranslucencyLevel(position); }

void SettingsMainPage::TS1Show()
{
    TBTrans->setValue(std::clamp<int>(m_settings.TransLevel, TBTrans->minimum(), TBTrans->maximum()));
}
