#pragma once

// The page "Favorites" of the settings dialog: the servers every scan
// queries first, and the switch and interval of their auto-scan.

#include <QWidget>

class IPv4Edit;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;
class TForm1;
class TSettings;

class SettingsFavoritesPage : public QWidget {
    Q_OBJECT
public:
    SettingsFavoritesPage(TSettings& settings, TForm1& form1, QWidget* parent);

    QTreeWidget* LVFav = nullptr;
    IPv4Edit* GHIP = nullptr;
    QLineEdit* MEPort = nullptr;
    QPushButton* SpeedButton4 = nullptr;  // "Add"
    QPushButton* SpeedButton5 = nullptr;  // "Del"
    QCheckBox* CBAutoUpdate = nullptr;
    QSpinBox* SEUpdInterval = nullptr;

    // Appends a favourite as Load and the adding commands make it.
    QTreeWidgetItem* appendFavorite(const QString& address, const QString& port);
    // Appends address and port unless the pair is listed already, which
    // shows "This address is already exist". True when it was added.
    bool addFavorite(const QString& address, const QString& port);

public slots:
    void SpeedButton4Click();
    void SpeedButton5Click();
    void LVFavColumnClick(int column);
    void CBAutoUpdateClick(bool checked);
    void SEUpdIntervalChange(int value);

private:
    TSettings& m_settings;
    TForm1& m_form1;
};
