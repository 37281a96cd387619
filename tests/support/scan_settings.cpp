#include "tests/support/scan_settings.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

void prepareForScan(TForm1& form, TSettings& settings, int delay)
{
    form.Settings = &settings;
    settings.LWranges->clear();
    settings.LVFav->clear();
    settings.CSport->setText(QStringLiteral("27015"));
    settings.HLTVport->setText(QStringLiteral("27020"));
    settings.SEDelay->setValue(delay);
    settings.CBOld->setChecked(false);
    settings.CBBroadcast->setChecked(false);
    form.setRGIndex(0);
    form.SBScanAll->setEnabled(true);
}

void addRange(TSettings& settings, const char* from, const char* to, bool checked)
{
    auto* item = new QTreeWidgetItem(settings.LWranges,
                                     {QString::fromLatin1(from), QString::fromLatin1(to)});
    item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

void addFavourite(TSettings& settings, const char* host, const char* port)
{
    new QTreeWidgetItem(settings.LVFav, {QString::fromLatin1(host), QString::fromLatin1(port)});
}

void openScanWindow(std::unique_ptr<TForm1>& form, std::unique_ptr<TSettings>& settings,
                    TForm1Platform platform, const QString& iniPath, int delay)
{
    form = std::make_unique<TForm1>(std::move(platform));
    settings = std::make_unique<TSettings>(*form, iniPath);
    prepareForScan(*form, *settings, delay);
}

void closeScanWindow(std::unique_ptr<TForm1>& form, std::unique_ptr<TSettings>& settings)
{
    settings.reset();
    form.reset();
}
