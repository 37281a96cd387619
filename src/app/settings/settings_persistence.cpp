// Load, the immediate writes and the save at exit of the settings dialog.

#include "app/settings/settings_dialog.h"

#include "display/display_text.h"
#include "app/shell/main_window.h"
#include "app/shell/window_placement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>

using namespace zarnek::settings;

namespace {

QString text(const std::string& bytes) { return displayText(bytes); }

std::string bytes(const QString& text) { return wireText(text); }

}  // namespace

bool TSettings::writeSettings(const std::function<void(IniDocument&)>& edit)
{
    if (!m_file.isOpen())
        return false;
    if (!m_file.update(edit))
        return true;
    if (m_ending) {
        if (m_endingFailureReported)
            return false;
        m_endingFailureReported = true;
    }
    const QString path = QFileInfo(QFile::decodeName(QByteArray::fromStdString(m_file.path())))
                             .absoluteFilePath();
    const QString message = QStringLiteral("Unable to write to %1").arg(path);
    if (m_failuresToStandardError)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    else
        QMessageBox::critical(nullptr, QStringLiteral("Error"), message);
    return false;
}

void TSettings::storeGameType(int index)
{
    writeSettings([index](IniDocument& doc) { writeGameType(doc, index); });
}

void TSettings::SaveRanges()
{
    const std::vector<RangeRow> ranges = liveValues().ranges;
    writeSettings([&ranges](IniDocument& doc) { writeRanges(doc, ranges); });
}

void TSettings::Load()
{
    // 1. Open the file; every value below is read from this one reading.
    m_file.open();
    const IniDocument& doc = m_file.document();
    const SettingsValues v = readSettings(doc);

    // 2. The scan-port choice; a change runs RGClick, which stores it.
    m_form1.setRGIndex(v.gameType);

    // 3. Executables and parameters per game.
    for (int n = 0; n < kGameCount; ++n) {
        ExePath[n] = text(v.exePath[static_cast<std::size_t>(n)]);
        Param[n] = text(v.param[static_cast<std::size_t>(n)]);
    }

    // 4. The main window's size, within the screen; its minimum size applies.
    m_form1.resize(sizeOnScreen(m_form1, QSize(v.width, v.height)));

    // 5. The game shown on the game tab, with its values in the edits.
    CBGame->setCurrentIndex(v.curItem);
    TS1->CBGameChange(CBGame->currentIndex());

    // 6. Ports and the favourites' first column.
    CSport->setText(text(v.csPort));
    LVFav->setColumnWidth(FavAddressColumn, v.favWidth);
    HLTVport->setText(text(v.hltvPort));

    // 8.
    CBOld->setChecked(v.scanOld);
    SEDelay->setValue(v.delay);
    Trans = v.trans;

    // 9. Checking the box switches the auto-scan on.
    CBAutoUpdate->setChecked(v.favAutoScan);

    // 10. A stored interval below 5 leaves the control at its 10.
    SEUpdInterval->setValue(v.updInterval);

    // 11. The first auto-scan comes right after start-up.
    if (CBAutoUpdate->isChecked()) {
        m_form1.TimerFav->setInterval(200);
        m_form1.TimerFav->start();
    }

    // 12. A stored page outside the three shows the first: a tab widget
    // always shows one.
    PageControl1->setCurrentIndex(v.curPage >= 0 && v.curPage <= 2 ? v.curPage : 0);
    CBBroadcast->setChecked(v.broadcast);
    TransLevel = v.transLevel;
    CBDclick->setChecked(v.doubleClick);
    CBTrans->setChecked(Trans);
    TBTrans->setEnabled(Trans);

    // 13. The parameter list, nothing chosen; then the ranges.
    CBParams->clear();
    for (const std::string& item : v.params)
        CBParams->addItem(text(item));
    CBParams->setCurrentIndex(-1);
    LWranges->clear();
    for (const RangeRow& row : v.ranges)
        TS2->appendRange(text(row.from), text(row.to), row.checked);

    // 14. The favourites in file order.
    LVFav->clear();
    for (const FavRow& row : v.favorites)
        TS3->appendFavorite(text(row.address), text(row.port));
}

SettingsValues TSettings::liveValues() const
{
    SettingsValues v;
    v.gameType = m_form1.RGIndex();
    for (int n = 0; n < kGameCount; ++n) {
        v.exePath[static_cast<std::size_t>(n)] = bytes(ExePath[n]);
        v.param[static_cast<std::size_t>(n)] = bytes(Param[n]);
    }
    v.height = m_form1.height();
    v.width = m_form1.width();
    v.curItem = CBGame->currentIndex();
    v.csPort = bytes(CSport->text());
    v.favWidth = LVFav->header()->sectionSize(FavAddressColumn);
    v.hltvPort = bytes(HLTVport->text());
    v.scanOld = CBOld->isChecked();
    v.delay = SEDelay->value();
    v.trans = Trans;
    v.favAutoScan = CBAutoUpdate->isChecked();
    v.updInterval = SEUpdInterval->value();
    v.curPage = PageControl1->currentIndex();
    v.broadcast = CBBroadcast->isChecked();
    v.transLevel = TransLevel;
    v.doubleClick = CBDclick->isChecked();
    v.params.clear();
    for (int i = 0; i < CBParams->count(); ++i)
        v.params.push_back(bytes(CBParams->itemText(i)));
    for (int i = 0; i < LWranges->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = LWranges->topLevelItem(i);
        v.ranges.push_back({bytes(item->text(RangeFromColumn)), bytes(item->text(RangeToColumn)),
                            item->checkState(RangeFromColumn) == Qt::Checked});
    }
    for (int i = 0; i < LVFav->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = LVFav->topLevelItem(i);
        v.favorites.push_back({bytes(item->text(FavAddressColumn)), bytes(item->text(FavPortColumn))});
    }
    return v;
}

void TSettings::SaveAtExit()
{
    const SettingsValues v = liveValues();
    writeSettings([&v](IniDocument& doc) { writeAtExit(doc, v); });
    m_file.close();
}
